#include "core/text/case_map.h"

#include "core/platform/user_locale.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {

constexpr std::string_view kAsciiLower = "abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kAsciiUpper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

void MapAscii(std::string_view text, char from, char to, std::string& out) {
  out.assign(text);
  for (char& c : out)
    if (c >= from && c <= static_cast<char>(from + 25)) c = static_cast<char>(c - from + to);
}

}  // namespace

CaseMapper::CaseMapper(const std::string& locale_name)
    : platform_(OpenPlatformCaseMap(locale_name)), ascii_fast_path_(false) {
  // The fast path is only right where the locale itself maps ASCII letters to ASCII letters
  // (not in Turkish or Azeri, where "i" raises to "İ").
  std::string upper, lower;
  platform_->Upper(kAsciiLower, upper);
  platform_->Lower(kAsciiUpper, lower);
  ascii_fast_path_ = upper == kAsciiUpper && lower == kAsciiLower;
}

CaseMapper::~CaseMapper() = default;

void CaseMapper::Upper(std::string_view text, std::string& out) const {
  if (ascii_fast_path_ && IsAscii(text))
    MapAscii(text, 'a', 'A', out);
  else
    platform_->Upper(text, out);
}

void CaseMapper::Lower(std::string_view text, std::string& out) const {
  if (ascii_fast_path_ && IsAscii(text))
    MapAscii(text, 'A', 'a', out);
  else
    platform_->Lower(text, out);
}

const CaseMapper& CaseMapper::ForUser() {
  static const CaseMapper user(UserLocaleName(LocaleCategory::Casing));
  return user;
}

}  // namespace brixel
