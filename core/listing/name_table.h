#pragma once
// The found-files table: every found name twice, as found and after formatting, in ascending
// order of the as-found name. It is also the shape of the preview list, which uses the as-found
// column alone.
//
// A listing runs StartListing, the names (the table is a list target: a sorted scan hands them
// over at once), FinishListing. A listing that finds nothing keeps one blank data row, so the
// table always has at least one data row once finished; the count text is then "0", otherwise a
// space and the number (" 12").
#include <cstddef>
#include <string>

#include "core/listing/folder_scan.h"
#include "core/listing/list_target.h"
#include "core/listing/name_column.h"

namespace brixel {

class NameTable : public ListTarget {
 public:
  void StartListing();
  void Append(std::string_view name) override { as_found_.Append(name); }
  void AppendAll(NameColumn&& names) override;
  void FinishListing();

  std::size_t FoundCount() const { return found_; }
  // Data rows (the blank row of an empty listing counts).
  std::size_t RowCount() const { return as_found_.Size(); }
  std::string CountText() const;

  const NameColumn& AsFound() const { return as_found_; }
  // Written only by the formatting run.
  const NameColumn& Formatted() const { return formatted_; }
  NameColumn& Formatted() { return formatted_; }

 private:
  NameColumn as_found_;
  NameColumn formatted_;
  std::size_t found_ = 0;
};

// The results listing: rebuilds the table from a sorted scan of the request's folder (the same
// order as sorting after every pass). The after-formatting column is left empty for the
// formatting run.
ScanReport RunListing(NameTable& table, const ScanRequest& request, const WorkControl& control = {});

}  // namespace brixel
