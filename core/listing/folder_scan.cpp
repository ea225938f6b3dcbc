#include "core/listing/folder_scan.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <span>
#include <unordered_set>
#include <vector>

#include "core/listing/detailed_listing.h"
#include "core/listing/details_readers.h"
#include "core/listing/mask.h"
#include "core/listing/mask_list.h"
#include "core/listing/name_order.h"
#include "core/listing/sorting_target.h"
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

// Where a folder's matching names are counted for the progress sink while it is matched: a folder
// of a million files moves the count too, not only the next folder.
struct MatchProgress {
  const WorkControl& control;
  std::string_view folder;
  std::size_t folders_read;
  std::size_t names_before;  // found in the folders before this one

  // As often as a pass over a list reports: the sink decides itself how often it passes it on.
  void Found(std::size_t emitted) const {
    if (emitted % WorkControl::kRowsPerCheck == 0)
      control.ReadingFolder(folder, folders_read, names_before + emitted);
  }
};

// Hands a folder's matching files to the target, mask by mask, from one reading of the folder.
class FolderMatcher {
 public:
  // With `readers`, each matching file goes to them (and from them to their target) instead.
  explicit FolderMatcher(std::vector<Mask> masks, DetailsReaders* readers = nullptr)
      : masks_(std::move(masks)), buckets_(masks_.size()), readers_(readers) {}

  // Returns how many names it handed on. `folder` read the listing; `relative` is its path below
  // the chosen folder.
  std::size_t Emit(const FolderListing& listing, ListTarget& target,
                   const std::shared_ptr<OpenFolder>& folder, std::string_view relative,
                   const MatchProgress& progress) {
    if (readers_ != nullptr) return EmitDetailed(listing, folder, relative, progress);
    std::size_t emitted = 0;
    if (masks_.size() == 1) {  // the common case needs no buckets
      for (const auto& e : listing.entries)
        if (e.kind == EntryKind::File && masks_[0].Matches(listing.Name(e))) {
          target.Append(listing.Name(e));
          progress.Found(++emitted);
        }
      return emitted;
    }
    FillBuckets(listing);
    for (const auto& bucket : buckets_)
      for (std::uint32_t i : bucket) {
        target.Append(listing.Name(listing.entries[i]));
        progress.Found(++emitted);
      }
    return emitted;
  }

 private:
  void FillBuckets(const FolderListing& listing) {
    for (auto& b : buckets_) b.clear();
    for (std::uint32_t i = 0; i < listing.entries.size(); ++i) {
      const auto& e = listing.entries[i];
      if (e.kind != EntryKind::File) continue;
      for (std::size_t m = 0; m < masks_.size(); ++m)
        if (masks_[m].Matches(listing.Name(e))) buckets_[m].push_back(i);
    }
  }

  // The folder's files in the order the names-only pass hands them on, to the readers in batches
  // of one progress step: a folder of a million files never waits whole.
  std::size_t EmitDetailed(const FolderListing& listing, const std::shared_ptr<OpenFolder>& folder,
                           std::string_view relative, const MatchProgress& progress) {
    FillBuckets(listing);
    matched_.clear();
    for (const auto& bucket : buckets_) matched_.insert(matched_.end(), bucket.begin(), bucket.end());
    const std::span<const std::uint32_t> matched(matched_);
    for (std::size_t begin = 0; begin < matched.size(); begin += WorkControl::kRowsPerCheck) {
      const std::size_t end = std::min(matched.size(), begin + WorkControl::kRowsPerCheck);
      readers_->Add(folder, listing, matched.subspan(begin, end - begin), relative);
      progress.Found(end);
    }
    return matched.size();
  }

  std::vector<Mask> masks_;
  std::vector<std::vector<std::uint32_t>> buckets_;
  DetailsReaders* readers_;
  std::vector<std::uint32_t> matched_;
};

// One folder, every mask of the line, in scan order.
ScanReport ListMaskLine(const std::string& folder, const platform::FolderSource& folders,
                        FolderMatcher& matcher, ListTarget& target, const WorkControl& control) {
  ScanReport report;
  control.ReadingFolder(folder, 0, 0);
  std::error_code error;
  std::shared_ptr<OpenFolder> open = folders.Open(folder, error);
  if (!open) {
    report.folder_error = error;
    return report;
  }
  FolderListing listing;
  if (!open->ReadAll(listing, error, control.stop)) report.folder_error = error;
  report.stopped = control.stop.stop_requested();
  if (!report.stopped) matcher.Emit(listing, target, open, {}, {control, folder, 0, 0});
  return report;
}

