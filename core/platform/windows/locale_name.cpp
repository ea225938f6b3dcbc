#include "core/platform/windows/locale_name.h"

#include <windows.h>

#include <algorithm>

#include "core/platform/windows/wide_text.h"

namespace brixel::platform {

std::wstring WindowsLocaleName(const std::string& name) {
  std::wstring wide = Utf8ToWide(name);
  std::replace(wide.begin(), wide.end(), L'_', L'-');
  if (wide.empty() || !::IsValidLocaleName(wide.c_str())) return LOCALE_NAME_INVARIANT;
  return wide;
}

std::string ProgramLocaleName(const std::wstring& windows_name) {
  std::string name = WideToUtf8(windows_name);
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
}

}  // namespace brixel::platform
