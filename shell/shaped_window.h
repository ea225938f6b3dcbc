#pragma once
// The frameless window of both Brixel editions: painted with the body picture, cut to its outline
// (ShapeWindow), with the round minimise and close buttons at its top right, and moved by
// dragging its background with any mouse button. A press on a control never drags.
#include <QPoint>
#include <QWidget>

#include "shell/picture.h"

class QLabel;

namespace brixel {

class RoundButton;
struct Edition;

class ShapedWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ShapedWindow(QWidget* parent = nullptr);

  RoundButton& PicMini() const { return *pic_mini_; }
  RoundButton& PicClose() const { return *pic_close_; }

  bool IsDragging() const { return drag_; }

 protected:
  // Names the window as its edition's (frmBrixel, and the desktop's title "Brixel V2.0") and makes
  // its title label, Label9, with the title before the version ("Бриксел В."), in the title font.
  QLabel* MakeEditionTitle(const Edition& edition);

  // Start-up's first step: the window's outline, then the two round buttons'.
  void ShapeWindowAndButtons();

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Picture::Ptr body_;
  RoundButton* pic_mini_;
  RoundButton* pic_close_;
  bool drag_ = false;
  QPoint grab_;  // where the window was grabbed, in its own coordinates
};

}  // namespace brixel
