#include "shell/input_lock.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace brixel {

InputLock::InputLock(QWidget& window) : window_(window) {}

InputLock::~InputLock() {
  Drop();
}

void InputLock::Drop() {
  if (active_) qApp->removeEventFilter(this);
  active_ = false;
}

void InputLock::Lock(const QList<QWidget*>& widgets) {
  locked_.clear();
  for (QWidget* w : widgets) locked_ << w;
  if (!active_) qApp->installEventFilter(this);
  active_ = true;
  window_.setCursor(Qt::BusyCursor);  // at work, and still to be used
  if (!looks_disabled_) return;
  // Locked in place of other controls while they looked disabled: the new ones look so instead.
  for (const QPointer<QWidget>& w : std::as_const(disabled_))
    if (w && !locked_.contains(w)) w->setEnabled(true);
  disabled_.removeIf([this](const QPointer<QWidget>& w) { return !w || !locked_.contains(w); });
  LookDisabled();
}

void InputLock::LookDisabled() {
  looks_disabled_ = true;
  for (const QPointer<QWidget>& locked : std::as_const(locked_)) {
    QWidget* w = locked.data();
    if (w != nullptr && w->isEnabled()) {
      w->setEnabled(false);
      disabled_ << w;
    }
  }
}

void InputLock::Unlock() {
  Drop();
  looks_disabled_ = false;
  window_.unsetCursor();
  for (const QPointer<QWidget>& w : std::as_const(disabled_))
    if (w) w->setEnabled(true);
  disabled_.clear();
  locked_.clear();
}

bool InputLock::IsLocked(const QObject* watched) const {
  if (!watched->isWidgetType()) return false;
  const auto* widget = static_cast<const QWidget*>(watched);
  for (const QPointer<QWidget>& w : locked_)
    if (w && (w == widget || w->isAncestorOf(widget))) return true;
  return false;
}

bool InputLock::eventFilter(QObject* watched, QEvent* event) {
  if (!active_) return false;
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Escape && event->type() == QEvent::KeyPress && watched->isWidgetType() &&
          static_cast<QWidget*>(watched)->window() == &window_) {
        emit escapePressed();
        return true;
      }
      // Moving the focus on changes nothing.
      if (key == Qt::Key_Tab || key == Qt::Key_Backtab) return false;
      return IsLocked(watched);
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Shortcut:
      // Dropped, not kept for later. A release is let through: without its press it clicks
      // nothing, and a control pressed before the job began comes back to rest.
      return IsLocked(watched);
    default:
      return false;
  }
}

}  // namespace brixel
