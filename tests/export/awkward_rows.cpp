#include "tests/export/awkward_rows.h"

#include <cstdint>
#include <variant>

#include "core/details/detail_row.h"
#include "core/details/field_text.h"
#include "core/export/json_list.h"
#include "core/utf8/utf8.h"
#include "tests/support/temp_tree.h"

namespace brixel::test {

std::vector<Listed> AwkwardFiles() {
  const std::vector<std::string> names = {"plain.mp3",        "=1+1.mp3",
                                          "+7 (495) 123.mp3", "-minus.mp3",
                                          "@SUM(A1).mp3",     "\tTab.mp3",
                                          "\rCR.mp3",         "'quoted.mp3",
                                          "''=twice.mp3",     "a,b \"c\".mp3",
                                          "line\nbreak.mp3",  "Кириллица ё.mp3",
                                          "bad\xFF byte.mp3", "",
                                          "日本 🎵.flac"};
  std::vector<Listed> files;
  for (std::size_t i = 0; i < names.size(); ++i) {
    Listed f{names[i], {}};
    f.details.folder = i % 3 == 0 ? "" : "Rock/=1999";
    if (i % 4 != 3) f.details.size = 1234567890123 + i;
    // 2024-02-29 23:30:05 UTC, in Moscow.
    if (i % 5 != 4)
      f.details.modified = LocalTime{1709249405 + static_cast<std::int64_t>(i) * 3600, 3 * 3600};
    if (i % 2 == 0) {
      f.details.audio = {187 + static_cast<std::uint32_t>(i) * 1800,
                         "=HYPERLINK(\"x\")",
                         "Кукушка, live",
                         "-альбом",
                         static_cast<std::uint32_t>(i + 1),
                         1990};
    }
    files.push_back(f);
  }
  return files;
}

namespace {

void AppendJsonValue(const FieldValue& value, std::string& out) {
  if (std::holds_alternative<std::monostate>(value)) out += "null";
  if (const auto* text = std::get_if<std::string_view>(&value)) AppendJsonString(SanitizeUtf8(*text), out);
  if (const auto* size = std::get_if<ByteCount>(&value)) out += std::to_string(size->bytes);
  if (const auto* duration = std::get_if<Duration>(&value)) out += std::to_string(duration->seconds);
  if (const auto* number = std::get_if<Number>(&value)) out += std::to_string(number->value);
  if (const auto* time = std::get_if<LocalTime>(&value)) {
    AppendJsonString(FormatIso8601(*time), out);
  }
}

}  // namespace

void WriteRows(RowWriter& writer, const Columns& columns, const std::vector<Listed>& files,
               const std::string& expected) {
  std::string want = "{\"columns\": [";
  for (const Column c : columns)
    want += (c == columns.front() ? "\"" : ", \"") + std::string(ColumnName(c)) + "\"";
  want += "], \"rows\": [";
  std::vector<Field> row;
  for (const Listed& f : files) {
    FillRow(columns, f.name, f.details, row);
    writer.AddRow(row);
    want += &f == &files.front() ? "[" : ", [";
    for (const Field& field : row) {
      if (&field != &row.front()) want += ", ";
      AppendJsonValue(field.value, want);
    }
    want += "]";
  }
  writer.Finish();
  test::WriteBytes(expected, want + "]}\n");
}

}  // namespace brixel::test
