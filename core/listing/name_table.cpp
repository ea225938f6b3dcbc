#include "core/listing/name_table.h"

namespace brixel {

void NameTable::StartListing() {
  as_found_.Clear();
  formatted_.Clear();
  found_ = 0;
}

void NameTable::AppendAll(NameColumn&& names) {
  as_found_.AppendColumn(std::move(names));
}

void NameTable::FinishListing() {
  found_ = as_found_.Size();
  if (found_ == 0) as_found_.Append({});  // the blank row
}

std::string NameTable::CountText() const {
  return found_ == 0 ? std::string("0") : std::string(" ").append(std::to_string(found_));
}

ScanReport RunListing(NameTable& table, const ScanRequest& request, const WorkControl& control) {
  ScanRequest sorted = request;
  sorted.order = ScanOrder::Sorted;
  table.StartListing();
  const ScanReport report = Scan(sorted, table, control);
  table.FinishListing();
  return report;
}

}  // namespace brixel
