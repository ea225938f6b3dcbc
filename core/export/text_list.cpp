#include "core/export/text_list.h"

#include <fstream>
#include <system_error>

#include "core/export/save_error.h"
#include "core/platform/file_path.h"
#include "core/text/cp1251.h"
#include "core/text/utf8.h"

namespace brixel {

void AppendTextLines(const NameColumn& names, TextEncoding encoding, std::string& out) {
  out.reserve(out.size() + names.ByteSize() + names.Size() * 2);
  for (std::size_t i = 0; i < names.Size(); ++i) {
    if (encoding == TextEncoding::Cp1251)
      AppendCp1251(names[i], out, Cp1251Mode::Text);
    else
      out += SanitizeUtf8(names[i]);
    out += "\r\n";
  }
}

void WriteTextList(const std::string& path, const NameColumn& names, TextEncoding encoding) {
  std::string bytes;
  AppendTextLines(names, encoding, bytes);
  AppendToFile(path, bytes);
}

void AppendToFile(const std::string& path, std::string_view bytes) {
  const std::filesystem::path p = PathFromUtf8(path);
  std::error_code ec;
  const bool existed = std::filesystem::exists(p, ec);
  const std::uintmax_t old_size = existed ? std::filesystem::file_size(p, ec) : 0;
  if (ec) throw SaveError(path + ": " + ec.message());

  std::ofstream out(p, std::ios::binary | std::ios::app);
  if (!out) throw SaveError(path + ": cannot open the file for writing");
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  const bool ok = static_cast<bool>(out);
  out.close();
  if (ok && !out.fail()) return;

  // Put the file back as it was before this save.
  std::error_code undo;
  if (existed)
    std::filesystem::resize_file(p, old_size, undo);
  else
    std::filesystem::remove(p, undo);
  throw SaveError(path + ": writing failed");
}

}  // namespace brixel
