#include "shell/listing_controls.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

#include "core/listing/mask_list.h"
#include "shell/picture_switch.h"
#include "shell/switch_looks.h"
#include "shell/twips.h"

namespace brixel {

Frame* MakePlacedFrame(const char* name, const QString& caption, Frame::Border border, QWidget* parent,
                       const QRect& twips) {
  auto* frame = new Frame(caption, border, parent);
  frame->setObjectName(QLatin1String(name));
  frame->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
  return frame;
}

QComboBox* MakeMaskList(QWidget& fra_mask) {
  auto* mask_list = new QComboBox(&fra_mask);
  mask_list->setObjectName(QStringLiteral("cboMask"));
  mask_list->setAccessibleName(QStringLiteral("Маска"));
  mask_list->setGeometry(TwipsRect(120, 240, 2655, 315));
  AppendMaskLines(*mask_list, BuiltInMaskLines());
  // A line too long for the box is cut there: the tool tip shows the chosen line whole.
  QObject::connect(mask_list, &QComboBox::currentTextChanged, mask_list, &QWidget::setToolTip);
  return mask_list;
}

void AppendMaskLines(QComboBox& mask_list, const std::vector<std::string>& lines) {
  const QSignalBlocker quiet(&mask_list);  // the first line added to an empty list would be chosen
  const int chosen = mask_list.currentIndex();
  for (const std::string& line : lines) {
    const QString text = QString::fromStdString(line);
    mask_list.addItem(text);
    mask_list.setItemData(mask_list.count() - 1, text, Qt::ToolTipRole);  // whole in the drop-down too
  }
  mask_list.setCurrentIndex(chosen);
}

PictureSwitch* MakeSubfolderSwitch(QWidget& fra_brixel, const SwitchLooks& looks) {
  auto* pic_scan = new PictureSwitch(looks.ImgChecked, TwipsSize(465, 465), &fra_brixel);
  pic_scan->setObjectName(QStringLiteral("PicScan"));
  pic_scan->setAccessibleName(QStringLiteral("Вложенные папки"));
  pic_scan->move(TwipsPoint(360, 240));
  auto* label1 = new QLabel(QStringLiteral("Вложенные папки"), &fra_brixel);
  label1->setObjectName(QStringLiteral("Label1"));
  label1->setBuddy(pic_scan);
  label1->adjustSize();
  label1->move(Px(840), pic_scan->geometry().center().y() - label1->height() / 2);
  QObject::connect(pic_scan, &PictureSwitch::clicked, pic_scan,
                   [pic_scan, &looks] { CheckSwitchClick(*pic_scan, looks); });
  return pic_scan;
}

}  // namespace brixel
