#pragma once
// The look every Brixel window shares: colours, fonts and the widget style. Fonts are sized in
// logical pixels, so text keeps its place in the fixed layout at any display scale and any
// font DPI setting.
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QProxyStyle>

class QApplication;

namespace brixel {

inline const QColor kCreamColor{0xFF, 0xF3, 0xC3};
inline const QColor kRedTextColor{0xC4, 0x00, 0x00};
inline const QColor kFrameLineColor{0xD4, 0xB0, 0x6A};
inline const QColor kGridLineColor{192, 192, 192};
inline const QColor kHeadingFaceColor{0xF0, 0xF0, 0xF0};

QFont BaseFont();     // 8.25 pt at 96 dpi
QFont CaptionFont();  // frame captions: bold
QFont TitleFont();    // the title and the count: 12 pt bold

// The window's palette: cream panels, red captions, black text on white boxes.
QPalette WindowPalette();
// A list's palette: black cells on cream.
QPalette GridPalette();

// Fusion, with silver grid lines for the lists.
class BrixelStyle : public QProxyStyle {
 public:
  BrixelStyle();
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* result) const override;
};

// Where a build keeps the fonts it carries: a Windows build carries DejaVu Sans, which Windows
// lacks; elsewhere the system has it and the folder does not exist.
inline constexpr char kEmbeddedFontFolder[] = ":/brixel/fonts";

// Adds the fonts the build carries to the application's; returns how many.
int AddEmbeddedFonts();

// Style and font for the whole application, with the fonts the build carries; call before the
// first window is made.
void ApplyBrixelLook(QApplication& app);

}  // namespace brixel
