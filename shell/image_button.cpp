#include "shell/image_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "shell/twips.h"

namespace brixel {

ImageButton::ImageButton(Picture::Ptr picture, const QString& tool_tip, QWidget* parent)
    : ClickablePicture(parent), picture_(std::move(picture)) {
  resize(picture_->NaturalSize());
  setToolTip(tool_tip);
  setAccessibleName(tool_tip);
}

void ImageButton::SetPressedLook(bool pressed) {
  if (pressed == pressed_look_) return;
  pressed_look_ = pressed;
  const QSize natural = picture_->NaturalSize();
  resize(pressed ? natural - QSize(1, 1) : natural);  // the top-left corner stays put
}

void ImageButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  if (!isEnabled()) painter.setOpacity(kDisabledOpacity);  // while a job runs
  picture_->Paint(painter, QRectF(rect()));
}

bool ImageButton::ReleaseCounts(const QPoint& pos) const {
  // At rest size: the pressed look is a pixel smaller, and its edge still counts.
  return QRect(QPoint(0, 0), picture_->NaturalSize()).contains(pos);
}

void ImageButton::mouseDoubleClickEvent(QMouseEvent* event) {
  SetPressedLook(true);
  event->accept();
}

void ImageButton::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
      if (!event->isAutoRepeat()) SetPressedLook(true);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      click();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void ImageButton::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && pressed_look_) {
    SetPressedLook(false);
    click();
    return;
  }
  QWidget::keyReleaseEvent(event);
}

ImageButton* MakeBottomRowButton(const char* name, const char* picture, const QString& tool_tip, int left,
                                 QWidget* window) {
  auto* button = new ImageButton(Picture::Load(QLatin1String(picture)), tool_tip, window);
  button->setObjectName(QLatin1String(name));
  button->move(TwipsPoint(left, 7860));
  return button;
}

}  // namespace brixel
