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

#include "core/details/columns.h"
#include "core/details/details_column.h"
#include "core/details/tag_encoding.h"
#include "core/listing/folder_scan.h"
#include "core/listing/list_target.h"
#include "core/listing/name_column.h"

namespace brixel {

class NameTable : public ListTarget {
 public:
  // The details the next listing reads beside each name (none: names only). A listing keeps them
  // row by row in Details().
  void SetDetails(const Columns& columns, TagEncoding tag_encoding) {
    columns_ = IsNamesOnly(columns) ? Columns{} : columns;
    tag_encoding_ = tag_encoding;
  }
  const Columns& DetailColumns() const { return columns_; }
  TagEncoding DetailsTagEncoding() const { return tag_encoding_; }
  const DetailsColumn& Details() const { return details_; }
  DetailsColumn& Details() { return details_; }

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
  Columns columns_;
  TagEncoding tag_encoding_ = TagEncoding::Auto;
  DetailsColumn details_;
  std::size_t found_ = 0;
};

// The results listing: rebuilds the table from a sorted scan of the request's folder (the same
// order as sorting after every pass), reading the details the table asks for as the walk goes. The
// after-formatting column is left empty for the formatting run.
ScanReport RunListing(NameTable& table, const ScanRequest& request, const WorkControl& control = {});

}  // namespace brixel
