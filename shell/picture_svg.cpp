// Pictures drawn from their SVG files by Qt SVG.
#include <QSvgRenderer>

#include "shell/picture.h"

namespace brixel {

struct Picture::Drawing {
  explicit Drawing(const QString& file) : renderer(file) {}
  QSvgRenderer renderer;
};

Picture::Picture(const QString& file) : drawing_(std::make_unique<Drawing>(file)) {
  natural_size_ = drawing_->renderer.isValid() ? drawing_->renderer.defaultSize() : QSize();
}

Picture::~Picture() = default;

bool Picture::IsValid() const {
  return drawing_->renderer.isValid();
}

void Picture::Paint(QPainter& painter, const QRectF& target) const {
  if (IsValid()) drawing_->renderer.render(&painter, target);
}

}  // namespace brixel
