#include "core/export/xlsx_list_writer.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <utility>

#include "core/export/save_error.h"
#include "core/export/spreadsheet_time.h"
#include "core/export/stderr_capture.h"
#include "core/platform/c_numeric_locale.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {

constexpr std::size_t kMaxCellCharacters = 32767;

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Whether the "_" at p starts "_xHHHH_", which readers decode as the character U+HHHH.
bool StartsEscape(const char* p, const char* end) {
  if (end - p < 7 || p[1] != 'x' || p[6] != '_') return false;
  return IsHexDigit(p[2]) && IsHexDigit(p[3]) && IsHexDigit(p[4]) && IsHexDigit(p[5]);
}

// Frees the workbook on every way out; a closed workbook is freed by the library.
class OpenWorkbook {
 public:
  explicit OpenWorkbook(lxw_workbook* workbook) : workbook_(workbook) {}
  ~OpenWorkbook() {
    if (workbook_ != nullptr) lxw_workbook_free(workbook_);
  }
  OpenWorkbook(const OpenWorkbook&) = delete;
  OpenWorkbook& operator=(const OpenWorkbook&) = delete;
  lxw_workbook* Get() const { return workbook_; }
  lxw_error Close() { return workbook_close(std::exchange(workbook_, nullptr)); }

 private:
  lxw_workbook* workbook_;
};

// What the library said, to follow its error code's text; it names the temporary file it was
// given, which the user never sees, so the target's name stands in its place.
std::string Detail(std::string messages, const std::string& temp, const std::string& target) {
  if (messages.empty()) return {};
  for (std::size_t at = messages.find(temp); at != std::string::npos;
       at = messages.find(temp, at + target.size()))
    messages.replace(at, temp.size(), target);
  return " (" + messages + ")";
}

}  // namespace

// Turns a failed library call into the save's error.
class LxwCheck {
 public:
  LxwCheck(const std::string& target, const std::string& temp) : target_(target), temp_(temp) {}
  void operator()(lxw_error error, const std::string& detail = {}) const {
    if (error != LXW_NO_ERROR)
      throw SaveFailure(target_, lxw_strerror(error) + Detail(detail, temp_, target_));
  }

 private:
  const std::string& target_;
  const std::string& temp_;
};

bool XlsxListWriter::WriteNameCells(lxw_worksheet* sheet, lxw_format* text, const LxwCheck& check) {
  const WorkControl& control = file_.Control();
  const std::uint64_t count = names_.Size();
  const std::uint32_t rows =
      static_cast<std::uint32_t>(std::min<std::uint64_t>(count, SheetLayout::kNamesPerColumn));
  const std::uint32_t columns = SheetLayout::ColumnsFor(count);
  for (std::uint32_t r = 0; r < rows; ++r) {
    if (!control.GoOnWriting(r, rows)) return false;
    const std::uint32_t row = layout_.FirstRow() + r;
    for (std::uint32_t c = 0; c < columns; ++c) {
      const std::uint64_t k = layout_.IndexAt(row, c);
      if (k >= count) break;
      const std::string_view name = names_[k];
      if (name.empty()) continue;  // an empty name leaves its cell empty
      check(worksheet_write_string(sheet, row, static_cast<lxw_col_t>(c), XmlSafeName(name).c_str(), text));
    }
  }
  const CellPosition active = layout_.PositionOf(count == 0 ? 0 : count - 1);
  worksheet_set_selection(sheet, active.row, static_cast<lxw_col_t>(active.column), active.row,
                          static_cast<lxw_col_t>(active.column));
  names_.Clear();
  return true;
}

