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
// report names what was skipped, for callers that want to tell (the windows stay silent).
// Symbolic links are neither listed nor followed; a folder reached again through a bind mount is
// not entered twice; depth is limited by nothing but memory.
#include <stop_token>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/details/detail_reader.h"
#include "core/details/file_details.h"
#include "core/listing/list_target.h"
#include "core/work/work_control.h"

namespace brixel {

class Collator;

namespace platform {
class FolderSource;
}

// How the names reach the target: as the walk finds them, sorted as the found-files table is
// (ascending, see name_order.h), or as a catalogue: folder by folder in the order of their paths
// (compared folder name by folder name, each as names are), by name within each folder. The last
// two hand the names over all at once when the walk is done.
enum class ScanOrder { AsFound, Sorted, ByFolder };

struct ScanRequest {
  std::string folder;
  std::string mask_line;
  bool subfolders = false;  // the whole tree below the folder, depth first
  ScanOrder order = ScanOrder::AsFound;
  const Collator* collator = nullptr;               // the sorted order's collation; default the user's
  const platform::FolderSource* folders = nullptr;  // where folders are read; default the platform's
};

// A folder the walk could not read, and why (the platform's own error, which says it in words).
struct SkippedFolder {
  std::string path;
  std::error_code error;
};

struct ScanReport {
  std::error_code folder_error;        // set: the chosen folder itself could not be read
  std::vector<SkippedFolder> skipped;  // subfolders the tree walk could not read
  bool stopped = false;                // the stop signal ended the walk: the names are a part only
};

// The one entry point of the scan: the request's folder with or without its subfolders, every
// mask of its line, names in the request's order. The stop ends the walk within one batch of a
// folder's entries (and a sorted scan's key thread within one batch of names); a stopped scan
// reports it, and a sorted scan that was stopped hands nothing to the target. The sink hears of
// each folder as it is about to be read, with the folders read and names found so far.
ScanReport Scan(const ScanRequest& request, ListTarget& target, const WorkControl& control = {});

// Where a walk that reads details puts each matching file: its bare name, and what was read of
// it in the folder the walk has open, `folder` relative to the chosen one.
class DetailedTarget {
 public:
  virtual ~DetailedTarget() = default;
  virtual void Append(std::string_view name, const FileDetails& details) = 0;
};

// The walk of Scan in scan order (request.order is not looked at), reading what `details` asks of
// each matching file on reader threads beside the walk (details_readers.h): one walk, no path
// built per file. The target hears of every file on the calling thread, in scan order; after a
// stop it hears of no more. An exception from the target ends the readers and leaves the call.
ScanReport ScanWithDetails(const ScanRequest& request, const DetailsRequest& details, DetailedTarget& target,
                           const WorkControl& control = {});

}  // namespace brixel
