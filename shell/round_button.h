#pragma once
// A round title button (minimise, close): a 40 x 40 picture cut to its circle, so that a press
// beside the circle reaches whatever lies below.
#include "shell/clickable_picture.h"
#include "shell/picture.h"

namespace brixel {

class RoundButton : public ClickablePicture {
  Q_OBJECT

 public:
  RoundButton(Picture::Ptr picture, const QString& tool_tip, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Picture::Ptr picture_;
};

}  // namespace brixel
