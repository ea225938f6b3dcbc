#include "shell/folder_list_model.h"

#include "core/listing/subfolder_choice.h"
#include "core/platform/folder_path.h"

namespace brixel {

bool FolderListModel::SetPath(const std::string& top_in, const std::string& path_in) {
  const std::string top = TidyFolderPath(top_in);
  const std::string path = TidyFolderPath(path_in);
  if (!FolderIsUnder(path, top) || !FolderOpens(path)) return false;

  std::vector<Row> rows;
  for (const std::string& folder : FolderChain(top, path)) {
    // The top shows whole; each folder below it by its own name.
    std::string_view name = folder;
    if (!rows.empty()) {
      std::size_t cut = name.size();
      while (cut > 0 && !IsFolderSeparator(name[cut - 1])) --cut;
      name.remove_prefix(cut);
    }
    rows.push_back({folder, QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                    static_cast<int>(rows.size()), true});
  }
  beginResetModel();
  current_row_ = static_cast<int>(rows.size()) - 1;
  rows_ = std::move(rows);
  top_ = top;
  path_ = path;
  endResetModel();
  return true;
}

void FolderListModel::ShowSubfolders(const std::vector<std::string>& names) {
  if (names.empty()) return;
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(names.size()) - 1);
  rows_.reserve(rows_.size() + names.size());
  for (const std::string& name : names)
    rows_.push_back({JoinFolder(path_, name), QString::fromStdString(name), current_row_ + 1, false});
  endInsertRows();
}

std::string FolderListModel::PathAt(int row) const {
  return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].path : std::string();
}

int FolderListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant FolderListModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
  const Row& row = rows_[static_cast<std::size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole:
      return row.name;
    case Qt::ToolTipRole:
      return QString::fromStdString(row.path);
    case DepthRole:
      return row.depth;
    case OpenRole:
      return row.open;
    default:
      return {};
  }
}

}  // namespace brixel
