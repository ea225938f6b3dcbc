#pragma once
// The modal dialogs a window asks the user through: the save-file dialog and the message box.
// Windows call this interface only, so tests answer in the dialogs' place without a display.
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace brixel {

struct SaveFileChoice {
  QString path;          // as the user typed or picked it; empty when cancelled
  int filter_index = 1;  // 1-based position of the chosen file type
};

class DialogFacade {
 public:
  virtual ~DialogFacade() = default;

  // Shows the save dialog with these file types, the one at filter_index (1-based) chosen at first
  // and no file name. Nothing is returned when the user cancels.
  virtual std::optional<SaveFileChoice> AskSaveFile(QWidget* parent, const QStringList& file_types,
                                                    int filter_index) = 0;

  // A message with one OK button and no icon.
  virtual void ShowMessage(QWidget* parent, const QString& title, const QString& text) = 0;

  // The folder the save dialog opens in, which follows the file last chosen; empty: the dialog's
  // own choice.
  QString SaveFolder() const { return save_folder_; }
  void SetSaveFolder(const QString& folder) { save_folder_ = folder; }

 protected:
  QString save_folder_;
};

}  // namespace brixel