bool XlsxListWriter::WriteRowCells(lxw_workbook* workbook, lxw_worksheet* sheet, lxw_format* text,
                                   const LxwCheck& check) {
  const WorkControl& control = file_.Control();
  lxw_format* header = workbook_add_format(workbook);
  format_set_bold(header);
  lxw_format* bytes = workbook_add_format(workbook);
  format_set_num_format(bytes, "#,##0");
  lxw_format* moment = workbook_add_format(workbook);
  format_set_num_format(moment, "yyyy-mm-dd hh:mm:ss");
  lxw_format* duration = workbook_add_format(workbook);
  format_set_num_format(duration, "[m]:ss");

  const std::uint64_t count = rows_.Size();
  const std::uint32_t fields = rows_layout_.Fields();
  const std::uint32_t blocks = std::max<std::uint32_t>(1, RowSheetLayout::BlocksFor(count));
  for (std::uint32_t b = 0; b < blocks; ++b)
    for (std::uint32_t f = 0; f < fields; ++f)
      check(worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(rows_layout_.BlockColumn(b) + f),
                                   std::string(ColumnName(columns_[f])).c_str(), header));
  const std::uint32_t rows =
      static_cast<std::uint32_t>(std::min<std::uint64_t>(count, RowSheetLayout::kRowsPerBlock));
  for (std::uint32_t r = 0; r < rows; ++r) {
    if (!control.GoOnWriting(r, rows)) return false;
    const std::uint32_t row = 1 + r;
    for (std::uint32_t b = 0; b < blocks; ++b) {
      const std::uint64_t k = RowSheetLayout::IndexAt(row, b);
      if (k >= count) break;
      for (std::uint32_t f = 0; f < fields; ++f) {
        const auto column = static_cast<lxw_col_t>(rows_layout_.BlockColumn(b) + f);
        const FieldValue value = rows_.At(k, f);
        if (const auto* s = std::get_if<std::string_view>(&value))
          check(worksheet_write_string(sheet, row, column, XmlSafeName(*s).c_str(), text));
        else if (const auto* n = std::get_if<ByteCount>(&value))
          check(worksheet_write_number(sheet, row, column, static_cast<double>(n->bytes), bytes));
        else if (const auto* t = std::get_if<LocalTime>(&value))
          check(worksheet_write_number(sheet, row, column, SpreadsheetDate(*t), moment));
        else if (const auto* d = std::get_if<Duration>(&value))
          check(worksheet_write_number(sheet, row, column, SpreadsheetDays(d->seconds), duration));
        else if (const auto* v = std::get_if<Number>(&value))
          check(worksheet_write_number(sheet, row, column, v->value, nullptr));
      }
    }
  }
  const std::uint32_t name_field = static_cast<std::uint32_t>(
      std::find(columns_.begin(), columns_.end(), Column::Name) - columns_.begin());
  const CellPosition active =
      rows_layout_.PositionOf(count == 0 ? 0 : count - 1, name_field < fields ? name_field : 0);
  worksheet_set_selection(sheet, active.row, static_cast<lxw_col_t>(active.column), active.row,
                          static_cast<lxw_col_t>(active.column));
  rows_.Clear();
  return true;
}

bool XlsxAvailable() {
  return true;
}

std::string XmlSafeName(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  const char* p = name.data();
  const char* end = p + name.size();
  while (p < end) {
    // Each "_" that starts such a sequence in the name is written as "_x005F_", the escaped "_",
    // so "_x0041_" comes back as those seven characters, not as "A". Judged on the name as it
    // is, one "_" at a time, so "_x0041_x0042_" keeps both.
    if (*p == '_' && StartsEscape(p, end)) {
      out += "_x005F_";
      ++p;
      continue;
    }
    const DecodedChar d = DecodeUtf8(p, end);
    if (d.valid && d.value != 0xFFFE && d.value != 0xFFFF)
      out.append(p, d.size);
    else
      AppendUtf8(0xFFFD, out);
    p += d.size;
  }
  return out;
}

