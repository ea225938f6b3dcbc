#pragma once
// The .xlsx list, made with libxlsxwriter in its constant-memory mode, laid out like the .xls
// list. That mode takes rows only in ascending order while names arrive column by column, so the
// names are kept until Finish and then written row by row across the columns. The library then
// assembles the file in one call (workbook_close) that cannot be interrupted: the stop is looked
// at before it and again right after, before anything takes the old file's place.
//
// With columns, each field is a cell of its type under a bold header row: sizes numbers shown
// with thousands separators ("#,##0"), the modified time a date cell of the local wall clock
// ("yyyy-mm-dd hh:mm:ss"), the duration a time cell ("[m]:ss"), track and year plain numbers,
// texts text cells; a missing value leaves its cell empty.
#include <string>

#include "core/export/column_width.h"
#include "core/export/replacement_file.h"
#include "core/export/row_writer.h"
#include "core/export/sheet_layout.h"
#include "core/export/stored_rows.h"
#include "core/listing/name_column.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace brixel {

class LxwCheck;

class XlsxListWriter final : public RowWriter {
 public:
  // No columns, or `name` alone: a names-only workbook; otherwise laid out as RowSheetLayout says,
  // each field in a cell of its type (see XlsxListWriter::Finish). Throws SaveError, also in a build without
  // libxlsxwriter.
  XlsxListWriter(const std::string& path, const ListLayout& layout, const platform::FileSystem& fs,
                 const WorkControl& control = {}, const Columns& columns = {});
  void AddRow(Row row) override;
  bool Finish() override;

 private:
  void AddName(std::string_view name);
  // The cells, row after row; false when stopped.
  bool WriteNameCells(lxw_worksheet* sheet, lxw_format* text, const LxwCheck& check);
  bool WriteRowCells(lxw_workbook* workbook, lxw_worksheet* sheet, lxw_format* text, const LxwCheck& check);

  ReplacementFile file_;
  SheetLayout layout_;
  NameColumn names_;
  ColumnWidths widths_;
  Columns columns_;  // empty: names only
  RowSheetLayout rows_layout_;
  StoredRows rows_;
  std::string field_;  // a field's text, to fit the width
};

// The name as the sheet's XML can hold it: invalid UTF-8 and the non-characters U+FFFE and
// U+FFFF become U+FFFD (control characters are escaped by the library), and text that reads as
// the format's own escape "_xHHHH_" gets its "_" escaped, so it comes back as written.
std::string XmlSafeName(std::string_view name);

}  // namespace brixel
