// Pictures replayed from the painting commands render_svg recorded from the SVG artwork at build
// time (picture_recording.h), for a Qt without its SVG module.
#include <QFile>

#include "shell/picture.h"
#include "shell/picture_recording.h"

namespace brixel {

struct Picture::Drawing {
  std::optional<RecordedPicture> recorded;
};

Picture::Picture(const QString& file) : drawing_(std::make_unique<Drawing>()) {
  QFile in(file);
  if (in.open(QIODevice::ReadOnly)) drawing_->recorded = ReadRecordedPicture(in);
  natural_size_ = drawing_->recorded ? drawing_->recorded->natural_size : QSize();
}

Picture::~Picture() = default;

bool Picture::IsValid() const {
  return drawing_->recorded.has_value();
}

void Picture::Paint(QPainter& painter, const QRectF& target) const {
  if (drawing_->recorded) PaintRecordedPicture(painter, *drawing_->recorded, target);
}

}  // namespace brixel
