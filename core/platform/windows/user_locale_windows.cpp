#include <windows.h>

#include "core/platform/user_locale.h"
#include "core/platform/windows/locale_name.h"

namespace brixel {

// Windows keeps one user locale for casing, collation and numbers alike.
std::string UserLocaleName(LocaleCategory) {
  wchar_t name[LOCALE_NAME_MAX_LENGTH];
  if (::GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) == 0) return {};
  return platform::ProgramLocaleName(name);
}

}  // namespace brixel
