#include "shell/window_region.h"

#include <QPainterPath>
#include <QWidget>

namespace brixel {

namespace {

// Corners and right/bottom edges as the region of a rounded rectangle has them: the right and
// bottom coordinates are the first ones outside.
QRegion RoundedRegion(int left, int top, int right, int bottom, int corner) {
  QPainterPath path;
  path.addRoundedRect(QRectF(left, top, right - left, bottom - top), corner / 2.0, corner / 2.0);
  return QRegion(path.toFillPolygon().toPolygon());
}

QRegion EllipseRegion(int left, int top, int right, int bottom) {
  return QRegion(left, top, right - left, bottom - top, QRegion::Ellipse);
}

}  // namespace

QRegion WindowRegion() {
  return RoundedRegion(5, 24, 560, 579, 21)
      .united(EllipseRegion(481, 12, 515, 45))
      .united(EllipseRegion(515, 12, 548, 46));
}

QRegion RoundButtonRegion() {
  return EllipseRegion(2, 1, 37, 36);
}

void ShapeWindow(QWidget& window) {
  window.setMask(WindowRegion());
}

void ShapeRoundButton(QWidget& button) {
  button.setMask(RoundButtonRegion());
}

}  // namespace brixel
