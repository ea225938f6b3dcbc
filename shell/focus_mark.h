#pragma once
// The mark around the control that has the keyboard focus, the same on every control of a window
// and at any scale: a dark ring with a light one inside it, clear on the cream panels, the white
// boxes and the red buttons alike. A control cut to a circle (the title buttons) gets a round one.
// It lies over everything in the window, takes no input, and screen readers do not see it (a
// focus frame is no control).
#include <QFocusFrame>
#include <QList>
#include <QPointer>

namespace brixel {

class FocusMark : public QFocusFrame {
  Q_OBJECT

 public:
  // Follows the focus among window's controls from now on.
  explicit FocusMark(QWidget& window);

  // The control marked; null while none of the window's controls has the focus.
  QWidget* Target() const { return target_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Follow(QWidget* focus);
  void Place();

  QWidget& window_;
  QPointer<QWidget> target_;
  QList<QPointer<QWidget>> watched_;  // the target and its containers, whose moves move it
};

}  // namespace brixel
