#include "shell/brixel_look.h"

#include <QApplication>
#include <QDirIterator>
#include <QFontDatabase>
#include <QStyleFactory>

namespace brixel {

namespace {

QFont SizedFont(int pixels, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

}  // namespace

QFont BaseFont() {
  return SizedFont(11, false);
}
QFont CaptionFont() {
  return SizedFont(11, true);
}
QFont TitleFont() {
  return SizedFont(16, true);
}

QPalette WindowPalette() {
  QPalette palette = QApplication::palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Window, kCreamColor);
    palette.setColor(group, QPalette::WindowText, kRedTextColor);
    palette.setColor(group, QPalette::Base, Qt::white);
    palette.setColor(group, QPalette::Text, Qt::black);
    palette.setColor(group, QPalette::Button, QColor(0xF6, 0xEA, 0xC4));
    palette.setColor(group, QPalette::ButtonText, Qt::black);
    palette.setColor(group, QPalette::Highlight, QColor(0xC6, 0x28, 0x28));
    palette.setColor(group, QPalette::HighlightedText, Qt::white);
  }
  palette.setColor(QPalette::Disabled, QPalette::Window, kCreamColor);
  return palette;
}

QPalette GridPalette() {
  QPalette palette = WindowPalette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Base, kCreamColor);
    palette.setColor(group, QPalette::AlternateBase, kCreamColor);
    palette.setColor(group, QPalette::Text, Qt::black);
  }
  return palette;
}

BrixelStyle::BrixelStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

int BrixelStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                           QStyleHintReturn* result) const {
  if (hint == SH_Table_GridLineColor) return static_cast<int>(kGridLineColor.rgba());
  return QProxyStyle::styleHint(hint, option, widget, result);
}

int AddEmbeddedFonts() {
  int added = 0;
  QDirIterator fonts(QLatin1String(kEmbeddedFontFolder), {QStringLiteral("*.ttf")}, QDir::Files);
  while (fonts.hasNext())
    if (QFontDatabase::addApplicationFont(fonts.next()) >= 0) ++added;
  return added;
}

void ApplyBrixelLook(QApplication& app) {
  AddEmbeddedFonts();
  app.setStyle(new BrixelStyle);  // the application owns it
  app.setFont(BaseFont());
}

}  // namespace brixel
