#include "tests/support/wine.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace brixel::test {

bool RunningUnderWine() {
#ifdef _WIN32
  // Only wine's ntdll exports its version.
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
  return false;
#endif
}

}  // namespace brixel::test
