#include <windows.h>

#include <string>

#include "core/platform/program_folder.h"
#include "core/platform/windows/wide_text.h"

namespace brixel {

std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return CurrentFolder();
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);  // truncated: try again with more room
  }
  std::size_t cut = path.find_last_of(L"\\/");
  if (cut == std::wstring::npos) return CurrentFolder();
  // Keep the separator of a root ("C:\"), drop any other.
  if (cut == 0 || path[cut - 1] == L':') ++cut;
  path.resize(cut);
  if (path.starts_with(L"\\\\?\\") && !path.starts_with(L"\\\\?\\UNC\\")) path.erase(0, 4);
  return platform::WideToUtf8(path);
}

}  // namespace brixel
