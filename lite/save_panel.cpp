#include "lite/save_panel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "full/shell/dialog_facade.h"
#include "full/shell/frame.h"
#include "full/shell/twips.h"
#include "lite/save_format.h"

namespace brixel {

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

SavePanel::SavePanel(QWidget& window, DialogFacade& dialogs)
    : QObject(&window), window_(window), dialogs_(dialogs) {
  fra_save_ = new Frame(QStringLiteral("Сохранение"), Frame::Border::Shown, &window);
  fra_save_->setObjectName(QStringLiteral("FraSave"));
  fra_save_->setGeometry(TwipsRect(1740, 7680, 4935, 795));

  cbo_save_ = new QComboBox(fra_save_);
  cbo_save_->setObjectName(QStringLiteral("CboSave"));
  cbo_save_->setAccessibleName(QStringLiteral("Формат списка"));
  cbo_save_->setGeometry(TwipsRect(180, 300, 1215, 315));
  {
    const QSignalBlocker quiet(cbo_save_);  // start-up makes the first choice itself
    for (std::string_view entry : kSaveFormatEntries) cbo_save_->addItem(FromUtf8(entry));
    cbo_save_->setCurrentIndex(-1);
  }

  txt_save_ = new QLineEdit(fra_save_);
  txt_save_->setObjectName(QStringLiteral("txtSave"));
  txt_save_->setAccessibleName(QStringLiteral("Файл списка"));
  txt_save_->setGeometry(TwipsRect(1500, 300, 2835, 315));

  cmd_save_ = new QPushButton(QStringLiteral("..."), fra_save_);
  cmd_save_->setObjectName(QStringLiteral("CmdSave"));
  cmd_save_->setAccessibleName(QStringLiteral("Выбрать файл списка"));
  cmd_save_->setGeometry(TwipsRect(4380, 300, 315, 315));

  connect(cbo_save_, &QComboBox::currentIndexChanged, this, &SavePanel::OnFormatChosen);
  connect(cmd_save_, &QPushButton::clicked, this, &SavePanel::ChooseOutputFile);
  // A path typed by hand is the one saved to, so the tool tip shows it too.
  connect(txt_save_, &QLineEdit::textEdited, txt_save_, &QWidget::setToolTip);
}

void SavePanel::ChooseFormat(int index) {
  if (cbo_save_->currentIndex() == index)
    OnFormatChosen(index);
  else
    cbo_save_->setCurrentIndex(index);
}

void SavePanel::OnFormatChosen(int index) {
  if (index < 0) return;
  const QString entry = cbo_save_->itemText(index);
  save_format_ = entry;
  SetOutputFile(FromUtf8(OutputTextAfterFormatChoice(txt_save_->text().toStdString(), entry.toStdString())));
}

void SavePanel::SetOutputFile(const QString& path) {
  txt_save_->setText(path);
  txt_save_->setToolTip(path);
}

void SavePanel::ChooseOutputFile() {
  const std::optional<SaveFileChoice> choice = dialogs_.AskSaveFile(&window_, {save_format_}, 1);
  if (!choice || choice->path.isEmpty()) return;  // cancelled: the box keeps its text
  SetOutputFile(
      FromUtf8(OutputTextFromDialog(choice->path.toStdString(), cbo_save_->currentText().toStdString())));
}

}  // namespace brixel
