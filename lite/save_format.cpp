#include "lite/save_format.h"

#include "core/platform/file_path.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {

constexpr std::size_t kExtensionChars = 4;
constexpr std::string_view kLongExtension = ".json";  // the one extension longer than four

bool EndsInSeparator(std::string_view folder) {
  if (folder.empty()) return false;
  const char last = folder.back();
  return last == '/' || PreferredSeparator() == std::string_view(&last, 1);
}

}  // namespace

std::string_view SaveFormatExtension(std::string_view entry) {
  if (!entry.empty() && entry.front() == '*') entry.remove_prefix(1);
  return entry;
}

std::optional<ListFormat> ListFormatForEntry(std::string_view entry) {
  if (entry == "*.txt") return ListFormat::Text;
  if (entry == "*.xls") return ListFormat::Spreadsheet;
  if (entry == "*.htm") return ListFormat::Html;
  if (entry == "*.csv") return ListFormat::Csv;
  if (entry == "*.json") return ListFormat::Json;
  return std::nullopt;
}

std::string OutputTextAfterFormatChoice(std::string_view text, std::string_view entry) {
  if (text.empty()) return {};
  std::string result(text);
  if (text.ends_with(kLongExtension))
    result.resize(text.size() - kLongExtension.size());
  else if (CountChars(text) >= kExtensionChars)
    result.resize(text.size() - LastChars(text, kExtensionChars).size());
  result += SaveFormatExtension(entry);
  return result;
}

std::string OutputTextFromDialog(std::string_view chosen, std::string_view entry) {
  std::string result(chosen);
  result += SaveFormatExtension(entry);
  return result;
}

std::string DefaultOutputFile(std::string_view folder, std::string_view entry) {
  std::string path(folder);
  if (!path.empty() && !EndsInSeparator(path)) path += PreferredSeparator();
  path += kDefaultOutputName;
  path += SaveFormatExtension(entry);
  return path;
}

}  // namespace brixel
