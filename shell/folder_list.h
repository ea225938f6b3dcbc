#pragma once
// The folder list (Dir1): shows the chosen folder among its parents and subfolders; a double
// click or Enter opens a folder, Backspace goes up. Any change of the shown folder, by the user or
// by the program, is reported once.
#include <QListView>
#include <string>

#include "shell/folder_list_model.h"

namespace brixel {

class FolderList : public QListView {
  Q_OBJECT

 public:
  explicit FolderList(QWidget* parent);

  // Shows path (top or a folder below it). Returns false and changes nothing when the folder
  // cannot be opened.
  bool SetPath(const std::string& top, const std::string& path);

  const std::string& Path() const { return model_.Path(); }
  FolderListModel& Model() { return model_; }

  // Opens the folder of a row, as a double click does.
  void OpenRow(int row);

 signals:
  void pathChanged();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  FolderListModel model_;
};

}  // namespace brixel
