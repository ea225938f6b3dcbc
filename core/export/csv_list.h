#pragma once
// The CSV list (RFC 4180): UTF-8 with a byte-order mark, so spreadsheet applications take it as
// UTF-8; a header row of the column names; CR LF after every row, the last too. A field holding a
// comma, a double quote or a line break is quoted, its quotes doubled. Sizes, track and year are
// plain digits, the modified time "YYYY-MM-DD HH:MM:SS" in local time, the duration "h:mm:ss"
// (field_text.h): forms spreadsheets read as a date and a duration. A missing value is an empty
// field.
//
// No text field can run as a formula: one that begins with "=", "+", "-", "@", a tab, a carriage
// return or an apostrophe gets one apostrophe in front (and is quoted). So a script gets the exact
// text back by dropping the first character of every text field that begins with an apostrophe.
// Bytes that are not UTF-8 become U+FFFD. The file replaces an existing one only once complete.
#include <string>
#include <vector>

#include "core/export/replacement_file.h"
#include "core/export/row_writer.h"

namespace brixel {

class CsvListWriter final : public RowWriter {
 public:
  // Throws SaveError.
  CsvListWriter(const std::string& path, const Columns& columns, const platform::FileSystem& fs,
                const WorkControl& control = {});
  void AddRow(Row row) override;
  bool Finish() override;

 private:
  ReplacementFile file_;
  std::size_t columns_;
  std::string line_;
};

// One field as it stands in a CSV row.
void AppendCsvField(const FieldValue& value, std::string& out);

}  // namespace brixel
