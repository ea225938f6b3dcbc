#include "core/export/text_list.h"

#include "core/export/save_error.h"
#include "core/platform/file_system.h"
#include "core/text/cp1251.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {
// Names are gathered into chunks of this size before they reach the file.
constexpr std::size_t kChunkSize = 1 << 20;
}  // namespace

void AppendTextLine(std::string_view name, TextEncoding encoding, std::string& out) {
  if (encoding == TextEncoding::Cp1251)
    AppendCp1251(name, out, Cp1251Mode::Text);
  else
    AppendUtf8Line(name, out);
  out += "\r\n";
}

TextListWriter::TextListWriter(const std::string& path, TextEncoding encoding, const platform::FileSystem& fs,
                               const WorkControl& control, bool in_place_allowed)
    : file_(path, fs, control, in_place_allowed), stop_(control.stop), encoding_(encoding) {
  pending_.reserve(kChunkSize + 4096);
}

void TextListWriter::Add(std::string_view name) {
  AppendTextLine(name, encoding_, pending_);
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
