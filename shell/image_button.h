#pragma once
// An image button: a picture shown at its natural size. While any mouse button is held on it the
// control is one pixel narrower and lower with the picture drawn into the smaller box (the pressed
// look); a left click acts after the release has put it back to rest. Other mouse buttons show
// the look and nothing else, and so does the second press of a double click: the next button gives
// way to the save button in its place, which must not take that press as a click. Space and Enter
// click it from the keyboard.
#include "shell/clickable_picture.h"
#include "shell/picture.h"

namespace brixel {

class ImageButton : public ClickablePicture {
  Q_OBJECT

 public:
  ImageButton(Picture::Ptr picture, const QString& tool_tip, QWidget* parent);

  bool ShowsPressedLook() const { return pressed_look_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool ReleaseCounts(const QPoint& pos) const override;
  void PressChanged(bool pressed) override { SetPressedLook(pressed); }

 private:
  void SetPressedLook(bool pressed);

  Picture::Ptr picture_;
  bool pressed_look_ = false;
};

// An image button of the windows' bottom row, named and placed at left (in twips).
ImageButton* MakeBottomRowButton(const char* name, const char* picture, const QString& tool_tip, int left,
                                 QWidget* window);

}  // namespace brixel
