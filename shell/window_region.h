#pragma once
// The outline of a Brixel window: a rounded body with two circles above its top right edge,
// under the round title buttons. Outside it the window is neither drawn nor hit by the mouse.
#include <QRegion>

class QWidget;

namespace brixel {

// Logical pixels from the window's top-left corner: the body (5, 24)-(560, 579) with corners of
// 21 x 21, and the circles (481, 12)-(515, 45) and (515, 12)-(548, 46).
QRegion WindowRegion();

// A round button's circle in its own 40 x 40 box: (2, 1)-(37, 36).
QRegion RoundButtonRegion();

void ShapeWindow(QWidget& window);
void ShapeRoundButton(QWidget& button);

}  // namespace brixel
