#pragma once
// The .xlsx list, made with libxlsxwriter in its constant-memory mode, laid out like the .xls
// list. That mode takes rows only in ascending order while names arrive column by column, so the
// names are kept until Finish and then written row by row across the columns. The library then
// assembles the file in one call (workbook_close) that cannot be interrupted: the stop is looked
// at before it and again right after, before anything takes the old file's place.
#include <string>

#include "core/export/column_width.h"
#include "core/export/list_writer.h"
#include "core/export/replacement_file.h"
#include "core/export/sheet_layout.h"
#include "core/listing/name_column.h"

namespace brixel {

class XlsxListWriter final : public ListWriter {
 public:
  // Throws SaveError, also in a build without libxlsxwriter.
  XlsxListWriter(const std::string& path, const ListLayout& layout, const platform::FileSystem& fs,
                 const WorkControl& control = {});
  void Add(std::string_view name) override;
  bool Finish() override;

 private:
  ReplacementFile file_;
  SheetLayout layout_;
  NameColumn names_;
  ColumnWidths widths_;
};

// The name as the sheet's XML can hold it: invalid UTF-8 and the non-characters U+FFFE and
// U+FFFF become U+FFFD (control characters are escaped by the library), and text that reads as
// the format's own escape "_xHHHH_" gets its "_" escaped, so it comes back as written.
std::string XmlSafeName(std::string_view name);

}  // namespace brixel
