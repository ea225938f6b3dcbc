// render_svg, the build machine's artwork tool: the recorded pictures a Qt without SVG replays
// must look like the SVG drawn directly, and its icons must be icons other readers can read.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include "shell/picture_recording.h"

namespace brixel::test {

namespace {

QString ArtworkFolder() {
  return QStringLiteral(BRIXEL_ARTWORK_DIR);
}

int RenderSvg(const QStringList& args) {
  return QProcess::execute(QStringLiteral(BRIXEL_RENDER_SVG_TOOL), args);
}

QImage Canvas(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// The largest difference of one colour channel between the two images, 0 to 255.
int LargestDifference(const QImage& a, const QImage& b) {
  int largest = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
    }
  }
  return largest;
}

}  // namespace

class RenderSvgTest : public QObject {
  Q_OBJECT

 private slots:
  void recordedArtworkLooksLikeTheSvgAtEveryScale() {
    QTemporaryDir out;
    const QStringList svgs = QDir(ArtworkFolder()).entryList({QStringLiteral("*.svg")}, QDir::Files);
    QVERIFY(svgs.size() >= 13);
    for (const QString& name : svgs) {
      const QString svg = ArtworkFolder() + QLatin1Char('/') + name;
      const QString recording = out.filePath(name + QStringLiteral(".pic"));
      QCOMPARE(RenderSvg({QStringLiteral("--picture"), svg, recording}), 0);
      QFile file(recording);
      QVERIFY(file.open(QIODevice::ReadOnly));
      const std::optional<RecordedPicture> recorded = ReadRecordedPicture(file);
      QVERIFY2(recorded.has_value(), qPrintable(name));
      QSvgRenderer renderer(svg);
      QCOMPARE(recorded->natural_size, renderer.defaultSize());
      for (qreal scale : {1.0, 1.5, 2.0, 3.0}) {
        const QRectF target(QPointF(0, 0), QSizeF(renderer.defaultSize()) * scale);
        QImage direct = Canvas(target.size().toSize()), replayed = direct;
        QPainter painter(&direct);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, target);
        painter.end();
        painter.begin(&replayed);
        painter.setRenderHint(QPainter::Antialiasing);
        PaintRecordedPicture(painter, *recorded, target);
        painter.end();
        // Gradients are rounded a little differently when replayed; shapes must not move.
        QVERIFY2(LargestDifference(direct, replayed) <= 6,
                 qPrintable(QStringLiteral("%1 at %2: %3")
                                .arg(name)
                                .arg(scale)
                                .arg(LargestDifference(direct, replayed))));
      }
    }
  }

  void onlyARecordingIsRead() {
    QByteArray bytes("<svg xmlns=\"http://www.w3.org/2000/svg\"/>");
    QBuffer svg(&bytes);
    svg.open(QIODevice::ReadOnly);
    QVERIFY(!ReadRecordedPicture(svg).has_value());
    QByteArray empty;
    QBuffer nothing(&empty);
    nothing.open(QIODevice::ReadOnly);
    QVERIFY(!ReadRecordedPicture(nothing).has_value());

    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::WriteOnly);
    RecordedPicture recorded;
    recorded.natural_size = QSize(10, 10);
    QPainter(&recorded.picture).fillRect(0, 0, 10, 10, Qt::red);
    QVERIFY(WriteRecordedPicture(out, recorded));
    for (qsizetype cut : {written.size() - 1, qsizetype(8)}) {  // cut short anywhere: nothing
      QByteArray part = written.left(cut);
      QBuffer in(&part);
      in.open(QIODevice::ReadOnly);
      QVERIFY(!ReadRecordedPicture(in).has_value());
    }
  }

  void theIconHoldsEverySizeAskedFor() {
    QTemporaryDir out;
    const QString ico = out.filePath(QStringLiteral("folder/app.ico"));
    QCOMPARE(RenderSvg({ArtworkFolder() + QStringLiteral("/app_icon.svg"), ico, QStringLiteral("16,32,256")}),
             0);
    QImageReader reader(ico, "ico");
    QCOMPARE(reader.imageCount(), 3);
    QList<int> widths;
    do {
      const QImage image = reader.read();
      QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
      QCOMPARE(image.width(), image.height());
      QVERIFY(image.pixelColor(image.width() / 2, image.height() / 2).alpha() == 255);  // drawn, not empty
      widths << image.width();
    } while (reader.jumpToNextImage());
    std::sort(widths.begin(), widths.end());
    QCOMPARE(widths, (QList<int>{16, 32, 256}));

    QCOMPARE(RenderSvg({ArtworkFolder() + QStringLiteral("/app_icon.svg"), ico, QStringLiteral("16,300")}),
             2);
    QCOMPARE(RenderSvg({QStringLiteral("--picture"), out.filePath(QStringLiteral("none.svg")),
                        out.filePath(QStringLiteral("none.pic"))}),
             1);
    QVERIFY(!QFile::exists(out.filePath(QStringLiteral("none.pic"))));
  }
};

}  // namespace brixel::test

QTEST_MAIN(brixel::test::RenderSvgTest)
#include "render_svg_test.moc"
