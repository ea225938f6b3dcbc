#include "core/platform/windows/long_path.h"

#include <windows.h>

#include "core/platform/windows/wide_text.h"

namespace brixel::platform {

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";

std::wstring FullPath(const std::wstring& path) {
  std::wstring full(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0) return {};
    if (n < full.size()) {
      full.resize(n);
      return full;
    }
    full.resize(n);  // n counts the terminating NUL when the buffer was too small
  }
}

}  // namespace

std::wstring LongPath(std::string_view utf8) {
  const std::wstring path = Utf8ToWide(utf8);
  if (path.empty()) return {};
  if (path.starts_with(kLongPrefix)) return path;  // already literal: the system takes it as it is
  const std::wstring full = FullPath(path);
  if (full.empty()) return {};
  if (full.starts_with(L"\\\\")) return std::wstring(kLongPrefix) + L"UNC" + full.substr(1);
  return std::wstring(kLongPrefix) + full;
}

std::wstring JoinPath(const std::wstring& folder, std::wstring_view name) {
  std::wstring joined = folder;
  if (!joined.empty() && joined.back() != L'\\') joined += L'\\';
  joined += name;
  return joined;
}

}  // namespace brixel::platform
