#include "shell/round_button.h"

#include <QPainter>

namespace brixel {

RoundButton::RoundButton(Picture::Ptr picture, const QString& tool_tip, QWidget* parent)
    : ClickablePicture(parent), picture_(std::move(picture)) {
  setFixedSize(40, 40);
  setToolTip(tool_tip);
  setAccessibleName(tool_tip);
}

void RoundButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  picture_->Paint(painter, QRectF(rect()));
}

}  // namespace brixel
