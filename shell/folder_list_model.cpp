#include "shell/folder_list_model.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/listing/name_order.h"
#include "core/platform/file_path.h"
#include "core/platform/folder.h"
#include "core/platform/collation.h"
#include "shell/drive_list.h"

namespace brixel {

std::string TidyFolderPath(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string JoinFolder(const std::string& folder, std::string_view name) {
  std::string joined = folder;
  if (joined.empty() || joined.back() != '/') joined += '/';
  joined += name;
  return joined;
}

namespace {

bool IsFolderBehindLink(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path p = PathFromUtf8(path);
  return std::filesystem::is_symlink(p, ec) && std::filesystem::is_directory(p, ec);
}

}  // namespace

bool FolderListModel::SetPath(const std::string& top_in, const std::string& path_in) {
  const std::string top = TidyFolderPath(top_in);
  const std::string path = TidyFolderPath(path_in);
  if (!FolderIsUnder(path, top)) return false;

  int error = 0;
  const std::unique_ptr<platform::OpenFolder> folder = platform::OpenFolder::Open(path, error);
  if (!folder) return false;
  platform::FolderListing listing;
  folder->ReadAll(listing, error);  // what could be read is shown

  std::vector<Row> rows;
  rows.push_back({top, QString::fromStdString(top), 0, true});
  std::string walked = top;
  std::size_t at = top.size();
  while (at < path.size()) {
    if (path[at] == '/') ++at;
    const std::size_t end = std::min(path.find('/', at), path.size());
    const std::string_view part(path.data() + at, end - at);
    walked = JoinFolder(walked, part);
    rows.push_back({walked, QString::fromUtf8(part.data(), static_cast<qsizetype>(part.size())),
                    static_cast<int>(rows.size()), true});
    at = end;
  }
  const int current_row = static_cast<int>(rows.size()) - 1;
  const int child_depth = static_cast<int>(rows.size());

  std::vector<Row> children;
  for (const platform::FolderEntry& entry : listing.entries) {
    const std::string_view name = listing.Name(entry);
    if (name.empty() || name.front() == '.') continue;
    // A link to a folder (~/Music pointing to another disk) is offered to choose; the scan still
    // never follows links below the folder chosen.
    if (entry.kind != platform::EntryKind::Folder &&
        !(entry.kind == platform::EntryKind::Other && IsFolderBehindLink(JoinFolder(path, name))))
      continue;
    children.push_back({JoinFolder(path, name),
                        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), child_depth,
                        false});
  }
  // The reader's order, numbers by value ("Disc 9" before "Disc 10"): one sort key per folder.
  std::vector<std::pair<std::string, std::size_t>> keys(children.size());
  for (std::size_t i = 0; i < children.size(); ++i) {
    UserCollator().AppendSortKey(children[i].path.substr(path.size()), keys[i].first);
    keys[i].second = i;
  }
  std::sort(keys.begin(), keys.end());
  for (const auto& key : keys) rows.push_back(std::move(children[key.second]));

  beginResetModel();
  rows_ = std::move(rows);
  top_ = top;
  path_ = path;
  current_row_ = current_row;
  endResetModel();
  return true;
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
