#pragma once
// What the folder list shows, as a folder list box does: the folders from the top of the drive
// down to the chosen folder (open), then the subfolders it offers to choose (closed), in the
// order the core gives them. The subfolders come separately, once they have been read.
#include <QAbstractListModel>
#include <string>
#include <vector>

namespace brixel {

class FolderListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  enum Role { DepthRole = Qt::UserRole + 1, OpenRole };

  using QAbstractListModel::QAbstractListModel;

  // Shows path, which must be top or lie below it, with the folders down to it and no subfolders
  // yet. Returns false and changes nothing when the folder cannot be opened.
  bool SetPath(const std::string& top, const std::string& path);
  // Adds the subfolders of the folder shown, bare names in the order to show them.
  void ShowSubfolders(const std::vector<std::string>& names);

  const std::string& Top() const { return top_; }
  const std::string& Path() const { return path_; }
  std::string PathAt(int row) const;
  int CurrentRow() const { return current_row_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  struct Row {
    std::string path;
    QString name;
    int depth;
    bool open;
  };
  std::vector<Row> rows_;
  std::string top_;
  std::string path_;
  int current_row_ = -1;
};

}  // namespace brixel
