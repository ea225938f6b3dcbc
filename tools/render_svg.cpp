// render_svg: draws SVG pictures into PNG files at the sizes asked for, for the builds that need
// bitmaps (the desktop icons of the package, and platforms whose Qt cannot draw SVG itself).
//
//   render_svg IN.svg OUT.png SIZE [OUT.png SIZE]...
//
// SIZE is N (an N x N box), WxH (a W x H box) or @S (the drawing's own size times S, "@1", "@2",
// "@1.5"). The drawing keeps its proportions, centred in the box on a transparent background.
// Missing folders of an output are created.
// Exit status: 0 done, 1 a picture could not be read or a file not written, 2 bad usage.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <cstdio>
#include <optional>

namespace {

int Fail(int status, const QString& text) {
  std::fprintf(stderr, "render_svg: %s\n", qPrintable(text));
  return status;
}

std::optional<QSize> ParseSize(const QString& text, QSize natural) {
  static const QRegularExpression box(QStringLiteral("^([0-9]{1,5})(?:x([0-9]{1,5}))?$"));
  static const QRegularExpression scale(QStringLiteral("^@([0-9]*\\.?[0-9]+)$"));
  QSize size;
  if (const auto m = box.match(text); m.hasMatch()) {
    const int width = m.captured(1).toInt();
    size = QSize(width, m.captured(2).isEmpty() ? width : m.captured(2).toInt());
  } else if (const auto s = scale.match(text); s.hasMatch()) {
    size = (QSizeF(natural) * s.captured(1).toDouble()).toSize();
  }
  if (size.isEmpty() || size.width() > 16384 || size.height() > 16384) return std::nullopt;
  return size;
}

// The drawing scaled to fit the box whole, centred.
QRectF FittedRect(QSizeF drawing, QSize box) {
  const QSizeF fitted = drawing.scaled(QSizeF(box), Qt::KeepAspectRatio);
  return QRectF(QPointF((box.width() - fitted.width()) / 2, (box.height() - fitted.height()) / 2), fitted);
}

}  // namespace

int main(int argc, char** argv) {
  // A build machine has no display, and the tool shows nothing anyway.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.size() < 3 || args.size() % 2 == 0)
    return Fail(2, QStringLiteral("usage: render_svg IN.svg OUT.png SIZE [OUT.png SIZE]..."));

  QSvgRenderer renderer(args.at(0));
  if (!renderer.isValid()) return Fail(1, QStringLiteral("cannot read the picture %1").arg(args.at(0)));
  const QSize natural = renderer.defaultSize();
  const QSizeF drawing = renderer.viewBoxF().isEmpty() ? QSizeF(natural) : renderer.viewBoxF().size();
  for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
    const std::optional<QSize> size = ParseSize(args.at(i + 1), natural);
    if (!size) return Fail(2, QStringLiteral("'%1' is no size (N, WxH or @SCALE)").arg(args.at(i + 1)));
    QImage image(*size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, FittedRect(drawing, *size));
    painter.end();
    // The outputs may stand in folders of their own (an icon theme's 16x16/apps/...).
    QDir().mkpath(QFileInfo(args.at(i)).absolutePath());
    if (!image.save(args.at(i), "PNG")) return Fail(1, QStringLiteral("cannot write %1").arg(args.at(i)));
  }
  return 0;
}
