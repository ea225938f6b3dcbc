#pragma once
// Where each name goes on the worksheet: 65534 names down a column, then the next column, from
// the layout's first row: the full edition leaves row 1 empty (A2..A65535, then B2), the lite
// edition starts in A1 (A1..A65534, then B1). Columns go on by index up to the 256th (IV), the last a .xls
// sheet has.
#include <cstdint>

#include "core/export/list_writer.h"

namespace brixel {

struct CellPosition {
  std::uint32_t row;     // 0-based
  std::uint32_t column;  // 0-based
};

class SheetLayout {
 public:
  static constexpr std::uint32_t kNamesPerColumn = 65534;
  static constexpr std::uint32_t kColumns = 256;
  static constexpr std::uint64_t kMaxNames = std::uint64_t{kNamesPerColumn} * kColumns;

  explicit SheetLayout(std::uint32_t first_row) : first_row_(first_row) {}

  std::uint32_t FirstRow() const { return first_row_; }
  CellPosition PositionOf(std::uint64_t index) const {
    return {first_row_ + static_cast<std::uint32_t>(index % kNamesPerColumn),
            static_cast<std::uint32_t>(index / kNamesPerColumn)};
  }
  // The name at a position, for writing row by row.
  std::uint64_t IndexAt(std::uint32_t row, std::uint32_t column) const {
    return std::uint64_t{column} * kNamesPerColumn + (row - first_row_);
  }
  static std::uint32_t ColumnsFor(std::uint64_t count) {
    return static_cast<std::uint32_t>((count + kNamesPerColumn - 1) / kNamesPerColumn);
  }

 private:
  std::uint32_t first_row_;
};

// Where each field goes when a list has columns: a header row in the sheet's first row, then one
// file per row, 65534 files down a block of as many columns as fields; the next block stands to
// the right, one empty column between, under a header of its own.
class RowSheetLayout {
 public:
  static constexpr std::uint32_t kRowsPerBlock = SheetLayout::kNamesPerColumn;

  explicit RowSheetLayout(std::uint32_t fields) : fields_(fields) {}

  std::uint32_t Fields() const { return fields_; }
  // Blocks whose columns all fit on a 256-column sheet.
  std::uint32_t MaxBlocks() const { return (SheetLayout::kColumns + 1) / (fields_ + 1); }
  std::uint64_t MaxRows() const { return std::uint64_t{kRowsPerBlock} * MaxBlocks(); }
  static std::uint32_t BlocksFor(std::uint64_t rows) {
    return static_cast<std::uint32_t>((rows + kRowsPerBlock - 1) / kRowsPerBlock);
  }
  std::uint32_t BlockColumn(std::uint32_t block) const { return block * (fields_ + 1); }
  CellPosition PositionOf(std::uint64_t index, std::uint32_t field) const {
    return {1 + static_cast<std::uint32_t>(index % kRowsPerBlock),
            BlockColumn(static_cast<std::uint32_t>(index / kRowsPerBlock)) + field};
  }
  // The file whose row is `row` (from 1) in block `block`.
  static std::uint64_t IndexAt(std::uint32_t row, std::uint32_t block) {
    return std::uint64_t{block} * kRowsPerBlock + (row - 1);
  }

 private:
  std::uint32_t fields_;
};

}  // namespace brixel
