#include "core/export/xls_list_writer.h"

#include <algorithm>

#include "core/export/compound_file.h"
#include "core/export/save_error.h"
#include "core/export/spreadsheet_time.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {
constexpr std::uint64_t kStreamStart = CompoundFile::kHeaderSize;
constexpr std::size_t kMaxCellCharacters = 32767;

// What even a small window shows of the sheet: 20 rows of the default height, and about 900
// pixels of columns.
constexpr std::uint32_t kRowsInView = 20;
constexpr double kPixelsInView = 900;
constexpr double kDigitPixels = 7;

// The window's top left cell when the workbook opens: the sheet's own corner while the active
// cell is within the first screen, otherwise scrolled just so far that the active cell is in
// view, with as many names above and columns to its left as the window holds.
CellPosition FirstVisibleCell(CellPosition active, const ColumnWidths& widths) {
  CellPosition top_left{0, active.column};
  if (active.row >= kRowsInView) top_left.row = active.row - (kRowsInView - 1);
  const auto pixels = [&](std::uint32_t c) {
    return c < widths.Count() ? widths.XlsWidth(c) * kDigitPixels / 256 : 8 * kDigitPixels;
  };
  double shown = pixels(active.column);
  while (top_left.column > 0 && shown + pixels(top_left.column - 1) <= kPixelsInView)
    shown += pixels(--top_left.column);
  return top_left;
}

}  // namespace

XlsListWriter::XlsListWriter(const std::string& path, const ListLayout& layout,
                             const platform::FileSystem& fs, const WorkControl& control,
                             const Columns& columns)
    : file_(path, fs, control),
      layout_(layout.first_row),
      columns_(IsNamesOnly(columns) ? Columns{} : columns),
      rows_layout_(static_cast<std::uint32_t>(columns_.size())) {
  FileOutput& out = file_.Output();
  out.WriteZeros(CompoundFile::kHeaderSize);  // the header is written last
  std::size_t field_in_globals = 0;
  const std::string globals = biff::GlobalsHead(field_in_globals, !columns_.empty());
  position_field_ = out.Position() + field_in_globals;
  out.Write(globals);
  strings_.emplace(out, kStreamStart);
  for (std::uint32_t f = 0; f < columns_.size(); ++f) {
    const std::string_view caption = ColumnName(columns_[f]);
    header_strings_.push_back(AddString(caption));
    widths_.Note(f, EstimateTextPixels(caption));
  }
}

void XlsListWriter::AddRow(Row row) {
  if (!columns_.empty()) {
    AddFields(row);
    return;
  }
  const auto* text = std::get_if<std::string_view>(&row[0].value);
  AddName(text != nullptr ? *text : std::string_view());
}

std::uint32_t XlsListWriter::AddString(std::string_view text) {
  // UTF-16 never takes more units than UTF-8 takes bytes, so only long texts need counting.
  if (text.size() > kMaxCellCharacters) {
    utf16_.clear();
    AppendUtf16(text, utf16_);
    if (utf16_.size() > kMaxCellCharacters)
      throw SaveFailure(file_.Target(), "a name is longer than a cell holds (32,767 characters)");
  }
  const UniqueStrings::Result found = unique_.FindOrAdd(text);
  if (found.added) {
    utf16_.clear();
    AppendUtf16(text, utf16_);
    strings_->Add(utf16_);
    CheckStreamSize();
  }
  return found.index;
}

void XlsListWriter::NoteUsed(CellPosition pos) {
  if (used_.empty) {
    used_ = {false, pos.row, pos.row, pos.column};
  } else {
    used_.first_row = std::min(used_.first_row, pos.row);
    used_.last_row = std::max(used_.last_row, pos.row);
    used_.last_column = std::max(used_.last_column, pos.column);
  }
}

