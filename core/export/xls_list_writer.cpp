#include "core/export/xls_list_writer.h"

#include <algorithm>

#include "core/export/compound_file.h"
#include "core/export/save_error.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {
constexpr std::uint64_t kStreamStart = CompoundFile::kHeaderSize;
constexpr std::size_t kMaxCellCharacters = 32767;
}  // namespace

XlsListWriter::XlsListWriter(const std::string& path, Edition edition, const platform::FileSystem& fs)
    : file_(path, fs), layout_(edition) {
  FileOutput& out = file_.Output();
  out.WriteZeros(CompoundFile::kHeaderSize);  // the header is written last
  std::size_t field_in_globals = 0;
  const std::string globals = biff::GlobalsHead(field_in_globals);
  position_field_ = out.Position() + field_in_globals;
  out.Write(globals);
  strings_.emplace(out, kStreamStart);
}

void XlsListWriter::Add(std::string_view name) {
  const std::uint64_t index = string_of_name_.size();
  if (index >= SheetLayout::kMaxNames)
    throw SaveFailure(file_.Target(), "the list does not fit in one worksheet (at most 16,776,704 names)");
  const CellPosition pos = layout_.PositionOf(index);
  widths_.Note(pos.column, EstimateTextPixels(name));
  if (name.empty()) {
    string_of_name_.push_back(kNoCell);
    return;
  }
  // UTF-16 never takes more units than UTF-8 takes bytes, so only long names need counting.
  if (name.size() > kMaxCellCharacters) {
    utf16_.clear();
    AppendUtf16(name, utf16_);
    if (utf16_.size() > kMaxCellCharacters)
      throw SaveFailure(file_.Target(), "a name is longer than a cell holds (32,767 characters)");
  }
  const UniqueStrings::Result found = unique_.FindOrAdd(name);
  if (found.added) {
    utf16_.clear();
    AppendUtf16(name, utf16_);
    strings_->Add(utf16_);
    CheckStreamSize();
  }
  string_of_name_.push_back(found.index);
  ++cells_;
  if (used_.empty) {
    used_ = {false, pos.row, pos.row, pos.column};
  } else {
    used_.first_row = std::min(used_.first_row, pos.row);
    used_.last_row = std::max(used_.last_row, pos.row);
    used_.last_column = std::max(used_.last_column, pos.column);
  }
}

void XlsListWriter::CheckStreamSize() {
  if (file_.Output().Position() > CompoundFile::kMaxStreamSize)
    throw SaveFailure(file_.Target(), "the list is too large for an .xls workbook (2 GB)");
}

void XlsListWriter::Finish() {
  FileOutput& out = file_.Output();
  strings_->Finish(cells_);
  out.Write(biff::EofRecord());
  out.PatchAt(position_field_, biff::U32Bytes(static_cast<std::uint32_t>(out.Position() - kStreamStart)));

  out.Write(biff::SheetHead(widths_, used_));
  WriteCells();
  const std::uint64_t count = string_of_name_.size();
  out.Write(biff::SheetTail(layout_.PositionOf(count == 0 ? 0 : count - 1)));

  std::uint64_t stream_size = out.Position() - kStreamStart;
  if (stream_size < CompoundFile::kMinStreamSize) {
    out.WriteZeros(CompoundFile::kMinStreamSize - stream_size);
    stream_size = CompoundFile::kMinStreamSize;
  }
  CheckStreamSize();
  const CompoundFile container(stream_size);
  container.WriteTrailer(out);
  out.PatchAt(0, container.Header());
  file_.Commit();
}

void XlsListWriter::WriteCells() {
  // Row by row, as Excel writes them.
  FileOutput& out = file_.Output();
  const std::uint64_t count = string_of_name_.size();
  const std::uint32_t rows =
      static_cast<std::uint32_t>(std::min<std::uint64_t>(count, SheetLayout::kNamesPerColumn));
  const std::uint32_t columns = SheetLayout::ColumnsFor(count);
  std::string chunk;
  chunk.reserve(1 << 16);
  for (std::uint32_t r = 0; r < rows; ++r) {
    const std::uint32_t row = layout_.FirstRow() + r;
    for (std::uint32_t c = 0; c < columns; ++c) {
      const std::uint64_t k = layout_.IndexAt(row, c);
      if (k >= count) break;
      if (string_of_name_[k] != kNoCell) biff::PutLabelSst(chunk, row, c, string_of_name_[k]);
    }
    if (chunk.size() > (1 << 16) - 4096) {
      out.Write(chunk);
      chunk.clear();
    }
  }
  out.Write(chunk);
}

}  // namespace brixel
