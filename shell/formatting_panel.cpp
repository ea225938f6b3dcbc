#include "shell/formatting_panel.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <algorithm>
#include <array>

#include "shell/brixel_look.h"
#include "shell/frame.h"
#include "shell/listing_controls.h"
#include "shell/picture_switch.h"
#include "shell/switch_looks.h"
#include "shell/twips.h"

namespace brixel {

namespace {

constexpr int kCheckSize = 465;  // twips, the check looks
constexpr int kCaseSize = 600;   // twips, the case looks

// A caption, which assistive tools also hear as the label of the control it names.
QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent, QWidget* control) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->setBuddy(control);
  label->adjustSize();
  return label;
}

PictureSwitch* MakeSwitch(const char* name, const Picture::Ptr& on_look, int size, QWidget* parent) {
  auto* picture_switch = new PictureSwitch(on_look, TwipsSize(size, size), parent);
  picture_switch->setObjectName(QLatin1String(name));
  return picture_switch;
}

// A caption to the right of a switch, centred on it.
void PlaceRightOf(QLabel& label, const QWidget& beside) {
  const QRect box = beside.geometry();
  label.move(box.right() + 5, box.top() + (box.height() - label.height()) / 2);
}

// A caption centred under a switch, kept off its frame's edges: near the edge a slightly wider
// font would run into the frame's line.
void PlaceUnder(QLabel& label, const QWidget& above, int frame_width) {
  constexpr int kMargin = 10;
  const QRect box = above.geometry();
  int left = box.center().x() + 1 - label.width() / 2;
  left = std::clamp(left, kMargin, frame_width - label.width() - kMargin);
  label.move(left, box.bottom() + 2);
}

}  // namespace

FormattingPanel::FormattingPanel(QWidget& window, const SwitchLooks& looks, const FormattingLayout& layout)
    : QObject(&window), looks_(looks) {
  fra_num_ =
      MakePlacedFrame("FraNum", QStringLiteral("Нумерация"), Frame::Border::Shown, &window, layout.fra_num);

  cbo_razr_ = new QComboBox(fra_num_);
  cbo_razr_->setObjectName(QStringLiteral("CboRazr"));
  for (std::string_view entry : kDigitCountEntries)
    cbo_razr_->addItem(QString::fromLatin1(entry.data(), static_cast<qsizetype>(entry.size())));
  cbo_razr_->setGeometry(TwipsRect(1500, 240, 1215, 315));
  cbo_razr_->setAccessibleName(QStringLiteral("Разрядность"));

  txt_nach_ = new QLineEdit(QStringLiteral("1"), fra_num_);
  txt_nach_->setObjectName(QStringLiteral("TxtNach"));
  txt_nach_->setMaxLength(5);
  txt_nach_->setGeometry(TwipsRect(1500, 660, 1215, 315));
  txt_nach_->setAccessibleName(QStringLiteral("Начать с"));
  txt_nach_->installEventFilter(this);

  pic_num_ = MakeSwitch("PicNum", looks.ImgChecked, kCheckSize, fra_num_);
  pic_num_->move(TwipsPoint(1500, 1080));
  pic_num_->setAccessibleName(QStringLiteral("Нумерация: включить"));

  // Captions at the frame's left, each level with its control.
  const auto caption = [this](const char* name, const QString& text, QWidget& control) {
    QLabel* label = MakeLabel(name, text, fra_num_, &control);
    label->move(Px(120), control.geometry().center().y() - label->height() / 2);
  };
  caption("Label3", QStringLiteral("Разрядность"), *cbo_razr_);
  caption("Label2", QStringLiteral("Начать с"), *txt_nach_);
  caption("Label4", QStringLiteral("Включить"), *pic_num_);

  fra_format_ = MakePlacedFrame("FraFormat", QStringLiteral("Форматирование"), Frame::Border::Shown, &window,
                                layout.fra_format);

  pic_big_ = MakeSwitch("PicBig", looks.ImgRC, kCaseSize, fra_format_);
  pic_small_ = MakeSwitch("PicSmall", looks.ImgRC, kCaseSize, fra_format_);
  pic_per_big_ = MakeSwitch("PicPerBig", looks.ImgRC, kCaseSize, fra_format_);
  pic_break_ = MakeSwitch("PicBreak", looks.ImgChecked, kCheckSize, fra_format_);
  pic_ok_ = MakeSwitch("PicOk", looks.ImgChecked, kCheckSize, fra_format_);
  pic_big_->move(TwipsPoint(120, layout.case_tops[0]));
  pic_small_->move(TwipsPoint(120, layout.case_tops[1]));
  pic_per_big_->move(TwipsPoint(120, layout.case_tops[2]));
  pic_break_->move(TwipsPoint(layout.pic_break.x(), layout.pic_break.y()));
  pic_ok_->move(TwipsPoint(layout.pic_ok.x(), layout.pic_ok.y()));

  const struct {
    PictureSwitch* picture_switch;
    const char* label_name;
    QString caption;
  } captions[] = {{pic_big_, "Label5", QStringLiteral("Все буквы большие")},
                  {pic_small_, "Label6", QStringLiteral("Все буквы маленькие")},
                  {pic_per_big_, "Label7", QStringLiteral("Первая буква большая")},
                  {pic_break_, "Label8", QStringLiteral("Заменить \"_\" на \" \"")},
                  {pic_ok_, "Label11", QStringLiteral("Убрать расширения")}};
  for (const auto& c : captions) {
    QLabel* label = MakeLabel(c.label_name, c.caption, fra_format_, c.picture_switch);
    c.picture_switch->setAccessibleName(c.caption);
    if (c.picture_switch == pic_break_ || c.picture_switch == pic_ok_)
      PlaceUnder(*label, *c.picture_switch, fra_format_->width());
    else
      PlaceRightOf(*label, *c.picture_switch);
  }

  for (PictureSwitch* check : {pic_num_, pic_break_, pic_ok_}) {
    connect(check, &PictureSwitch::clicked, this, [this, check] {
      CheckSwitchClick(*check, looks_);
      emit runRequested();
    });
  }
  for (PictureSwitch* case_switch : {pic_big_, pic_small_, pic_per_big_}) {
    connect(case_switch, &PictureSwitch::clicked, this, [this, case_switch] {
      CaseSwitchClick(*case_switch, {pic_big_, pic_small_, pic_per_big_}, looks_);
      emit runRequested();
    });
    case_switch->installEventFilter(this);
  }
  connect(cbo_razr_, &QComboBox::currentIndexChanged, this, [this] {
    digit_count_ran_ = true;
    emit runRequested();
  });
  // Picking the entry already chosen is a choice too, though the index does not change.
  connect(cbo_razr_, &QComboBox::activated, this, [this] {
    if (!digit_count_ran_) emit runRequested();
    digit_count_ran_ = false;
  });
  cbo_razr_->installEventFilter(this);
}

