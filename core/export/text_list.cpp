#include "core/export/text_list.h"

#include "core/details/field_text.h"
#include "core/export/save_error.h"
#include "core/platform/file_system.h"
#include "core/text/cp1251.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {
// Names are gathered into chunks of this size before they reach the file.
constexpr std::size_t kChunkSize = 1 << 20;
}  // namespace

namespace {

void AppendTextField(std::string_view text, TextEncoding encoding, std::string& out) {
  if (encoding == TextEncoding::Cp1251)
    AppendCp1251(text, out, Cp1251Mode::Text);
  else
    AppendUtf8Line(text, out);
}

}  // namespace

void AppendTextLine(std::string_view name, TextEncoding encoding, std::string& out) {
  AppendTextField(name, encoding, out);
  out += "\r\n";
}

TextListWriter::TextListWriter(const std::string& path, TextEncoding encoding, const platform::FileSystem& fs,
                               const WorkControl& control, bool in_place_allowed)
    : file_(path, fs, control, in_place_allowed), stop_(control.stop), encoding_(encoding) {
  pending_.reserve(kChunkSize + 4096);
}

void TextListWriter::AddRow(Row row) {
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (i != 0) pending_ += '\t';
    if (const auto* text = std::get_if<std::string_view>(&row[i].value)) {
      AppendTextField(*text, encoding_, pending_);
    } else {
      field_.clear();
      AppendFieldText(row[i].value, field_);
      AppendTextField(field_, encoding_, pending_);
    }
  }
  pending_ += "\r\n";
  if (pending_.size() >= kChunkSize) Flush();
}

void TextListWriter::Flush() {
  try {
    file_.Output().Write(pending_);
    pending_.clear();
  } catch (...) {
    file_.RollBack();
    throw;
  }
}

bool TextListWriter::Finish() {
  if (stop_.stop_requested()) return false;  // the file goes back as it was with the writer
  Flush();
  return file_.Commit();
}

}  // namespace brixel
