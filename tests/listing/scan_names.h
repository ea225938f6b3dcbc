#pragma once
// Runs a folder scan in a test and keeps the names it found, in scan order.
#include <string>
#include <string_view>
#include <vector>

#include "core/listing/folder_scan.h"

namespace brixel::test {

using Names = std::vector<std::string>;

inline Names ScanNames(const std::string& folder, std::string_view line, bool tree,
                       ScanReport* report = nullptr) {
  struct Collect : ListTarget {
    Names names;
    void Append(std::string_view name) override { names.emplace_back(name); }
  } collect;
  const ScanReport r = tree ? ListFolderTree(folder, line, collect) : ListMaskLine(folder, line, collect);
  if (report) *report = r;
  return collect.names;
}

}  // namespace brixel::test
