#pragma once
// The .xls list: a genuine BIFF8 workbook in an OLE2 compound file, one worksheet, every name a
// text cell (a shared string with the "@" format), so "=1+1", "0001" or "3/4" stay exactly that
// text. Streamed: the shared strings go to the file as names arrive; the cells, which follow
// them in the file, are written at Finish from four bytes kept per name, a block of 32 rows at a
// time. With columns, each field is kept as a cell of 16 bytes until Finish.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/export/biff_workbook.h"
#include "core/export/column_width.h"
#include "core/export/replacement_file.h"
#include "core/export/row_writer.h"
#include "core/export/shared_string_table.h"
#include "core/export/sheet_layout.h"
#include "core/export/unique_strings.h"

namespace brixel {

class XlsListWriter final : public RowWriter {
 public:
  // Throws SaveError.
  // No columns, or `name` alone: names only; otherwise laid out as RowSheetLayout says, under a
  // bold header row, each field a cell of its type as in the .xlsx list. Throws SaveError.
  XlsListWriter(const std::string& path, const ListLayout& layout, const platform::FileSystem& fs,
                const WorkControl& control = {}, const Columns& columns = {});
  void AddRow(Row row) override;
  bool Finish() override;

 private:
  static constexpr std::uint32_t kNoCell = 0xFFFFFFFF;  // an empty name leaves its cell empty
  // One field of a list with columns: a shared string's index, or a number and its cell format.
  struct TypedCell {
    double number;
    std::uint32_t string;  // kNoCell: a number, or nothing when xf is 0
    std::uint16_t xf;
  };
  void AddName(std::string_view name);
  void AddFields(Row row);
  std::uint32_t AddString(std::string_view text);
  void NoteUsed(CellPosition pos);
  // One row's cells into block_cells_; the columns they span (end 0: none).
  void PutNameCells(std::uint32_t row, std::uint32_t& first_column, std::uint32_t& end_column);
  void PutTypedCells(std::uint32_t row, std::uint32_t& first_column, std::uint32_t& end_column);
  CellPosition ActiveCell() const;
  // Writes the cell table in row blocks and fills in the stream position of each block's DBCELL;
  // false when stopped part way.
  bool WriteCellTable(std::vector<std::uint32_t>& dbcells);
  void WriteBlock(std::uint32_t first_row, std::uint32_t end_row, std::vector<std::uint32_t>& dbcells);
  void CheckStreamSize();

  ReplacementFile file_;
  SheetLayout layout_;
  Columns columns_;  // empty: names only
  RowSheetLayout rows_layout_;
  std::vector<std::uint32_t> header_strings_;
  std::vector<TypedCell> typed_cells_;
  std::uint64_t rows_ = 0;
  std::string field_;
  std::size_t position_field_ = 0;  // file offset of the worksheet's BOF offset in BOUNDSHEET
  std::optional<SharedStringTable> strings_;
  UniqueStrings unique_;
  std::vector<std::uint32_t> string_of_name_;
  ColumnWidths widths_;
  biff::UsedRange used_;
  std::uint32_t cells_ = 0;
  std::u16string utf16_;
  // One block's records, kept between blocks so the cell table allocates once.
  std::string block_rows_, block_cells_;
  std::vector<std::uint16_t> cell_offsets_;
};

}  // namespace brixel
