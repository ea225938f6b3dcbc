#pragma once
// A listing with the details of each file: the names as found and, row by row beside them, what
// was read of each file. The walk reads the details as it finds the files; sorting moves names and
// details with one permutation.
#include <cstdint>
#include <vector>

#include "core/details/details_column.h"
#include "core/listing/folder_scan.h"
#include "core/listing/name_column.h"

namespace brixel {

class Collator;

class DetailedListing final : public DetailedTarget {
 public:
  void Append(std::string_view name, const FileDetails& file) override {
    names.Append(name);
    details.Append(file);
  }
  void Permute(const std::vector<std::uint32_t>& order) {
    names.Permute(order);
    details.Permute(order);
  }

  NameColumn names;
  DetailsColumn details;
};

// Lists the request's folder (or tree) reading what `details` asks of every matching file, in
// the request's order. A stopped listing says so and is left unsorted, a part only.
ScanReport ListWithDetails(const ScanRequest& request, const DetailsRequest& details, DetailedListing& out,
                           const WorkControl& control = {});

// The catalogue order as a permutation of the rows: by folder, each folder's path compared folder
// name by folder name with the names' own order (so "Disc 2" comes before "Disc 10", and a
// folder's subfolders come right after it), then by name within the folder.
std::vector<std::uint32_t> FolderOrder(const NameColumn& names, const DetailsColumn& details,
                                       const Collator& collator);

}  // namespace brixel
