#pragma once
// The JSON list: UTF-8, an array with one object per file, its members the chosen columns in
// their order under their names ("name", "size", ...). Sizes, durations (seconds), track and year
// are numbers; the modified time is an ISO 8601 string with the local offset
// ("2024-03-05T14:07:09+03:00"); a missing value is null. Bytes that are not UTF-8 become U+FFFD.
// One object per line. The file replaces an existing one only once complete.
#include <string>

#include "core/export/replacement_file.h"
#include "core/export/row_writer.h"

namespace brixel {

class JsonListWriter final : public RowWriter {
 public:
  // Throws SaveError.
  JsonListWriter(const std::string& path, const Columns& columns, const platform::FileSystem& fs,
                 const WorkControl& control = {});
  void AddRow(Row row) override;
  bool Finish() override;

 private:
  ReplacementFile file_;
  Columns columns_;
  bool first_ = true;
  std::string line_;
};

// A JSON string literal of UTF-8 text, quotes included.
void AppendJsonString(std::string_view text, std::string& out);

}  // namespace brixel
