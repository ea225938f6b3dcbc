#pragma once
// A vector picture, drawn crisp at any display scale. A picture is an object of its own: controls
// that show "the same picture" hold the very object, and two loads of one file are two pictures.
// Where Qt draws SVG the artwork is SVG (picture_svg.cpp); elsewhere it is the same artwork
// recorded as painting commands at build time (picture_replayed.cpp).
#include <QIcon>
#include <QRectF>
#include <QSize>
#include <QString>
#include <memory>

class QPainter;

namespace brixel {

class Picture {
 public:
  using Ptr = std::shared_ptr<const Picture>;

  // Loads an artwork file or resource; a picture that cannot be read draws nothing.
  static Ptr Load(const QString& file);

  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  // Size in logical pixels.
  QSize NaturalSize() const { return natural_size_; }
  bool IsValid() const;
  void Paint(QPainter& painter, const QRectF& target) const;

 private:
  struct Drawing;

  explicit Picture(const QString& file);

  std::unique_ptr<Drawing> drawing_;
  QSize natural_size_;
};

// An icon drawn from a picture at the sizes window systems ask for.
QIcon PictureIcon(const QString& file);

}  // namespace brixel
