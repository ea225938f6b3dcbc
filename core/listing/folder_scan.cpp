#include "core/listing/folder_scan.h"

#include <memory>
#include <vector>

#include "core/listing/mask.h"
#include "core/listing/mask_list.h"
#include "core/listing/name_order.h"
#include "core/platform/folder.h"
#include "core/platform/folder_path.h"

namespace brixel {

namespace {

using platform::EntryKind;
using platform::FolderIdentity;
using platform::FolderListing;
using platform::OpenFolder;

// The masks of one line that can list anything, in line order; empty masks give no pass.
std::vector<Mask> CompileMasks(const std::vector<std::string>& texts) {
  std::vector<Mask> masks;
  for (const std::string& text : texts)
    if (!text.empty()) masks.emplace_back(text);
  return masks;
}

// Hands a folder's matching files to the target, mask by mask, from one reading of the folder.
class FolderMatcher {
 public:
  explicit FolderMatcher(std::vector<Mask> masks) : masks_(std::move(masks)), buckets_(masks_.size()) {}

  void Emit(const FolderListing& listing, ListTarget& target) {
    if (masks_.size() == 1) {  // the common case needs no buckets
      for (const auto& e : listing.entries)
        if (e.kind == EntryKind::File && masks_[0].Matches(listing.Name(e))) target.Append(listing.Name(e));
      return;
    }
    for (auto& b : buckets_) b.clear();
    for (std::uint32_t i = 0; i < listing.entries.size(); ++i) {
      const auto& e = listing.entries[i];
      if (e.kind != EntryKind::File) continue;
      for (std::size_t m = 0; m < masks_.size(); ++m)
        if (masks_[m].Matches(listing.Name(e))) buckets_[m].push_back(i);
    }
    for (const auto& bucket : buckets_)
      for (std::uint32_t i : bucket) target.Append(listing.Name(listing.entries[i]));
  }

 private:
  std::vector<Mask> masks_;
  std::vector<std::vector<std::uint32_t>> buckets_;
};

ScanReport ListOneFolder(const std::string& folder, FolderMatcher& matcher, ListTarget& target) {
  ScanReport report;
  int error = 0;
  auto open = OpenFolder::Open(folder, error);
  if (!open) {
    report.folder_error = error;
    return report;
  }
  FolderListing listing;
  if (!open->ReadAll(listing, error)) report.folder_error = error;
  matcher.Emit(listing, target);
  return report;
}

// The depth-first walk, without recursion and without one open folder per level: each level
// keeps the names of its subfolders still to visit, and at most kMaxOpenFolders folders stay
// open. A level whose folder was closed is reopened from its nearest open ancestor by name, and
// checked to be the same folder.
class TreeWalk {
 public:
  TreeWalk(FolderMatcher& matcher, ListTarget& target, std::stop_token stop)
      : matcher_(matcher), target_(target), stop_(std::move(stop)) {}

  ScanReport Run(const std::string& folder) {
    root_path_ = folder;
    int error = 0;
    auto root = OpenFolder::Open(folder, error);
    if (!root) {
      report_.folder_error = error;
      return report_;
    }
    Enter(std::move(root), {});
    while (!levels_.empty()) {
      if (stop_.stop_requested()) {
        report_.stopped = true;
        break;
      }
      Step();
    }
    return report_;
  }

 private:
  struct Level {
    std::unique_ptr<OpenFolder> folder;  // null while closed to save descriptors
    std::string name;                    // bare name within the parent level
    FolderIdentity identity;
    std::string subfolder_names;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> subfolders;  // offset, size
    std::size_t next = 0;
  };

  static constexpr std::size_t kMaxOpenFolders = 48;

  void Enter(std::unique_ptr<OpenFolder> folder, std::string name) {
    listing_.Clear();
    int error = 0;
    if (!folder->ReadAll(listing_, error)) {
      if (levels_.empty())
        report_.folder_error = error;
      else
        Skip(name, error);
    }
    matcher_.Emit(listing_, target_);

    Level level;
    level.identity = folder->Identity();
    level.folder = std::move(folder);
    level.name = std::move(name);
    for (const auto& e : listing_.entries) {
      if (e.kind != EntryKind::Folder) continue;
      const std::string_view n = listing_.Name(e);
      level.subfolders.emplace_back(static_cast<std::uint32_t>(level.subfolder_names.size()),
                                    static_cast<std::uint32_t>(n.size()));
      level.subfolder_names.append(n);
    }
    levels_.push_back(std::move(level));
    ++open_count_;
    LimitOpenFolders();
  }

