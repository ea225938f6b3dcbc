#include "shell/accessible_controls.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

#include "shell/frame.h"
#include "shell/shaped_window.h"

namespace brixel {

namespace {

// A drop-down list named by its caption (its accessible name, else its buddy label's text), with
// its entries as its one child. The entry shown is its value and, read-only, its text: screen
// readers read a drop-down list's text as what it shows.
class AccessibleComboBox : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit AccessibleComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Box()->currentText();
    return QAccessibleWidget::text(t);
  }
  int childCount() const override { return 1; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 ? QAccessible::queryAccessibleInterface(Box()->view()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr && child->object() == Box()->view() ? 0 : -1;
  }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QStringList actionNames() const override {
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action != showMenuAction() && action != pressAction()) return QAccessibleWidget::doAction(action);
    if (Box()->view()->isVisible())
      Box()->hidePopup();
    else
      Box()->showPopup();
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

  // The entry shown, as text that is read and never edited.
  QString text(int start, int end) const override { return Box()->currentText().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(Box()->currentText().size()); }
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  int selectionCount() const override { return 0; }
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override {
    *start = *end = offset;
    return {};
  }

 private:
  QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* Describe(const QString&, QObject* object) {
  if (auto* window = qobject_cast<ShapedWindow*>(object))
    return new QAccessibleWidget(window, QAccessible::Window);
  if (auto* frame = qobject_cast<Frame*>(object)) return new QAccessibleWidget(frame, QAccessible::Grouping);
  // The windows' own lists, whatever their names are when first asked about (Qt keeps the answer).
  auto* box = qobject_cast<QComboBox*>(object);
  if (box != nullptr && !box->isEditable() && qobject_cast<ShapedWindow*>(box->window()) != nullptr)
    return new AccessibleComboBox(box);
  return nullptr;  // Qt's own description
}

}  // namespace

void InstallAccessibleControls() {
  static const bool installed = [] {
    QAccessible::installFactory(Describe);
    return true;
  }();
  (void)installed;
}

}  // namespace brixel
