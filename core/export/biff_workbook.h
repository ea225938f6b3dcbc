#pragma once
// The fixed records of a one-sheet BIFF8 workbook whose cells are all text: the globals before
// the shared strings, the worksheet's records before and after its cells. Besides what readers
// need, the records that Excel's file grammar lists as required are written with their default
// content.
#include <cstdint>
#include <string>

#include "core/export/biff_record.h"
#include "core/export/column_width.h"
#include "core/export/sheet_layout.h"

namespace brixel::biff {

// The cell format of every name: XF 16, the built-in "@" (text) format.
inline constexpr std::uint16_t kTextCellXf = 16;

// Globals from BOF to COUNTRY. position_field receives where, in the returned bytes, BOUNDSHEET
// keeps the stream offset of the worksheet's BOF, to be filled in once known.
std::string GlobalsHead(std::size_t& position_field);

struct UsedRange {
  bool empty = true;
  std::uint32_t first_row = 0, last_row = 0, last_column = 0;
};

// Worksheet from BOF to DIMENSIONS.
std::string SheetHead(const ColumnWidths& widths, const UsedRange& used);
// Worksheet from WINDOW2 to EOF; active is the cell selected when the file opens.
std::string SheetTail(CellPosition active);

inline void PutLabelSst(std::string& out, std::uint32_t row, std::uint32_t column,
                        std::uint32_t string_index) {
  PutRecordHeader(out, record::kLabelSst, 10);
  PutU16(out, static_cast<std::uint16_t>(row));
  PutU16(out, static_cast<std::uint16_t>(column));
  PutU16(out, kTextCellXf);
  PutU32(out, string_index);
}

std::string EofRecord();

}  // namespace brixel::biff
