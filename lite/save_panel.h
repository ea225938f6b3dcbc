#pragma once
// The save panel, frame "Сохранение": the format list CboSave, the details the list holds beside
// the names (CmdColumns, «Столбцы»), the output file box txtSave and the button CmdSave ("..."),
// which picks the output file in the save dialog. The save format is
// the chosen CboSave entry, which is also the dialog's whole filter; the output box's tool tip
// repeats its text.
#include <QObject>
#include <QString>

class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace brixel {

class ColumnChoice;
class DialogFacade;
class Frame;

class SavePanel : public QObject {
  Q_OBJECT

 public:
  SavePanel(QWidget& window, DialogFacade& dialogs);

  Frame& FraSave() const { return *fra_save_; }
  QComboBox& CboSave() const { return *cbo_save_; }
  QLineEdit& TxtSave() const { return *txt_save_; }
  QPushButton& CmdSave() const { return *cmd_save_; }
  ColumnChoice& Columns() const { return *columns_; }

  // "*.xls", "*.txt" or "*.htm"; empty until start-up makes the first choice.
  QString SaveFormat() const;

  // Selects an entry as a choice by the user does, also when it is already selected.
  void ChooseFormat(int index);

  // The output box and its tool tip, as the program sets them.
  void SetOutputFile(const QString& path);

  // Asks for the output file, as a click on CmdSave does.
  void ChooseOutputFile();

 private:
  void OnFormatChosen(int index);

  QWidget& window_;
  DialogFacade& dialogs_;
  Frame* fra_save_;
  QComboBox* cbo_save_;
  QLineEdit* txt_save_;
  QPushButton* cmd_save_;
  ColumnChoice* columns_;
};

}  // namespace brixel