// Tells the folders of the open chain apart by volume and file number.
struct IdentityHash {
  std::size_t operator()(const FolderIdentity& id) const noexcept {
    return std::hash<std::uint64_t>{}(id.file ^ (id.volume * 0x9E3779B97F4A7C15ull));
  }
};

// The depth-first walk, without recursion and without one open folder per level: each level
// keeps the names of its subfolders still to visit, and at most kMaxOpenFolders folders stay
// open - the root and the deepest levels. Going back up, a parent that was closed is opened
// again through ".." of the child being left; should that not be the folder left (the tree
// changed under the walk), it is reopened from the root by names and checked to be the same.
// Every step costs the same at any depth: the chain's identities are in a hash set, and the
// open levels are the root and those from first_open_ down.
class TreeWalk {
 public:
  TreeWalk(const platform::FolderSource& folders, FolderMatcher& matcher, ListTarget& target,
           const WorkControl& control)
      : folders_(folders), matcher_(matcher), target_(target), control_(control) {}

  ScanReport Run(const std::string& folder) {
    path_ = folder;
    root_size_ = folder.size();
    control_.ReadingFolder(path_, folders_read_, names_found_);
    std::error_code error;
    auto root = folders_.Open(folder, error);
    if (!root) {
      report_.folder_error = error;
      return report_;
    }
    const FolderIdentity id = root->Identity();
    Enter(std::move(root), {}, id);
    while (!levels_.empty() && !control_.stop.stop_requested()) Step();
    report_.stopped = control_.stop.stop_requested();
    return report_;
  }

 private:
  struct Level {
    std::shared_ptr<OpenFolder> folder;  // null while closed to save descriptors (readers of its
                                         // files may still hold it open a while)
    std::string name;                    // bare name within the parent level
    std::size_t path_size = 0;           // path_ is the level's path cut to this size
    FolderIdentity identity;
    std::string subfolder_names;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> subfolders;  // offset, size
    std::size_t next = 0;
  };

  static constexpr std::size_t kMaxOpenFolders = 48;

  // path_ is the folder's own path here.
  void Enter(std::shared_ptr<OpenFolder> folder, std::string name, FolderIdentity identity) {
    if (!levels_.empty()) control_.ReadingFolder(path_, folders_read_, names_found_);
    listing_.Clear();
    std::error_code error;
    if (!folder->ReadAll(listing_, error, control_.stop)) {
      if (levels_.empty())
        report_.folder_error = error;
      else
        Skip(error);
    }
    if (control_.stop.stop_requested()) return;  // a part of a folder is no listing of it
    names_found_ += matcher_.Emit(listing_, target_, folder, RelativePath(),
                                  {control_, path_, folders_read_, names_found_});
    ++folders_read_;

    Level level;
    level.path_size = path_.size();
    level.identity = identity;
    level.folder = std::move(folder);
    level.name = std::move(name);
    for (const auto& e : listing_.entries) {
      if (e.kind != EntryKind::Folder) continue;
      const std::string_view n = listing_.Name(e);
      level.subfolders.emplace_back(static_cast<std::uint32_t>(level.subfolder_names.size()),
                                    static_cast<std::uint32_t>(n.size()));
      level.subfolder_names.append(n);
    }
    chain_.insert(identity);
    levels_.push_back(std::move(level));
    ++open_count_;
    LimitOpenFolders();
  }

  void Step() {
    Level& top = levels_.back();
    if (top.next == top.subfolders.size()) {
      Leave();
      return;
    }
    const auto [offset, size] = top.subfolders[top.next++];
    const std::string_view name(top.subfolder_names.data() + offset, size);
    std::error_code reopen_error;
    if (!top.folder && !Reopen(levels_.size() - 1, reopen_error)) {
      Skip(reopen_error);
      levels_.back().next = levels_.back().subfolders.size();  // its subtree is gone
      return;
    }
    const std::size_t parent_size = path_.size();
    AppendFolderName(path_, name);
    std::error_code error;
    auto child = levels_.back().folder->OpenChild(name, error);
    if (!child) {
      Skip(error);
      path_.resize(parent_size);
      return;
    }
    const FolderIdentity id = child->Identity();
    if (chain_.contains(id)) {  // already inside it (a bind mount of an ancestor)
      path_.resize(parent_size);
      return;
    }
    Enter(std::move(child), std::string(name), id);
  }

