#pragma once
// A vector picture recorded from SVG artwork on the build machine (render_svg --picture), for
// builds whose Qt has no SVG module (Windows): the painting commands themselves, replayed at any
// size, so the windows look there as they do where SVG is drawn directly. QPicture keeps the
// bounds of what was drawn, not the drawing's own size, so that size travels beside it.
#include <QPicture>
#include <QSize>
#include <optional>

class QIODevice;
class QPainter;
class QRectF;

namespace brixel {

struct RecordedPicture {
  QSize natural_size;  // the SVG's own size in logical pixels
  QPicture picture;    // drawn into (0, 0)-(natural_size)
};

bool WriteRecordedPicture(QIODevice& out, const RecordedPicture& recorded);

// Nothing for a file that is not a recorded picture of this format.
std::optional<RecordedPicture> ReadRecordedPicture(QIODevice& in);

// Replays the picture scaled to fill target.
void PaintRecordedPicture(QPainter& painter, const RecordedPicture& recorded, const QRectF& target);

}  // namespace brixel
