#include "tests/support/accessible_tree.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QWidget>

namespace brixel::test {

namespace {

QList<QWidget*> ShownControls(const QWidget& window) {
  QList<QWidget*> controls;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (w->window() != &window || !w->isVisibleTo(&window)) continue;
    if (qobject_cast<QAbstractButton*>(w) != nullptr || (w->focusPolicy() & Qt::TabFocus)) controls << w;
  }
  return controls;
}

QString Describe(const QWidget& w, const QString& fault) {
  return w.objectName() + QStringLiteral(": ") + fault;
}

}  // namespace

QStringList AccessibleControlNames(const QWidget& window) {
  QStringList names;
  for (QWidget* w : ShownControls(window)) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    names << (iface != nullptr ? iface->text(QAccessible::Name) : QString());
  }
  return names;
}

QStringList AccessibilityFaults(const QWidget& window) {
  QStringList faults;
  QStringList names;
  for (QWidget* w : ShownControls(window)) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    if (iface == nullptr || !iface->isValid()) {
      faults << Describe(*w, QStringLiteral("no accessible interface"));
      continue;
    }
    const QAccessible::Role role = iface->role();
    if (role == QAccessible::NoRole || role == QAccessible::Client || role == QAccessible::Grouping)
      faults << Describe(*w, QStringLiteral("no role of a control (%1)").arg(role));
    const QString name = iface->text(QAccessible::Name);
    if (name.trimmed().isEmpty()) faults << Describe(*w, QStringLiteral("no name"));
    if (names.contains(name)) faults << Describe(*w, QStringLiteral("a name another control has: ") + name);
    names << name;

    const QStringList actions =
        iface->actionInterface() != nullptr ? iface->actionInterface()->actionNames() : QStringList();
    const QAccessible::State state = iface->state();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      if (button->isCheckable() != bool(state.checkable) || button->isChecked() != bool(state.checked))
        faults << Describe(*w, QStringLiteral("its checked state is not reported"));
      const QString press = button->isCheckable() ? QAccessibleActionInterface::toggleAction()
                                                  : QAccessibleActionInterface::pressAction();
      if (w->isEnabled() && !actions.contains(press))
        faults << Describe(*w, QStringLiteral("no press action"));
    }
    if (auto* box = qobject_cast<QComboBox*>(w)) {
      if (w->isEnabled() && !actions.contains(QAccessibleActionInterface::pressAction()))
        faults << Describe(*w, QStringLiteral("no press action"));
      // Read as its value, and as its text by screen readers on Linux.
      QAccessibleTextInterface* text = iface->textInterface();
      if (iface->text(QAccessible::Value) != box->currentText() || text == nullptr ||
          text->text(0, text->characterCount()) != box->currentText())
        faults << Describe(*w, QStringLiteral("its entry is not its value and text"));
    }
  }
  return faults;
}

}  // namespace brixel::test
