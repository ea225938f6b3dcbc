#pragma once
// The controls a window's job must not see used while it runs. A click or key meant for a locked
// control (or anything inside it) is dropped, never kept and replayed later on whatever control
// stands there then; Tab still moves the focus, and a mouse release is let through, so a control
// pressed before the lock comes back to rest. Esc anywhere in the window is reported instead of
// delivered. Locked controls keep their look until LookDisabled; the window shows the busy
// pointer while anything is locked.
#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

namespace brixel {

class InputLock : public QObject {
  Q_OBJECT

 public:
  explicit InputLock(QWidget& window);
  ~InputLock() override;

  // Locks these controls (in place of any locked before).
  void Lock(const QList<QWidget*>& widgets);
  // The locked controls look disabled too, until Unlock.
  void LookDisabled();
  void Unlock();
  // The window is going: input is no longer looked at, and nothing of the window is touched.
  void Drop();

 signals:
  void escapePressed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool IsLocked(const QObject* watched) const;

  QWidget& window_;
  bool active_ = false;
  bool looks_disabled_ = false;
  QList<QPointer<QWidget>> locked_;
  QList<QPointer<QWidget>> disabled_;  // locked controls that this lock made look disabled
};

}  // namespace brixel
