#pragma once
// The numbering and formatting controls both editions show: the frame "Нумерация" (digit count
// CboRazr, start number TxtNach, switch PicNum) and the frame "Форматирование" (case switches
// PicBig, PicSmall, PicPerBig; check switches PicBreak, PicOk). Every click on a switch, every
// choice of a digit count and every key released in a non-empty start box asks for a formatting
// run; what a run does with the options is the owner's business. The arrow keys move among the
// three case switches as in a radio group.
#include <QObject>
#include <QRect>

#include "core/format/format_options.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace brixel {

class Frame;
class PictureSwitch;
struct SwitchLooks;

// Places in twips: the frames in the window, the switches in their frame.
struct FormattingLayout {
  QRect fra_num;
  QRect fra_format;
  int case_tops[3];  // PicBig, PicSmall, PicPerBig, at left 120
  QPoint pic_break;
  QPoint pic_ok;
};

class FormattingPanel : public QObject {
  Q_OBJECT

 public:
  FormattingPanel(QWidget& window, const SwitchLooks& looks, const FormattingLayout& layout);

  Frame& FraNum() const { return *fra_num_; }
  Frame& FraFormat() const { return *fra_format_; }
  QComboBox& CboRazr() const { return *cbo_razr_; }
  QLineEdit& TxtNach() const { return *txt_nach_; }
  PictureSwitch& PicNum() const { return *pic_num_; }
  PictureSwitch& PicBig() const { return *pic_big_; }
  PictureSwitch& PicSmall() const { return *pic_small_; }
  PictureSwitch& PicPerBig() const { return *pic_per_big_; }
  PictureSwitch& PicBreak() const { return *pic_break_; }
  PictureSwitch& PicOk() const { return *pic_ok_; }

  // The options as the controls hold them now.
  FormatOptions Options() const;

  // Every switch off, in a fixed order, then the first digit count and the start number "1".
  // Choosing the digit count may ask for a run, which then finds every switch off.
  void OptionReset();

  // Shows these options, asking for no run (a cancelled run puts back what the list shows).
  void SetOptions(const FormatOptions& options);

  // A start text that is no number shows in red until it is one again.
  void ShowStartTextValid(bool valid);

  // The controls in the order the keyboard walks them.
  QList<QWidget*> TabOrder() const;

 signals:
  void runRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // An arrow key on a case switch: true when it moved the focus (and the selection) on.
  bool MoveInCaseGroup(QObject* from, int key);

  const SwitchLooks& looks_;
  bool digit_count_ran_ = false;  // the current pick already ran through a change of index
  Frame* fra_num_;
  Frame* fra_format_;
  QComboBox* cbo_razr_;
  QLineEdit* txt_nach_;
  PictureSwitch* pic_num_;
  PictureSwitch* pic_big_;
  PictureSwitch* pic_small_;
  PictureSwitch* pic_per_big_;
  PictureSwitch* pic_break_;
  PictureSwitch* pic_ok_;
};

}  // namespace brixel
