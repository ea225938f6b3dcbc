#pragma once
// A vector picture, drawn crisp at any display scale. A picture is an object of its own: controls
// that show "the same picture" hold the very object, and two loads of one file are two pictures.
#include <QIcon>
#include <QRectF>
#include <QSize>
#include <QString>
#include <memory>

class QPainter;
class QSvgRenderer;

namespace brixel {

class Picture {
 public:
  using Ptr = std::shared_ptr<const Picture>;

  // Loads an SVG file or resource; a picture that cannot be read draws nothing.
  static Ptr Load(const QString& file);

  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  // Size in logical pixels.
  QSize NaturalSize() const { return natural_size_; }
  bool IsValid() const;
  void Paint(QPainter& painter, const QRectF& target) const;

 private:
  explicit Picture(const QString& file);

  std::unique_ptr<QSvgRenderer> renderer_;
  QSize natural_size_;
};

// An icon drawn from a picture at the sizes window systems ask for.
QIcon PictureIcon(const QString& file);

}  // namespace brixel