FormatOptions FormattingPanel::Options() const {
  FormatOptions options;
  if (pic_big_->IsOn())
    options.letter_case = LetterCase::Upper;
  else if (pic_small_->IsOn())
    options.letter_case = LetterCase::Lower;
  else if (pic_per_big_->IsOn())
    options.letter_case = LetterCase::FirstCapital;
  options.underscores = pic_break_->IsOn();
  options.numbering = pic_num_->IsOn();
  options.digits = std::clamp(cbo_razr_->currentIndex() + 1, kMinDigits, kMaxDigits);
  options.start_text = txt_nach_->text().toStdString();
  options.remove_extension = pic_ok_->IsOn();
  return options;
}

void FormattingPanel::OptionReset() {
  pic_num_->ShowLook(looks_.ImgUnchecked);
  pic_break_->ShowLook(looks_.ImgUnchecked);
  pic_big_->ShowLook(looks_.ImgRU);
  pic_small_->ShowLook(looks_.ImgRU);
  pic_per_big_->ShowLook(looks_.ImgRU);
  pic_ok_->ShowLook(looks_.ImgUnchecked);
  cbo_razr_->setCurrentIndex(0);
  txt_nach_->setText(QStringLiteral("1"));
  ShowStartTextValid(true);
}

void FormattingPanel::SetOptions(const FormatOptions& options) {
  const QSignalBlocker quiet(this);
  const auto look = [this](bool on) { return on ? looks_.ImgChecked : looks_.ImgUnchecked; };
  const auto case_look = [this, &options](LetterCase c) {
    return options.letter_case == c ? looks_.ImgRC : looks_.ImgRU;
  };
  pic_num_->ShowLook(look(options.numbering));
  pic_break_->ShowLook(look(options.underscores));
  pic_ok_->ShowLook(look(options.remove_extension));
  pic_big_->ShowLook(case_look(LetterCase::Upper));
  pic_small_->ShowLook(case_look(LetterCase::Lower));
  pic_per_big_->ShowLook(case_look(LetterCase::FirstCapital));
  cbo_razr_->setCurrentIndex(std::clamp(options.digits, kMinDigits, kMaxDigits) - 1);
  txt_nach_->setText(QString::fromStdString(options.start_text));
}

void FormattingPanel::ShowStartTextValid(bool valid) {
  QPalette palette = txt_nach_->palette();
  palette.setColor(QPalette::Text, valid ? QColor(Qt::black) : QColor(Qt::red));
  txt_nach_->setPalette(palette);
  txt_nach_->setToolTip(valid ? QString() : QStringLiteral("Начальный номер должен быть числом"));
}

QList<QWidget*> FormattingPanel::TabOrder() const {
  return {cbo_razr_, txt_nach_, pic_num_, pic_big_, pic_small_, pic_per_big_, pic_break_, pic_ok_};
}

bool FormattingPanel::eventFilter(QObject* watched, QEvent* event) {
  // Each user action on the digit count starts afresh: a change of index it makes runs once.
  if (watched == cbo_razr_ && (event->type() == QEvent::MouseButtonPress ||
                               event->type() == QEvent::KeyPress || event->type() == QEvent::Wheel))
    digit_count_ran_ = false;
  if (watched == txt_nach_ && event->type() == QEvent::KeyRelease && !txt_nach_->text().isEmpty())
    emit runRequested();
  if (event->type() == QEvent::KeyPress && MoveInCaseGroup(watched, static_cast<QKeyEvent*>(event)->key()))
    return true;
  return QObject::eventFilter(watched, event);
}

bool FormattingPanel::MoveInCaseGroup(QObject* from, int key) {
  // As in a radio group: the arrows go round the three, and the selection goes along if the
  // switch left was selected.
  int step = 0;
  if (key == Qt::Key_Down || key == Qt::Key_Right) step = 1;
  if (key == Qt::Key_Up || key == Qt::Key_Left) step = -1;
  const std::array<PictureSwitch*, 3> group{pic_big_, pic_small_, pic_per_big_};
  const auto at = std::find(group.begin(), group.end(), from);
  if (step == 0 || at == group.end()) return false;
  PictureSwitch* to = group[static_cast<std::size_t>((at - group.begin() + step + 3) % 3)];
  to->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  if ((*at)->IsOn()) to->click();
  return true;
}

}  // namespace brixel
