#include "shell/picture_recording.h"

#include <QDataStream>
#include <QIODevice>
#include <QPainter>
#include <QRectF>

namespace brixel {

namespace {

constexpr quint32 kMagic = 0x42585043;  // "BXPC"
constexpr quint16 kFormat = 1;
// The writer (the build machine's Qt) and the reader may be different Qt builds of one version;
// a fixed stream version keeps them reading the same bytes.
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;

}  // namespace

bool WriteRecordedPicture(QIODevice& out, const RecordedPicture& recorded) {
  QDataStream stream(&out);
  stream.setVersion(kStreamVersion);
  stream << kMagic << kFormat << recorded.natural_size << recorded.picture;
  return stream.status() == QDataStream::Ok;
}

std::optional<RecordedPicture> ReadRecordedPicture(QIODevice& in) {
  QDataStream stream(&in);
  stream.setVersion(kStreamVersion);
  quint32 magic = 0;
  quint16 format = 0;
  stream >> magic >> format;
  if (stream.status() != QDataStream::Ok || magic != kMagic || format != kFormat) return std::nullopt;
  RecordedPicture recorded;
  stream >> recorded.natural_size >> recorded.picture;
  if (stream.status() != QDataStream::Ok || recorded.natural_size.isEmpty() || recorded.picture.isNull())
    return std::nullopt;
  return recorded;
}

void PaintRecordedPicture(QPainter& painter, const RecordedPicture& recorded, const QRectF& target) {
  if (recorded.natural_size.isEmpty() || target.isEmpty()) return;
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(target.width() / recorded.natural_size.width(),
                target.height() / recorded.natural_size.height());
  painter.drawPicture(QPointF(0, 0), recorded.picture);
  painter.restore();
}

}  // namespace brixel
