#include "core/listing/subfolder_choice.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/platform/collation.h"
#include "core/platform/file_path.h"
#include "core/platform/folder.h"
#include "core/platform/folder_path.h"

namespace brixel {

namespace {

bool IsFolderBehindLink(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path p = PathFromUtf8(path);
  return std::filesystem::is_symlink(p, ec) && std::filesystem::is_directory(p, ec);
}

}  // namespace

bool FolderOpens(const std::string& folder) {
  std::error_code ec;
  return platform::OpenFolder::Open(folder, ec) != nullptr;
}

std::optional<std::vector<std::string>> SubfoldersToOffer(const std::string& folder, const Collator& collator,
                                                          std::stop_token stop,
                                                          const platform::FolderSource& folders) {
  std::error_code ec;
  const std::unique_ptr<platform::OpenFolder> open = folders.Open(folder, ec);
  if (!open) return std::nullopt;
  platform::FolderListing listing;
  open->ReadAll(listing, ec, stop);  // what could be read is offered
  if (stop.stop_requested()) return std::nullopt;

  std::vector<std::pair<std::string, std::string>> keyed;  // sort key, name
  for (const platform::FolderEntry& entry : listing.entries) {
    const std::string_view name = listing.Name(entry);
    if (name.empty() || name.front() == '.') continue;
    if (entry.kind != platform::EntryKind::Folder &&
        !(entry.kind == platform::EntryKind::Other && IsFolderBehindLink(JoinFolder(folder, name))))
      continue;
    std::string key;
    collator.AppendSortKey(name, key);
    keyed.emplace_back(std::move(key), std::string(name));
  }
  std::sort(keyed.begin(), keyed.end());
  std::vector<std::string> names;
  names.reserve(keyed.size());
  for (auto& [key, name] : keyed) names.push_back(std::move(name));
  return names;
}

}  // namespace brixel
