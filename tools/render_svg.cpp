// render_svg: draws SVG pictures for the builds that cannot use SVG as it is: into PNG files at
// the sizes asked for (the desktop icons of the package), into a Windows icon, and as a recorded
// picture for a Qt without its SVG module (the Windows build's artwork).
//
//   render_svg IN.svg OUT.png SIZE [OUT.png SIZE]...   (an OUT may also be OUT.ico SIZE,SIZE,...)
//   render_svg --picture IN.svg OUT
//
// SIZE is N (an N x N box), WxH (a W x H box) or @S (the drawing's own size times S, "@1", "@2",
// "@1.5"). The drawing keeps its proportions, centred in the box on a transparent background. An
// .ico holds one PNG image per size, each drawn at its size. --picture records the painting
// commands with the drawing's own size (shell/picture_recording.h).
// Missing folders of an output are created.
// Exit status: 0 done, 1 a picture could not be read or a file not written, 2 bad usage.
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QtEndian>
#include <cstdio>
#include <optional>

#include "shell/picture_recording.h"

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

QImage Draw(QSvgRenderer& renderer, QSizeF drawing, QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter, FittedRect(drawing, size));
  painter.end();
  return image;
}

// The outputs may stand in folders of their own (an icon theme's 16x16/apps/...); each is written
// whole or not at all.
bool WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

QByteArray Png(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

// An icon file: a directory of entries, each a PNG image (Windows Vista and later read them; Qt's
// own ico writer stores one image only).
QByteArray Ico(const std::vector<QImage>& images) {
  QByteArray out;
  const auto put = [&out](auto value) {
    const auto little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&little), sizeof little);
  };
  const auto put16 = [&](quint16 value) { put(value); };
  const auto put32 = [&](quint32 value) { put(value); };
  std::vector<QByteArray> pngs;
  for (const QImage& image : images) pngs.push_back(Png(image));
  put16(0);  // reserved
  put16(1);  // an icon
  put16(static_cast<quint16>(images.size()));
  quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    // 256 is written as 0.
    out.append(static_cast<char>(images[i].width() >= 256 ? 0 : images[i].width()));
    out.append(static_cast<char>(images[i].height() >= 256 ? 0 : images[i].height()));
    out.append('\0');  // no palette
    out.append('\0');  // reserved
    put16(1);          // colour planes
    put16(32);         // bits per pixel
    put32(static_cast<quint32>(pngs[i].size()));
    put32(offset);
    offset += static_cast<quint32>(pngs[i].size());
  }
  for (const QByteArray& png : pngs) out.append(png);
  return out;
}

int RecordPicture(const QStringList& args) {
  if (args.size() != 3) return Fail(2, QStringLiteral("usage: render_svg --picture IN.svg OUT"));
  QSvgRenderer renderer(args.at(1));
  if (!renderer.isValid()) return Fail(1, QStringLiteral("cannot read the picture %1").arg(args.at(1)));
  brixel::RecordedPicture recorded;
  recorded.natural_size = renderer.defaultSize();
  QPainter painter(&recorded.picture);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(recorded.natural_size)));
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!brixel::WriteRecordedPicture(buffer, recorded) || !WriteFile(args.at(2), bytes))
    return Fail(1, QStringLiteral("cannot write %1").arg(args.at(2)));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // A build machine has no display, and the tool shows nothing anyway.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (!args.isEmpty() && args.at(0) == QLatin1String("--picture")) return RecordPicture(args);
  if (args.size() < 3 || args.size() % 2 == 0)
    return Fail(2, QStringLiteral("usage: render_svg IN.svg OUT.png SIZE [OUT.png SIZE]..."));

  QSvgRenderer renderer(args.at(0));
  if (!renderer.isValid()) return Fail(1, QStringLiteral("cannot read the picture %1").arg(args.at(0)));
  const QSize natural = renderer.defaultSize();
  const QSizeF drawing = renderer.viewBoxF().isEmpty() ? QSizeF(natural) : renderer.viewBoxF().size();
  for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
    const QString& out = args.at(i);
    const bool icon = out.endsWith(QLatin1String(".ico"), Qt::CaseInsensitive);
    std::vector<QImage> images;
    for (const QString& text : icon ? args.at(i + 1).split(QLatin1Char(',')) : QStringList{args.at(i + 1)}) {
      const std::optional<QSize> size = ParseSize(text, natural);
      if (!size || (icon && (size->width() > 256 || size->height() > 256)))
        return Fail(2,
                    QStringLiteral("'%1' is no size (N, WxH or @SCALE; at most 256 in an icon)").arg(text));
      images.push_back(Draw(renderer, drawing, *size));
    }
    if (!WriteFile(out, icon ? Ico(images) : Png(images.front())))
      return Fail(1, QStringLiteral("cannot write %1").arg(out));
  }
  return 0;
}
