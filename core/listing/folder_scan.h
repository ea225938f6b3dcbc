#pragma once
// The folder scan. Every pass hands each matching file's bare name to a list target, in scan
// order:
//   - one folder: mask by mask in the order of the mask line; within one mask, in the order the
//     system reports the entries. A mask named twice lists its files twice.
//   - a tree: the folder's own files as above, then each subfolder's whole subtree, subfolders in
//     the order the system reports them (depth first).
// Each folder is read once per visit and every mask is matched against each entry.
//
// The scan never fails: a folder that cannot be read adds nothing and the walk goes on. The
// report says what was skipped, for callers that want to tell (the windows stay silent).
// Symbolic links are neither listed nor followed; a folder reached again through a bind mount is
// not entered twice; depth is limited by nothing but memory.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/listing/list_target.h"

namespace brixel {

struct ScanReport {
  int folder_error = 0;                  // non-zero: the chosen folder itself could not be read
  std::size_t unreadable_subfolders = 0;  // subfolders the tree walk had to skip
};

// One folder, one mask (the mask is not cut at ";").
ScanReport ListFolder(const std::string& folder, std::string_view mask, ListTarget& target);

// One folder, every mask of a mask line.
ScanReport ListMaskLine(const std::string& folder, std::string_view mask_line, ListTarget& target);

// The folder and every walkable subfolder at any depth.
ScanReport ListFolderTree(const std::string& folder, std::string_view mask_line, ListTarget& target);

}  // namespace brixel
