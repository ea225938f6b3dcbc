#include "core/export/csv_list.h"

#include "core/details/field_text.h"
#include "core/export/save_error.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {

bool NeedsNeutralising(std::string_view text) {
  if (text.empty()) return false;
  switch (text.front()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
    case '\'':
      return true;
    default:
      return false;
  }
}

void AppendText(std::string_view raw, std::string& out) {
  const std::string text = SanitizeUtf8(raw);
  const bool neutralise = NeedsNeutralising(text);
  const bool quote = neutralise || text.find_first_of(",\"\r\n") != std::string::npos;
  if (!quote) {
    out += text;
    return;
  }
  out += '"';
  if (neutralise) out += '\'';
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace

void AppendCsvField(const FieldValue& value, std::string& out) {
  if (const auto* text = std::get_if<std::string_view>(&value))
    AppendText(*text, out);
  else if (const auto* duration = std::get_if<Duration>(&value))
    out += FormatDurationWithHours(duration->seconds);
  else
    AppendFieldText(value, out);
}

CsvListWriter::CsvListWriter(const std::string& path, const Columns& columns, const platform::FileSystem& fs,
                             const WorkControl& control)
    : file_(path, fs, control), columns_(HeaderColumns(columns).size()) {
  line_ = "\xEF\xBB\xBF";  // the byte-order mark
  const Columns header = HeaderColumns(columns);
  for (std::size_t i = 0; i < header.size(); ++i) {
    if (i != 0) line_ += ',';
    line_ += ColumnName(header[i]);
  }
  line_ += "\r\n";
  file_.Output().Write(line_);
}

void CsvListWriter::AddRow(Row row) {
  if (row.size() != columns_) throw SaveFailure(file_.Target(), "a row does not match the list's columns");
  line_.clear();
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (i != 0) line_ += ',';
    AppendCsvField(row[i].value, line_);
  }
  line_ += "\r\n";
  file_.Output().Write(line_);
}

bool CsvListWriter::Finish() {
  if (file_.Control().Stopped()) return false;
  return file_.Commit();
}

}  // namespace brixel
