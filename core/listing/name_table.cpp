#include "core/listing/name_table.h"

#include "core/listing/detailed_listing.h"

namespace brixel {

void NameTable::StartListing() {
  as_found_.Clear();
  formatted_.Clear();
  details_.Clear();
  found_ = 0;
}

void NameTable::AppendAll(NameColumn&& names) {
  as_found_.AppendColumn(std::move(names));
}

void NameTable::FinishListing() {
  found_ = as_found_.Size();
  if (found_ == 0) {
    as_found_.Append({});  // the blank row
    if (!columns_.empty()) details_.Append({});
  }
}

std::string NameTable::CountText() const {
  return found_ == 0 ? std::string("0") : std::string(" ").append(std::to_string(found_));
}

ScanReport RunListing(NameTable& table, const ScanRequest& request, const WorkControl& control) {
  ScanRequest sorted = request;
  sorted.order = ScanOrder::Sorted;
  table.StartListing();
  ScanReport report;
  if (table.DetailColumns().empty()) {
    report = Scan(sorted, table, control);
  } else {
    DetailedListing listing;
    report = ListWithDetails(sorted, RequestFor(table.DetailColumns(), table.DetailsTagEncoding()), listing,
                             control);
    if (!report.stopped) {
      table.AppendAll(std::move(listing.names));
      table.Details() = std::move(listing.details);
    }
  }
  table.FinishListing();
  return report;
}

}  // namespace brixel
