#pragma once
// What every clickable picture of the windows shares (image buttons, picture switches, the round
// title buttons): a left press on it arms it, and a release of that button where it still counts
// as on the control clicks it. Other buttons never click. A subclass may show a look while any
// button is held, and may narrow where a release counts.
#include <QWidget>

namespace brixel {

// How strongly a picture that takes no input (a job runs) is drawn.
inline constexpr double kDisabledOpacity = 0.45;

class ClickablePicture : public QWidget {
  Q_OBJECT

 public:
  using QWidget::QWidget;

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

  // Whether a release at pos (in the control's coordinates) is still on the control.
  virtual bool ReleaseCounts(const QPoint& pos) const { return rect().contains(pos); }
  // Any mouse button went down on the control, or came up again.
  virtual void PressChanged(bool /*pressed*/) {}

 private:
  bool left_pressed_ = false;
};

}  // namespace brixel
