#include "shell/frame.h"

#include <QMouseEvent>
#include <QPainter>

#include "shell/brixel_look.h"

namespace brixel {

Frame::Frame(const QString& caption, Border border, QWidget* parent)
    : QWidget(parent), caption_(caption), border_(border) {
  setAccessibleName(caption);
  setAutoFillBackground(false);
}

void Frame::SetCaption(const QString& caption) {
  caption_ = caption;
  setAccessibleName(caption);
  update();
}

void Frame::paintEvent(QPaintEvent*) {
  if (border_ == Border::None) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QFont caption_font = CaptionFont();
  const QFontMetrics metrics(caption_font);
  const qreal line_y = metrics.height() / 2.0 + 0.5;

  // An etched line: a darker stroke with a light one beside it, slightly rounded.
  const QRectF box = QRectF(rect()).adjusted(0.5, line_y, -1.5, -1.5);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(255, 252, 235), 1));
  painter.drawRoundedRect(box.translated(1, 1), 4, 4);
  painter.setPen(QPen(kFrameLineColor, 1));
  painter.drawRoundedRect(box, 4, 4);

  if (caption_.isEmpty()) return;
  const int text_width = metrics.horizontalAdvance(caption_);
  const QRectF text_box(8, 0, text_width + 6, metrics.height());
  painter.fillRect(text_box, kCreamColor);
  painter.setFont(caption_font);
  painter.setPen(kRedTextColor);
  painter.drawText(text_box, Qt::AlignCenter, caption_);
}

void Frame::mousePressEvent(QMouseEvent* event) {
  event->accept();
}

}  // namespace brixel