void XlsListWriter::AddFields(Row row) {
  if (row.size() != columns_.size())
    throw SaveFailure(file_.Target(), "a row does not match the list's columns");
  if (rows_ >= rows_layout_.MaxRows())
    throw SaveFailure(file_.Target(), "the list does not fit in one worksheet (at most " +
                                          std::to_string(rows_layout_.MaxRows()) +
                                          " files with these columns)");
  if (rows_ % RowSheetLayout::kRowsPerBlock == 0) {  // a new block, under a header of its own
    const std::uint32_t block = static_cast<std::uint32_t>(rows_ / RowSheetLayout::kRowsPerBlock);
    NoteUsed({0, rows_layout_.BlockColumn(block)});
    NoteUsed({0, rows_layout_.BlockColumn(block) + rows_layout_.Fields() - 1});
    for (std::uint32_t f = 0; f < columns_.size(); ++f) {
      widths_.Note(rows_layout_.BlockColumn(block) + f, EstimateTextPixels(ColumnName(columns_[f])));
      ++cells_;  // the header's strings are counted once per use
    }
  }
  for (std::uint32_t f = 0; f < row.size(); ++f) {
    const FieldValue& value = row[f].value;
    const CellPosition pos = rows_layout_.PositionOf(rows_, f);
    TypedCell cell{0, kNoCell, 0};
    if (const auto* text = std::get_if<std::string_view>(&value)) {
      if (!text->empty()) {
        cell = {0, AddString(*text), biff::kTextCellXf};
        ++cells_;
      }
    } else if (const auto* bytes = std::get_if<ByteCount>(&value)) {
      cell = {static_cast<double>(bytes->bytes), kNoCell, biff::kByteCountXf};
    } else if (const auto* moment = std::get_if<LocalTime>(&value)) {
      cell = {SpreadsheetDate(*moment), kNoCell, biff::kDateXf};
    } else if (const auto* duration = std::get_if<Duration>(&value)) {
      cell = {SpreadsheetDays(duration->seconds), kNoCell, biff::kDurationXf};
    } else if (const auto* number = std::get_if<Number>(&value)) {
      cell = {static_cast<double>(number->value), kNoCell, biff::kNumberXf};
    }
    if (cell.xf != 0) NoteUsed(pos);
    widths_.Note(pos.column, EstimateFieldPixels(value, field_));
    typed_cells_.push_back(cell);
  }
  ++rows_;
}

void XlsListWriter::AddName(std::string_view name) {
  const std::uint64_t index = string_of_name_.size();
  if (index >= SheetLayout::kMaxNames)
    throw SaveFailure(file_.Target(), "the list does not fit in one worksheet (at most 16,776,704 names)");
  const CellPosition pos = layout_.PositionOf(index);
  widths_.Note(pos.column, EstimateTextPixels(name));
  if (name.empty()) {
    string_of_name_.push_back(kNoCell);
    return;
  }
  string_of_name_.push_back(AddString(name));
  ++cells_;
  NoteUsed(pos);
}

void XlsListWriter::CheckStreamSize() {
  if (file_.Output().Position() > CompoundFile::kMaxStreamSize)
    throw SaveFailure(file_.Target(), "the list is too large for an .xls workbook (2 GB)");
}

bool XlsListWriter::Finish() {
  const WorkControl& control = file_.Control();
  if (control.Stopped()) return false;
  FileOutput& out = file_.Output();
  strings_->Finish(cells_);
  out.Write(biff::EofRecord());
  out.PatchAt(position_field_, biff::U32Bytes(static_cast<std::uint32_t>(out.Position() - kStreamStart)));

  std::size_t dbcell_positions_field = 0;
  const std::uint64_t head_position = out.Position();
  out.Write(biff::SheetHead(widths_, used_, static_cast<std::uint32_t>(head_position - kStreamStart),
                            dbcell_positions_field));
  std::vector<std::uint32_t> dbcells;
  if (!WriteCellTable(dbcells)) return false;
  std::string positions;
  for (const std::uint32_t p : dbcells) positions += biff::U32Bytes(p);
  const CellPosition active = ActiveCell();
  out.Write(biff::SheetTail(active, FirstVisibleCell(active, widths_)));
  if (!positions.empty()) out.PatchAt(head_position + dbcell_positions_field, positions);

  std::uint64_t stream_size = out.Position() - kStreamStart;
  if (stream_size < CompoundFile::kMinStreamSize) {
    out.WriteZeros(CompoundFile::kMinStreamSize - stream_size);
    stream_size = CompoundFile::kMinStreamSize;
  }
  CheckStreamSize();
  const CompoundFile container(stream_size);
  container.WriteTrailer(out);
  out.PatchAt(0, container.Header());
  return file_.Commit();
}

bool XlsListWriter::WriteCellTable(std::vector<std::uint32_t>& dbcells) {
  if (used_.empty) return true;
  const WorkControl& control = file_.Control();
  const std::uint64_t rows = used_.last_row + 1 - used_.first_row;
  dbcells.reserve(biff::RowBlockCount(used_));
  constexpr std::uint32_t kBlocksPerCheck = WorkControl::kRowsPerCheck / biff::kRowsPerBlock;
  const std::uint32_t first_block = used_.first_row / biff::kRowsPerBlock;
  for (std::uint32_t block = first_block; block <= used_.last_row / biff::kRowsPerBlock; ++block) {
    const std::uint32_t first = std::max(block * biff::kRowsPerBlock, used_.first_row);
    const std::uint32_t end = std::min((block + 1) * biff::kRowsPerBlock, used_.last_row + 1);
    if ((block - first_block) % kBlocksPerCheck == 0 && !control.Checkpoint(first - used_.first_row, rows))
      return false;
    WriteBlock(first, end, dbcells);
  }
  return true;
}

