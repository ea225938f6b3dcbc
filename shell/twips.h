#pragma once
// The window's measures are twips, 15 to a pixel at 100 % scale. Qt places widgets in logical
// pixels, which the display scale multiplies, so a measure is converted once, here, and the
// window comes out right at any scale.
#include <QPoint>
#include <QRect>
#include <QSize>

namespace brixel {

inline constexpr int kTwipsPerPixel = 15;

// Nearest logical pixel (measures are never negative).
constexpr int Px(int twips) {
  return (2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel);
}

inline QPoint TwipsPoint(int left, int top) {
  return {Px(left), Px(top)};
}
inline QSize TwipsSize(int width, int height) {
  return {Px(width), Px(height)};
}
inline QRect TwipsRect(int left, int top, int width, int height) {
  return {TwipsPoint(left, top), TwipsSize(width, height)};
}

}  // namespace brixel
