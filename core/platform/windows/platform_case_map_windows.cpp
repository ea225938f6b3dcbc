// Case mapping with LCMapStringEx and linguistic casing, so the user's locale decides (Turkish
// dotted and dotless i). Windows maps one UTF-16 unit to one: "ß" stays "ß" in upper case.
#include <windows.h>

#include <utility>

#include "core/platform/platform_case_map.h"
#include "core/platform/windows/locale_name.h"
#include "core/platform/windows/wide_text.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {

class WindowsCaseMap final : public PlatformCaseMap {
 public:
  explicit WindowsCaseMap(std::wstring locale_name) : locale(std::move(locale_name)) {}

  void Upper(std::string_view text, std::string& out) const override { Map(LCMAP_UPPERCASE, text, out); }
  void Lower(std::string_view text, std::string& out) const override { Map(LCMAP_LOWERCASE, text, out); }

 private:
  std::wstring locale;

  // Appends a run of valid UTF-8 mapped with flags; the run unchanged if Windows refuses it.
  void AppendMapped(DWORD flags, std::string_view run, std::string& out) const {
    const std::wstring wide = platform::Utf8ToWide(run);
    flags |= LCMAP_LINGUISTIC_CASING;
    const int size = static_cast<int>(wide.size());
    const int n = ::LCMapStringEx(locale.c_str(), flags, wide.data(), size, nullptr, 0, nullptr, nullptr, 0);
    std::wstring mapped(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n <= 0 || ::LCMapStringEx(locale.c_str(), flags, wide.data(), size, mapped.data(), n, nullptr,
                                  nullptr, 0) != n) {
      out.append(run);
      return;
    }
    platform::AppendWideAsUtf8(mapped, out);
  }

  // Maps the valid stretches of text; bytes that are not UTF-8 pass through where they stand.
  void Map(DWORD flags, std::string_view text, std::string& out) const {
    out.clear();
    const char* p = text.data();
    const char* end = p + text.size();
    const char* run = p;
    while (p < end) {
      const DecodedChar d = DecodeUtf8(p, end);
      if (d.valid) {
        p += d.size;
        continue;
      }
      if (run < p) AppendMapped(flags, std::string_view(run, static_cast<std::size_t>(p - run)), out);
      out += *p++;
      run = p;
    }
    if (run < p) AppendMapped(flags, std::string_view(run, static_cast<std::size_t>(p - run)), out);
  }
};

}  // namespace

std::unique_ptr<PlatformCaseMap> OpenPlatformCaseMap(const std::string& locale_name) {
  return std::make_unique<WindowsCaseMap>(platform::WindowsLocaleName(locale_name));
}

}  // namespace brixel
