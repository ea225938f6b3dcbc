#pragma once
// The text list: one name per line, CR LF (with columns, one file per line, its fields separated
// by a tab and no header line, since the list is appended to;
// a tab or line break within a field becomes "?" as every control character does), appended after the file's
// existing bytes (a missing file is created, an existing one is never truncated, one that is no text list is
// refused). If the save fails part way, is stopped, or the writer is dropped unfinished, the file is put back
// as it was.
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

#include "core/export/appended_file.h"
#include "core/export/row_writer.h"
#include "core/export/text_encoding.h"

namespace brixel {

class TextListWriter final : public RowWriter {
 public:
  // Opens (creating) the file. Throws SaveError.
  TextListWriter(const std::string& path, TextEncoding encoding, const platform::FileSystem& fs,
                 const WorkControl& control = {}, bool in_place_allowed = false);
  void AddRow(Row row) override;
  bool Finish() override;
  // Why the list goes into the file itself; nothing when a copy takes its place.
  std::optional<InPlaceCause> InPlace() const { return file_.InPlace(); }

 private:
  void Flush();

  AppendedFile file_;
  std::stop_token stop_;
  TextEncoding encoding_;
  std::string pending_;
  std::string field_;
};

// Appends the names as lines in the given encoding (Windows-1251: characters it lacks, control
// characters and invalid bytes become "?"; UTF-8: invalid bytes become U+FFFD).
void AppendTextLine(std::string_view name, TextEncoding encoding, std::string& out);

}  // namespace brixel
