#pragma once
// Runs a folder scan in a test and keeps the names it found, in scan order.
#include <string>
#include <string_view>
#include <vector>

#include "core/listing/folder_scan.h"

namespace brixel::test {

using Names = std::vector<std::string>;

struct CollectNames : ListTarget {
  Names names;
  void Append(std::string_view name) override { names.emplace_back(name); }
};

inline Names ScanNames(const std::string& folder, std::string_view line, bool tree,
                       ScanReport* report = nullptr) {
  CollectNames collect;
  const ScanReport r = Scan({folder, std::string(line), tree}, collect);
  if (report) *report = r;
  return collect.names;
}

}  // namespace brixel::test
