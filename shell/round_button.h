#pragma once
// A round title button (minimise, close): a 40 x 40 picture cut to its circle, so that a press
// beside the circle reaches whatever lies below.
#include <QWidget>

#include "shell/picture.h"

namespace brixel {

class RoundButton : public QWidget {
  Q_OBJECT

 public:
  RoundButton(Picture::Ptr picture, const QString& tool_tip, QWidget* parent);

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Picture::Ptr picture_;
  bool left_pressed_ = false;
};

}  // namespace brixel