  void Leave() {
    const std::size_t i = levels_.size() - 1;
    Level& top = levels_[i];
    chain_.erase(top.identity);
    bool parent_reopened = false;
    if (i > 0 && !levels_[i - 1].folder && top.folder) {
      std::error_code error;
      auto parent = top.folder->OpenParent(error);
      if (parent && parent->Identity() == levels_[i - 1].identity) {
        levels_[i - 1].folder = std::move(parent);
        ++open_count_;
        parent_reopened = true;
      }
    }
    if (top.folder) --open_count_;
    levels_.pop_back();
    if (!levels_.empty()) path_.resize(levels_.back().path_size);
    first_open_ = std::min(first_open_, parent_reopened ? i - 1 : levels_.size());
  }

  // Reopens level i (closed) from the nearest open ancestor; false (and why) when that is not
  // possible or the folder found is not the one left.
  bool Reopen(std::size_t i, std::error_code& error) {
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
      first_open_ = std::min(first_open_, j);
    }
    LimitOpenFolders();
    return true;
  }

  // Closes the shallowest open levels (never the root or the deepest) until few enough stay open.
  // The open levels below the root are always one unbroken run ending at the deepest.
  void LimitOpenFolders() {
    for (; open_count_ > kMaxOpenFolders && first_open_ + 1 < levels_.size(); ++first_open_) {
      if (levels_[first_open_].folder) {
        levels_[first_open_].folder.reset();
        --open_count_;
      }
    }
  }

  // path_ below the chosen folder, without the separator between them.
  std::string_view RelativePath() const {
    std::string_view relative = std::string_view(path_).substr(std::min(root_size_, path_.size()));
    if (!relative.empty() && IsFolderSeparator(relative.front())) relative.remove_prefix(1);
    return relative;
  }

  // Records the folder at path_ as one the walk could not read.
  void Skip(std::error_code error) { report_.skipped.push_back({path_, std::move(error)}); }

  const platform::FolderSource& folders_;
  FolderMatcher& matcher_;
  ListTarget& target_;
  const WorkControl& control_;
  std::string path_;           // the path of the folder being entered, or of the deepest level
  std::size_t root_size_ = 0;  // path_'s first root_size_ bytes are the chosen folder
  std::size_t folders_read_ = 0;
  std::size_t names_found_ = 0;
  std::vector<Level> levels_;
  std::unordered_set<FolderIdentity, IdentityHash> chain_;  // the identities of levels_
  std::size_t first_open_ = 1;  // the shallowest open level below the root (levels_.size(): none)
  FolderListing listing_;
  std::size_t open_count_ = 0;
  ScanReport report_;
};

// The folder and every walkable subfolder at any depth, in scan order.
ScanReport ListFolderTree(const std::string& folder, const platform::FolderSource& folders,
                          FolderMatcher& matcher, ListTarget& target, const WorkControl& control) {
  TreeWalk walk(folders, matcher, target, control);
  return walk.Run(folder);
}

// The request's folder, or its tree, walked once in scan order.
ScanReport Walk(const ScanRequest& request, FolderMatcher& matcher, ListTarget& target,
                const WorkControl& control) {
  const platform::FolderSource& folders =
      request.folders != nullptr ? *request.folders : platform::NativeFolders();
  return request.subfolders ? ListFolderTree(request.folder, folders, matcher, target, control)
                            : ListMaskLine(request.folder, folders, matcher, target, control);
}

// Stands in for the names-only target of a walk that hands every file to a DetailedTarget.
class NoTarget final : public ListTarget {
 public:
  void Append(std::string_view) override {}
};

}  // namespace

ScanReport ScanWithDetails(const ScanRequest& request, const DetailsRequest& details, DetailedTarget& target,
                           const WorkControl& control) {
  DetailsReaders readers(details, target, control.stop);
  FolderMatcher matcher(CompileMasks(SplitMaskLine(request.mask_line)), &readers);
  NoTarget none;
  ScanReport report = Walk(request, matcher, none, control);
  readers.Finish();
  report.stopped = control.stop.stop_requested();
  return report;
}

ScanReport Scan(const ScanRequest& request, ListTarget& target, const WorkControl& control) {
  if (request.order == ScanOrder::ByFolder) {
    DetailedListing listing;
    ScanReport report = ListWithDetails(request, {}, listing, control);
    if (!report.stopped) target.AppendAll(std::move(listing.names));
    return report;
  }
  FolderMatcher matcher(CompileMasks(SplitMaskLine(request.mask_line)));
  const auto walk = [&](ListTarget& to) { return Walk(request, matcher, to, control); };
  if (request.order == ScanOrder::AsFound) return walk(target);

  SortingTarget sorting(request.collator != nullptr ? *request.collator : UserCollator(), control);
  ScanReport report = walk(sorting);
  if (!report.stopped && !sorting.Finish(target)) report.stopped = true;
  return report;
}

}  // namespace brixel
