#include "core/listing/mask_list.h"

#include "core/platform/file_path.h"
#include "core/platform/plain_file.h"
#include "core/text/cp1251.h"
#include "core/utf8/utf8.h"

namespace brixel {

const std::vector<std::string>& BuiltInMaskLines() {
  static const std::vector<std::string> lines{"*.mp3; *.wav", "*.mp3", "*.wav", "*.txt",
                                              "*.jpg",        "*.bmp", "*.png", "*.jpg; *.png"};
  return lines;
}

std::string_view TrimSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::vector<std::string> ParseMaskFile(std::string_view bytes, bool* cut) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  // The line ends first: the lines past the limit are not looked at, not even for the encoding.
  std::vector<std::pair<std::size_t, std::size_t>> spans;
  bool more = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= bytes.size() && !more; ++i) {
    if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n' && bytes[i] != '\0') continue;
    if (i > start) {  // empty: a CR LF pair or a run of line ends adds nothing
      if (spans.size() == kMaskFileLineLimit)
        more = true;
      else
        spans.emplace_back(start, i);
    }
    start = i + 1;
  }
  if (cut != nullptr) *cut = more;
  const bool utf8 = spans.empty() || IsValidUtf8(bytes.substr(0, spans.back().second));
  std::vector<std::string> lines;
  lines.reserve(spans.size());
  for (const auto& [from, to] : spans) {
    const std::string_view line = TrimSpaces(bytes.substr(from, to - from));
    lines.push_back(utf8 ? std::string(line) : DecodeCp1251(line));
  }
  return lines;
}

MaskFileLines ReadMaskFile(const std::string& folder) {
  try {
    const std::string path = PathToUtf8(PathFromUtf8(folder) / PathFromUtf8(kMaskFileName));
    platform::PlainFileRead file = platform::ReadPlainFile(path, kMaskFileLimit);
    if (file.status == platform::PlainFileRead::Status::Missing) {
      platform::CreateEmptyFile(path);  // a template for the user
      return {};
    }
    if (file.status != platform::PlainFileRead::Status::Read) return {};
    std::string_view bytes = file.bytes;
    if (file.cut) {
      // The line the limit cuts is dropped whole: a piece of it (or of one of its characters,
      // which would make the whole file read as Windows-1251) is no line the user wrote.
      const auto end = bytes.find_last_of(std::string_view("\r\n\0", 3));
      bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(0, end + 1);
    }
    MaskFileLines read;
    read.lines = ParseMaskFile(bytes, &read.cut);
    return read;
  } catch (...) {  // no memory for the lines: the built-in ones remain
    return {};
  }
}

std::vector<std::string> LoadMaskFile(const std::string& folder) {
  return ReadMaskFile(folder).lines;
}

std::vector<std::string> SplitMaskLine(std::string_view line) {
  std::vector<std::string> masks;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= line.size(); ++i) {
    if (i == line.size() || line[i] == ';') {
      masks.emplace_back(TrimSpaces(line.substr(start, i - start)));
      start = i + 1;
    }
  }
  return masks;
}

}  // namespace brixel
