#include "core/listing/detailed_listing.h"

#include <algorithm>
#include <string>

#include "core/listing/name_order.h"
#include "core/platform/folder_path.h"

namespace brixel {

namespace {

// The order keys of a path's folder names, top first.
std::vector<std::string> PathKeys(std::string_view path, const Collator& collator) {
  std::vector<std::string> keys;
  while (!path.empty()) {
    std::size_t end = 0;
    while (end < path.size() && !IsFolderSeparator(path[end])) ++end;
    keys.emplace_back();
    AppendOrderKey(path.substr(0, end), collator, keys.back());
    path.remove_prefix(std::min(end + 1, path.size()));
  }
  return keys;
}

}  // namespace

std::vector<std::uint32_t> FolderOrder(const NameColumn& names, const DetailsColumn& details,
                                       const Collator& collator) {
  // Folders are few beside files: rank them once, then order the rows by rank and name.
  const std::size_t folder_count = details.FolderCount();
  std::vector<std::vector<std::string>> keys(folder_count);
  for (std::uint32_t f = 0; f < folder_count; ++f) keys[f] = PathKeys(details.Folder(f), collator);
  std::vector<std::uint32_t> folders(folder_count);
  for (std::uint32_t f = 0; f < folder_count; ++f) folders[f] = f;
  std::stable_sort(folders.begin(), folders.end(),
                   [&](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
  std::vector<std::uint32_t> folder_rank(folder_count);
  for (std::uint32_t r = 0; r < folder_count; ++r) folder_rank[folders[r]] = r;

  std::vector<std::uint32_t> order = AscendingOrder(names, collator);
  std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    return folder_rank[details.FolderIndex(a)] < folder_rank[details.FolderIndex(b)];
  });
  return order;
}

ScanReport ListWithDetails(const ScanRequest& request, const DetailsRequest& details, DetailedListing& out,
                           const WorkControl& control) {
  ScanReport report = ScanWithDetails(request, details, out, control);
  if (report.stopped || request.order == ScanOrder::AsFound) return report;
  const Collator& collator = request.collator != nullptr ? *request.collator : UserCollator();
  out.Permute(request.order == ScanOrder::ByFolder ? FolderOrder(out.names, out.details, collator)
                                                   : AscendingOrder(out.names, collator));
  return report;
}

}  // namespace brixel
