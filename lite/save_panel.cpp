#include "lite/save_panel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "lite/save_format.h"
#include "shell/column_choice.h"
#include "shell/dialog_facade.h"
#include "shell/frame.h"
#include "shell/twips.h"

namespace brixel {

SavePanel::SavePanel(QWidget& window, DialogFacade& dialogs)
    : QObject(&window), window_(window), dialogs_(dialogs) {
  fra_save_ = new Frame(QStringLiteral("Сохранение"), Frame::Border::Shown, &window);
  fra_save_->setObjectName(QStringLiteral("FraSave"));
  fra_save_->setGeometry(TwipsRect(1740, 7680, 4935, 795));

  cbo_save_ = new QComboBox(fra_save_);
  cbo_save_->setObjectName(QStringLiteral("CboSave"));
  cbo_save_->setAccessibleName(QStringLiteral("Формат списка"));
  cbo_save_->setGeometry(TwipsRect(180, 300, 1215, 315));
  for (std::string_view entry : kSaveFormatEntries) cbo_save_->addItem(QString::fromUtf8(entry));
  cbo_save_->setCurrentIndex(-1);  // start-up makes the first choice itself

  columns_ = new ColumnChoice(fra_save_);
  columns_->setGeometry(TwipsRect(1470, 285, 1020, 345));

  txt_save_ = new QLineEdit(fra_save_);
  txt_save_->setObjectName(QStringLiteral("txtSave"));
  txt_save_->setAccessibleName(QStringLiteral("Файл списка"));
  txt_save_->setGeometry(TwipsRect(2565, 300, 1770, 315));

  cmd_save_ = new QPushButton(QStringLiteral("..."), fra_save_);
  cmd_save_->setObjectName(QStringLiteral("CmdSave"));
  cmd_save_->setAccessibleName(QStringLiteral("Выбрать файл списка"));
  cmd_save_->setGeometry(TwipsRect(4380, 300, 315, 315));

  // Picking the entry already shown is a choice too: it puts the extension back on a typed path.
  connect(cbo_save_, &QComboBox::activated, this, &SavePanel::OnFormatChosen);
  connect(cmd_save_, &QPushButton::clicked, this, &SavePanel::ChooseOutputFile);
  // A path typed by hand is the one saved to, so the tool tip shows it too.
  connect(txt_save_, &QLineEdit::textEdited, txt_save_, &QWidget::setToolTip);
}

QString SavePanel::SaveFormat() const {
  return cbo_save_->currentText();
}

void SavePanel::ChooseFormat(int index) {
  cbo_save_->setCurrentIndex(index);
  OnFormatChosen(index);
}

void SavePanel::OnFormatChosen(int index) {
  if (index < 0) return;
  const std::string entry = cbo_save_->itemText(index).toStdString();
  SetOutputFile(QString::fromUtf8(OutputTextAfterFormatChoice(txt_save_->text().toStdString(), entry)));
}

void SavePanel::SetOutputFile(const QString& path) {
  txt_save_->setText(path);
  txt_save_->setToolTip(path);
}

void SavePanel::ChooseOutputFile() {
  const QString save_format = SaveFormat();
  const SaveFileChoice choice = dialogs_.AskSaveFile(&window_, {save_format}, 1);
  if (choice.path.isEmpty()) return;  // cancelled: the box keeps its text
  SetOutputFile(
      QString::fromUtf8(OutputTextFromDialog(choice.path.toStdString(), save_format.toStdString())));
}

}  // namespace brixel
