// Case mapping with LCMapStringEx and linguistic casing, so the user's locale decides (Turkish
// dotted and dotless i). Windows maps one UTF-16 unit to one: "ß" stays "ß" in upper case.
#include <windows.h>

#include "core/platform/windows/locale_name.h"
#include "core/platform/windows/wide_text.h"
#include "core/text/case_map.h"
#include "core/text/user_locale.h"
#include "core/text/utf8.h"

namespace brixel {

struct CaseMapper::Impl {
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

namespace {

constexpr std::string_view kAsciiLower = "abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kAsciiUpper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

}  // namespace

CaseMapper::CaseMapper(const std::string& locale_name)
    : impl_(std::make_unique<Impl>(Impl{platform::WindowsLocaleName(locale_name)})), ascii_fast_path_(false) {
  // The fast path is only right where the locale itself maps ASCII letters to ASCII letters.
  std::string upper, lower;
  impl_->Map(LCMAP_UPPERCASE, kAsciiLower, upper);
  impl_->Map(LCMAP_LOWERCASE, kAsciiUpper, lower);
  ascii_fast_path_ = upper == kAsciiUpper && lower == kAsciiLower;
}

CaseMapper::~CaseMapper() = default;

void CaseMapper::Upper(std::string_view text, std::string& out) const {
  if (ascii_fast_path_ && IsAscii(text)) {
    out.assign(text);
    for (char& c : out)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return;
  }
  impl_->Map(LCMAP_UPPERCASE, text, out);
}

void CaseMapper::Lower(std::string_view text, std::string& out) const {
  if (ascii_fast_path_ && IsAscii(text)) {
    out.assign(text);
    for (char& c : out)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return;
  }
  impl_->Map(LCMAP_LOWERCASE, text, out);
}

const CaseMapper& CaseMapper::ForUser() {
  static const CaseMapper user(UserLocaleName(LocaleCategory::Casing));
  return user;
}

}  // namespace brixel
