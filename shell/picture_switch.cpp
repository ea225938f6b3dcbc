#include "shell/picture_switch.h"

#include <QKeyEvent>
#include <QPainter>

#include "shell/switch_looks.h"

namespace brixel {

PictureSwitch::PictureSwitch(Picture::Ptr on_look, QSize size, QWidget* parent)
    : ClickablePicture(parent), on_look_(std::move(on_look)) {
  setFixedSize(size);
  setCheckable(true);
}

void PictureSwitch::ShowLook(Picture::Ptr look) {
  if (look == shown_) return;
  shown_ = std::move(look);
  setChecked(IsOn());
  update();
}

void PictureSwitch::checkStateSet() {
  if (isChecked() == IsOn()) return;  // the look set it
  // Set from outside (an assistive tool's toggle): taken as a click, after which the state is the
  // look's again, whatever the owner made of it.
  click();
  if (isChecked() != IsOn()) setChecked(IsOn());
}

void PictureSwitch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  if (!isEnabled()) painter.setOpacity(kDisabledOpacity);  // while a job runs
  if (shown_) {
    // The look keeps its own proportions, centred in the control.
    QSizeF size = shown_->NaturalSize();
    size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
    const QRectF target(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    shown_->Paint(painter, target);
  }
}

void PictureSwitch::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    click();
    return;
  }
  QWidget::keyPressEvent(event);
}

void CheckSwitchClick(PictureSwitch& check, const SwitchLooks& looks) {
  check.ShowLook(check.ShownLook() == looks.ImgChecked.get() ? looks.ImgUnchecked : looks.ImgChecked);
}

void CaseSwitchClick(PictureSwitch& clicked, std::initializer_list<PictureSwitch*> group,
                     const SwitchLooks& looks) {
  if (clicked.ShownLook() == looks.ImgRU.get()) {
    clicked.ShowLook(looks.ImgRC);
    for (PictureSwitch* other : group)
      if (other != &clicked) other->ShowLook(looks.ImgRU);
  } else {
    clicked.ShowLook(looks.ImgRU);
  }
}

}  // namespace brixel
