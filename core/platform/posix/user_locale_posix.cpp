#include <cstdlib>
#include <string>

#include "core/platform/user_locale.h"

namespace brixel {

namespace {

// "ru_RU.UTF-8@euro" -> "ru_RU"; "C", "POSIX" -> "" (root).
std::string ToIcuName(std::string value) {
  if (const auto at = value.find('@'); at != std::string::npos) value.resize(at);
  if (const auto dot = value.find('.'); dot != std::string::npos) value.resize(dot);
  if (value == "C" || value == "POSIX") return {};
  return value;
}

const char* CategoryVariable(LocaleCategory category) {
  switch (category) {
    case LocaleCategory::Casing:
      return "LC_CTYPE";
    case LocaleCategory::Collation:
      return "LC_COLLATE";
    case LocaleCategory::Numbers:
      return "LC_NUMERIC";
  }
  return "LC_CTYPE";
}

}  // namespace

std::string UserLocaleName(LocaleCategory category) {
  // The same precedence as setlocale(): LC_ALL, then the category, then LANG.
  for (const char* name : {"LC_ALL", CategoryVariable(category), "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return ToIcuName(value);
  }
  return {};
}

}  // namespace brixel
