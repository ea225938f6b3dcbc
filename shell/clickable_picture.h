#pragma once
// What every clickable picture of the windows shares (image buttons, picture switches, the round
// title buttons): a left press on it arms it, and a release of that button where it still counts
// as on the control clicks it. Other buttons never click. A subclass may show a look while any
// button is held, and may narrow where a release counts.
//
// Each is a real button to the keyboard and to assistive tools: its accessible name is what it
// does (its tool tip or caption), and an assistive tool's press clicks it as the mouse does.
#include <QAbstractButton>

namespace brixel {

// How strongly a picture that takes no input (a job runs) is drawn.
inline constexpr double kDisabledOpacity = 0.45;

class ClickablePicture : public QAbstractButton {
  Q_OBJECT

 public:
  explicit ClickablePicture(QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool hitButton(const QPoint& pos) const override { return ReleaseCounts(pos); }

  // Whether a release at pos (in the control's coordinates) is still on the control.
  virtual bool ReleaseCounts(const QPoint& pos) const { return rect().contains(pos); }
  // Any mouse button went down on the control, or came up again.
  virtual void PressChanged(bool /*pressed*/) {}

 private:
  bool left_pressed_ = false;
};

}  // namespace brixel
