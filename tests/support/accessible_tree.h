#pragma once
// What a screen reader would miss in a window: every control a mouse can click or a key can
// focus, among the widgets shown, asked through Qt's accessibility layer as assistive tools ask.
#include <QStringList>

class QWidget;

namespace brixel::test {

// One line per fault: a control without a role or a name, a check control that does not report
// its state truly, a button that offers no press (while it takes input), a name two controls share.
// Empty: none.
QStringList AccessibilityFaults(const QWidget& window);

// The names of the controls shown, in the order the widgets were made.
QStringList AccessibleControlNames(const QWidget& window);

}  // namespace brixel::test