  void Step() {
    Level& top = levels_.back();
    if (top.next == top.subfolders.size()) {
      if (top.folder) --open_count_;
      levels_.pop_back();
      return;
    }
    const auto [offset, size] = top.subfolders[top.next++];
    const std::string_view name(top.subfolder_names.data() + offset, size);
    int reopen_error = 0;
    if (!top.folder && !Reopen(levels_.size() - 1, reopen_error)) {
      Skip({}, reopen_error);
      levels_.back().next = levels_.back().subfolders.size();  // its subtree is gone
      return;
    }
    int error = 0;
    auto child = levels_.back().folder->OpenChild(name, error);
    if (!child) {
      Skip(name, error);
      return;
    }
    const FolderIdentity id = child->Identity();
    for (const Level& l : levels_)
      if (l.identity == id) return;  // already inside it (a bind mount of an ancestor)
    Enter(std::move(child), std::string(name));
  }

  // Reopens level i (closed) from the nearest open ancestor; false (and why) when that is not
  // possible or the folder found is not the one left.
  bool Reopen(std::size_t i, int& error) {
    std::size_t a = i;
    while (!levels_[a].folder) --a;  // level 0 is never closed
    for (std::size_t j = a + 1; j <= i; ++j) {
      auto f = levels_[j - 1].folder->OpenChild(levels_[j].name, error);
      if (!f) return false;
      if (!(f->Identity() == levels_[j].identity)) {
        error = platform::NotFoundError();  // another folder stands under the old name
        return false;
      }
      levels_[j].folder = std::move(f);
      ++open_count_;
    }
    LimitOpenFolders();
    return true;
  }

  // Closes the shallowest open levels (never the root or the deepest) until few enough stay open.
  void LimitOpenFolders() {
    for (std::size_t j = 1; open_count_ > kMaxOpenFolders && j + 1 < levels_.size(); ++j) {
      if (levels_[j].folder) {
        levels_[j].folder.reset();
        --open_count_;
      }
    }
  }

  // Records a subfolder that could not be read: name below the deepest level (empty: that level
  // itself, which could not be found again).
  void Skip(std::string_view name, int error) {
    std::string path = root_path_;
    for (std::size_t i = 1; i < levels_.size(); ++i) path = JoinFolder(path, levels_[i].name);
    if (!name.empty()) path = JoinFolder(path, name);
    report_.skipped.push_back({std::move(path), error});
  }

  FolderMatcher& matcher_;
  ListTarget& target_;
  std::stop_token stop_;
  std::string root_path_;
  std::vector<Level> levels_;
  FolderListing listing_;
  std::size_t open_count_ = 0;
  ScanReport report_;
};

}  // namespace

ScanReport ListMaskLine(const std::string& folder, std::string_view mask_line, ListTarget& target) {
  FolderMatcher matcher(CompileMasks(SplitMaskLine(mask_line)));
  return ListOneFolder(folder, matcher, target);
}

ScanReport ListFolderTree(const std::string& folder, std::string_view mask_line, ListTarget& target,
                          std::stop_token stop) {
  FolderMatcher matcher(CompileMasks(SplitMaskLine(mask_line)));
  TreeWalk walk(matcher, target, std::move(stop));
  return walk.Run(folder);
}

ScanReport Scan(const ScanRequest& request, ListTarget& target, std::stop_token stop) {
  const auto walk = [&](ListTarget& to) {
    return request.subfolders ? ListFolderTree(request.folder, request.mask_line, to, stop)
                              : ListMaskLine(request.folder, request.mask_line, to);
  };
  if (request.order == ScanOrder::AsFound) return walk(target);

  struct Collect : ListTarget {
    NameColumn names;
    void Append(std::string_view name) override { names.Append(name); }
  } collect;
  const ScanReport report = walk(collect);
  if (report.stopped) return report;
  SortNames(collect.names, request.collator != nullptr ? *request.collator : UserCollator());
  target.AppendAll(std::move(collect.names));
  return report;
}

}  // namespace brixel
