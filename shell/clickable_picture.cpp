#include "shell/clickable_picture.h"

#include <QMouseEvent>

namespace brixel {

ClickablePicture::ClickablePicture(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void ClickablePicture::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) left_pressed_ = true;
  PressChanged(true);
  event->accept();
}

void ClickablePicture::mouseReleaseEvent(QMouseEvent* event) {
  // Judged before the look changes back: a pressed look may have moved the control's edges.
  const bool click =
      event->button() == Qt::LeftButton && left_pressed_ && ReleaseCounts(event->position().toPoint());
  if (event->button() == Qt::LeftButton) left_pressed_ = false;
  PressChanged(false);
  event->accept();
  if (click) this->click();
}

}  // namespace brixel
