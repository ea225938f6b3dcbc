#include "core/export/json_list.h"

#include <cstdio>

#include "core/details/field_text.h"
#include "core/export/save_error.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {

void AppendJsonValue(const FieldValue& value, std::string& out) {
  struct Append {
    std::string& out;
    void operator()(std::monostate) const { out += "null"; }
    void operator()(std::string_view text) const { AppendJsonString(text, out); }
    void operator()(ByteCount size) const { out += std::to_string(size.bytes); }
    void operator()(const LocalTime& time) const { AppendJsonString(FormatIso8601(time), out); }
    void operator()(Duration duration) const { out += std::to_string(duration.seconds); }
    void operator()(Number number) const { out += std::to_string(number.value); }
  };
  std::visit(Append{out}, value);
}

}  // namespace

void AppendJsonString(std::string_view text, std::string& out) {
  out += '"';
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    const DecodedChar c = DecodeUtf8(p, end);
    if (!c.valid) {
      AppendUtf8(0xFFFD, out);
    } else if (c.value == '"' || c.value == '\\') {
      out += '\\';
      out += static_cast<char>(c.value);
    } else if (c.value < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c.value));
      out += escape;
    } else {
      out.append(p, c.size);
    }
    p += c.size;
  }
  out += '"';
}

JsonListWriter::JsonListWriter(const std::string& path, const Columns& columns,
                               const platform::FileSystem& fs, const WorkControl& control)
    : file_(path, fs, control), columns_(HeaderColumns(columns)) {
  file_.Output().Write("[");
}

void JsonListWriter::AddRow(Row row) {
  if (row.size() != columns_.size())
    throw SaveFailure(file_.Target(), "a row does not match the list's columns");
  line_ = first_ ? "\n{" : ",\n{";
  first_ = false;
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (i != 0) line_ += ", ";
    AppendJsonString(ColumnName(columns_[i]), line_);
    line_ += ": ";
    AppendJsonValue(row[i].value, line_);
  }
  line_ += '}';
  file_.Output().Write(line_);
}

bool JsonListWriter::Finish() {
  if (file_.Control().Stopped()) return false;
  file_.Output().Write(first_ ? "]\n" : "\n]\n");
  return file_.Commit();
}

}  // namespace brixel
