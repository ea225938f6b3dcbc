#pragma once
// The folder list (Dir1): shows the chosen folder among its parents and subfolders; a double
// click or Enter opens a folder, Backspace goes up. Any change of the shown folder, by the user or
// by the program, is reported once. The subfolders are read on a thread of their own: a huge
// folder shows its parents at once and its subfolders when they have been read, and choosing
// another folder meanwhile leaves it.
#include <QListView>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/folder.h"
#include "shell/folder_list_model.h"
#include "shell/latest_answer.h"

namespace brixel {

class FolderList : public QListView {
  Q_OBJECT

 public:
  explicit FolderList(QWidget* parent);

  // Shows path (top or a folder below it) and starts reading its subfolders. Returns false and
  // changes nothing when the folder cannot be opened.
  bool SetPath(const std::string& top, const std::string& path);

  const std::string& Path() const { return model_.Path(); }
  // Where the subfolders are read; null, as at first: the platform's own folders.
  void ReadFrom(const platform::FolderSource* folders) { folders_ = folders; }

  // The subfolders of the folder shown are still being read.
  bool Loading() const { return reading_.Waiting(); }
  FolderListModel& Model() { return model_; }

  // Opens the folder of a row, as a double click does.
  void OpenRow(int row);

 signals:
  void pathChanged();
  // The subfolders of the folder shown have been read and are in the list.
  void subfoldersShown();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowSubfolders(const std::optional<std::vector<std::string>>& names);

  FolderListModel model_;
  const platform::FolderSource* folders_ = nullptr;
  LatestAnswer reading_;
};

}  // namespace brixel