CellPosition XlsListWriter::ActiveCell() const {
  if (columns_.empty()) {
    const std::uint64_t count = string_of_name_.size();
    return layout_.PositionOf(count == 0 ? 0 : count - 1);
  }
  const auto name = std::find(columns_.begin(), columns_.end(), Column::Name);
  const auto field = static_cast<std::uint32_t>(name == columns_.end() ? 0 : name - columns_.begin());
  return rows_layout_.PositionOf(rows_ == 0 ? 0 : rows_ - 1, field);
}

void XlsListWriter::PutNameCells(std::uint32_t row, std::uint32_t& first_column, std::uint32_t& end_column) {
  const std::uint64_t count = string_of_name_.size();
  const std::uint32_t columns = SheetLayout::ColumnsFor(count);
  for (std::uint32_t c = 0; c < columns; ++c) {
    const std::uint64_t k = layout_.IndexAt(row, c);
    if (k >= count) break;
    if (string_of_name_[k] == kNoCell) continue;
    if (end_column == 0) first_column = c;
    end_column = c + 1;
    biff::PutLabelSst(block_cells_, row, c, string_of_name_[k]);
  }
}

void XlsListWriter::PutTypedCells(std::uint32_t row, std::uint32_t& first_column, std::uint32_t& end_column) {
  const std::uint32_t fields = rows_layout_.Fields();
  for (std::uint32_t b = 0; b < RowSheetLayout::BlocksFor(rows_); ++b) {
    const std::uint64_t k = RowSheetLayout::IndexAt(std::max<std::uint32_t>(row, 1), b);
    if (k >= rows_) break;
    for (std::uint32_t f = 0; f < fields; ++f) {
      const std::uint32_t c = rows_layout_.BlockColumn(b) + f;
      const TypedCell cell =
          row == 0 ? TypedCell{0, header_strings_[f], biff::kHeaderXf} : typed_cells_[k * fields + f];
      if (cell.xf == 0) continue;
      if (end_column == 0) first_column = c;
      end_column = c + 1;
      if (cell.string != kNoCell)
        biff::PutLabelSst(block_cells_, row, c, cell.string, cell.xf);
      else
        biff::PutNumber(block_cells_, row, c, cell.xf, cell.number);
    }
  }
}

void XlsListWriter::WriteBlock(std::uint32_t first_row, std::uint32_t end_row,
                               std::vector<std::uint32_t>& dbcells) {
  FileOutput& out = file_.Output();
  block_rows_.clear();
  block_cells_.clear();
  cell_offsets_.clear();
  std::size_t previous_row_cells = 0;  // bytes of the previous row's cells
  for (std::uint32_t row = first_row; row < end_row; ++row) {
    const std::size_t row_start = block_cells_.size();
    std::uint32_t first_column = 0, end_column = 0;
    if (columns_.empty())
      PutNameCells(row, first_column, end_column);
    else
      PutTypedCells(row, first_column, end_column);
    if (block_cells_.size() == row_start) continue;  // a row of empty names has no ROW record
    biff::PutRow(block_rows_, row, first_column, end_column);
    cell_offsets_.push_back(static_cast<std::uint16_t>(previous_row_cells));
    previous_row_cells = block_cells_.size() - row_start;
  }
  // The first row's offset counts from the end of the first ROW record, past the other ROWs.
  if (!cell_offsets_.empty())
    cell_offsets_[0] = static_cast<std::uint16_t>(block_rows_.size() - biff::kRowRecordSize);
  const std::uint64_t dbcell_position = out.Position() + block_rows_.size() + block_cells_.size();
  const std::size_t to_first_row = block_rows_.empty() ? 0 : block_rows_.size() + block_cells_.size();
  biff::PutDbCell(block_cells_, static_cast<std::uint32_t>(to_first_row), cell_offsets_);
  out.Write(block_rows_);
  out.Write(block_cells_);
  dbcells.push_back(static_cast<std::uint32_t>(dbcell_position - kStreamStart));
}

}  // namespace brixel
