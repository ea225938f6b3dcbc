#pragma once
// The fixed records of a one-sheet BIFF8 workbook whose cells are all text: the globals before
// the shared strings, the worksheet's records before and after its cells. Besides what readers
// need, the records that Excel's file grammar lists as required are written with their default
// content.
#include <cstdint>
#include <string>
#include <vector>

#include "core/export/biff_record.h"
#include "core/export/column_width.h"
#include "core/export/sheet_layout.h"

namespace brixel::biff {

// The cell format of every name: XF 16, the built-in "@" (text) format.
inline constexpr std::uint16_t kTextCellXf = 16;
// The formats a list with columns adds after it (typed globals): the header's bold text, sizes
// with thousands separators ("#,##0"), dates ("yyyy-mm-dd hh:mm:ss"), durations ("[m]:ss");
// track and year keep the default cell format, XF 15.
inline constexpr std::uint16_t kHeaderXf = 17;
inline constexpr std::uint16_t kByteCountXf = 18;
inline constexpr std::uint16_t kDateXf = 19;
inline constexpr std::uint16_t kDurationXf = 20;
inline constexpr std::uint16_t kNumberXf = 15;

// Globals from BOF to COUNTRY. position_field receives where, in the returned bytes, BOUNDSHEET
// keeps the stream offset of the worksheet's BOF, to be filled in once known. typed: with the
// bold font, number formats and cell formats of a list with columns.
std::string GlobalsHead(std::size_t& position_field, bool typed = false);

struct UsedRange {
  bool empty = true;
  std::uint32_t first_row = 0, last_row = 0, last_column = 0;
};

// The cell table is written as Excel writes it: rows in blocks of 32 (block b holds rows 32b to
// 32b + 31), each block its rows' ROW records, then their cells row by row, then a DBCELL record
// with the offsets of the block's first ROW record and of each row's first cell; the INDEX record
// after the worksheet's BOF lists where each block's DBCELL is. Readers that look cells up
// through these records find them without reading the whole sheet.
inline constexpr std::uint32_t kRowsPerBlock = 32;
inline constexpr std::size_t kRowRecordSize = 20;  // header included

// The blocks from the first used row's to the last used row's; a block between them without a
// cell still gets its DBCELL.
std::uint32_t RowBlockCount(const UsedRange& used);

// Worksheet from BOF to DIMENSIONS, INDEX included. head_position: the stream position the head
// is written at (INDEX gives DEFCOLWIDTH's). dbcell_positions_field receives where, in the
// returned bytes, INDEX keeps the stream positions of the blocks' DBCELL records, to be filled
// in once the cells are written.
std::string SheetHead(const ColumnWidths& widths, const UsedRange& used, std::uint32_t head_position,
                      std::size_t& dbcell_positions_field);
// Worksheet from WINDOW2 to EOF; active is the cell selected when the file opens, top_left the
// cell in the window's top left corner.
std::string SheetTail(CellPosition active, CellPosition top_left);

// A row holding cells in columns first_column to end_column - 1, of the default height and format.
void PutRow(std::string& out, std::uint32_t row, std::uint32_t first_column, std::uint32_t end_column);
// A block's DBCELL. to_first_row: from this record back to the block's first ROW record (0 for a
// block without rows). cell_offsets: per row, to its first cell, the first from the end of the
// first ROW record, each next from the previous row's first cell.
void PutDbCell(std::string& out, std::uint32_t to_first_row, const std::vector<std::uint16_t>& cell_offsets);

inline void PutLabelSst(std::string& out, std::uint32_t row, std::uint32_t column, std::uint32_t string_index,
                        std::uint16_t xf = kTextCellXf) {
  PutRecordHeader(out, record::kLabelSst, 10);
  PutU16(out, static_cast<std::uint16_t>(row));
  PutU16(out, static_cast<std::uint16_t>(column));
  PutU16(out, xf);
  PutU32(out, string_index);
}

inline void PutNumber(std::string& out, std::uint32_t row, std::uint32_t column, std::uint16_t xf,
                      double value) {
  PutRecordHeader(out, record::kNumber, 14);
  PutU16(out, static_cast<std::uint16_t>(row));
  PutU16(out, static_cast<std::uint16_t>(column));
  PutU16(out, xf);
  PutF64(out, value);
}

std::string EofRecord();

}  // namespace brixel::biff
