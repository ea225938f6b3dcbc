#include "full/shell/picture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace brixel {

Picture::Ptr Picture::Load(const QString& file) {
  return Ptr(new Picture(file));
}

Picture::Picture(const QString& file) : renderer_(std::make_unique<QSvgRenderer>(file)) {
  natural_size_ = renderer_->isValid() ? renderer_->defaultSize() : QSize();
}

Picture::~Picture() = default;

bool Picture::IsValid() const {
  return renderer_->isValid();
}

void Picture::Paint(QPainter& painter, const QRectF& target) const {
  if (renderer_->isValid()) renderer_->render(&painter, target);
}

}  // namespace brixel