XlsxListWriter::XlsxListWriter(const std::string& path, const ListLayout& layout,
                               const platform::FileSystem& fs, const WorkControl& control,
                               const Columns& columns)
    : file_(path, fs, control),
      layout_(layout.first_row),
      columns_(IsNamesOnly(columns) ? Columns{} : columns),
      rows_layout_(static_cast<std::uint32_t>(columns_.size())) {
  for (std::uint32_t f = 0; f < columns_.size(); ++f)
    widths_.Note(f, EstimateTextPixels(ColumnName(columns_[f])));
}

void XlsxListWriter::AddRow(Row row) {
  if (columns_.empty()) {
    const auto* name = std::get_if<std::string_view>(&row[0].value);
    AddName(name != nullptr ? *name : std::string_view());
    return;
  }
  if (row.size() != columns_.size())
    throw SaveFailure(file_.Target(), "a row does not match the list's columns");
  const std::uint64_t index = rows_.Size();
  if (index >= rows_layout_.MaxRows())
    throw SaveFailure(file_.Target(), "the list does not fit in one worksheet (at most " +
                                          std::to_string(rows_layout_.MaxRows()) +
                                          " files with these columns)");
  for (std::uint32_t f = 0; f < row.size(); ++f) {
    const FieldValue& value = row[f].value;
    if (const auto* text = std::get_if<std::string_view>(&value);
        text != nullptr && text->size() > kMaxCellCharacters && CountChars(*text) > kMaxCellCharacters)
      throw SaveFailure(file_.Target(), "a field is longer than a cell holds (32,767 characters)");
    widths_.Note(rows_layout_.PositionOf(index, f).column, EstimateFieldPixels(value, field_));
  }
  rows_.Add(row);
}

void XlsxListWriter::AddName(std::string_view name) {
  const std::uint64_t index = names_.Size();
  if (index >= SheetLayout::kMaxNames)
    throw SaveFailure(file_.Target(), "the list does not fit in one worksheet (at most 16,776,704 names)");
  if (name.size() > kMaxCellCharacters && CountChars(name) > kMaxCellCharacters)
    throw SaveFailure(file_.Target(), "a name is longer than a cell holds (32,767 characters)");
  widths_.Note(layout_.PositionOf(index).column, EstimateTextPixels(name));
  names_.Append(name);
}

bool XlsxListWriter::Finish() {
  const WorkControl& control = file_.Control();
  if (control.Stopped()) return false;
  const std::string& temp = file_.HandOver();
  // Every number the library prints into the workbook (column widths, margins) in the one
  // form the format allows, whatever locale the process runs under.
  const platform::CNumericLocale numbers;
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  OpenWorkbook workbook(workbook_new_opt(temp.c_str(), &options));
  if (workbook.Get() == nullptr) throw SaveFailure(file_.Target(), "cannot start the workbook");
  lxw_worksheet* sheet = nullptr;
  std::string messages;
  {
    StderrCapture quiet;  // the worksheet's temporary file is made here
    sheet = workbook_add_worksheet(workbook.Get(), "Лист1");
    messages = quiet.Release();
  }
  if (sheet == nullptr)
    throw SaveFailure(file_.Target(), "cannot add the worksheet" + Detail(messages, temp, file_.Target()));

  // Text format, as in the .xls list, so an edited cell stays text too.
  lxw_format* text = workbook_add_format(workbook.Get());
  format_set_num_format(text, "@");

  const LxwCheck check(file_.Target(), temp);
  for (std::uint32_t c = 0; c < widths_.Count(); ++c)
    check(worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                               widths_.XlsxWidth(c), nullptr));

  const bool written = columns_.empty() ? WriteNameCells(sheet, text, check)
                                        : WriteRowCells(workbook.Get(), sheet, text, check);
  if (!written) return false;
  if (control.Stopped()) return false;
  control.Tell(WritePhase::Assembling);
  lxw_error closed = LXW_NO_ERROR;
  {
    StderrCapture quiet;  // the zip file is written here
    closed = workbook.Close();
    messages = quiet.Release();
  }
  check(closed, messages);
  if (control.Stopped()) return false;
  return file_.Commit();
}

}  // namespace brixel
