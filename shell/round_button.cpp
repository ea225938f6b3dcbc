#include "shell/round_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace brixel {

RoundButton::RoundButton(Picture::Ptr picture, const QString& tool_tip, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)) {
  setFixedSize(40, 40);
  setToolTip(tool_tip);
  setAccessibleName(tool_tip);
  setCursor(Qt::PointingHandCursor);
}

void RoundButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  picture_->Paint(painter, QRectF(rect()));
}

void RoundButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) left_pressed_ = true;
  event->accept();
}

void RoundButton::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      event->button() == Qt::LeftButton && left_pressed_ && rect().contains(event->position().toPoint());
  if (event->button() == Qt::LeftButton) left_pressed_ = false;
  event->accept();
  if (click) emit clicked();
}

}  // namespace brixel
