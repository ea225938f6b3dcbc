// Numbers as the locale writes them, read with the locale's own signs from GetLocaleInfoEx:
// [sign] digits, grouped or not, [decimal sign digits] [e or E [sign] digits]. The text is turned
// into the plain C form and converted by from_chars, so the program's own locale plays no part.
#include <windows.h>

#include <charconv>
#include <cmath>
#include <vector>

#include "core/platform/number_parse.h"
#include "core/platform/windows/locale_name.h"
#include "core/platform/windows/wide_text.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {

std::wstring LocaleText(const std::wstring& locale, LCTYPE type) {
  wchar_t buffer[32] = {};
  const int n = ::GetLocaleInfoEx(locale.c_str(), type, buffer, 32);
  return n > 1 ? std::wstring(buffer, static_cast<std::size_t>(n - 1)) : std::wstring();
}

bool IsSpaceLike(std::wstring_view s) {
  return s == L"\u00A0" || s == L"\u202F" || s == L" ";
}

struct NumberSigns {
  std::wstring decimal;
  std::wstring group;
  std::wstring minus;
  std::wstring plus;
  std::size_t primary_group = 3;    // digits in the last group before the decimal sign
  std::size_t secondary_group = 3;  // digits in each group before it (2 in Indian grouping)

  explicit NumberSigns(const std::wstring& locale)
      : decimal(LocaleText(locale, LOCALE_SDECIMAL)),
        group(LocaleText(locale, LOCALE_STHOUSAND)),
        minus(LocaleText(locale, LOCALE_SNEGATIVESIGN)),
        plus(LocaleText(locale, LOCALE_SPOSITIVESIGN)) {
    if (decimal.empty()) decimal = L".";
    if (minus.empty()) minus = L"-";
    if (plus.empty()) plus = L"+";
    const std::wstring grouping = LocaleText(locale, LOCALE_SGROUPING);  // "3;0", "3;2;0"
    if (!grouping.empty() && grouping[0] >= L'1' && grouping[0] <= L'9') {
      primary_group = secondary_group = static_cast<std::size_t>(grouping[0] - L'0');
      if (grouping.size() >= 3 && grouping[1] == L';' && grouping[2] >= L'1' && grouping[2] <= L'9')
        secondary_group = static_cast<std::size_t>(grouping[2] - L'0');
    }
  }

  // A group sign written as a space may be typed as any space.
  std::size_t GroupAt(std::wstring_view s) const {
    if (!group.empty() && s.starts_with(group)) return group.size();
    if (IsSpaceLike(group) && !s.empty() && IsSpaceLike(s.substr(0, 1))) return 1;
    return 0;
  }
};

bool IsDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

// Takes a run of digits from the front of s onto out; returns how many.
std::size_t TakeDigits(std::wstring_view& s, std::string& out) {
  std::size_t n = 0;
  while (n < s.size() && IsDigit(s[n])) out += static_cast<char>(s[n++]);
  s.remove_prefix(n);
  return n;
}

bool TakeSign(std::wstring_view& s, const NumberSigns& signs, std::string& out) {
  if (s.starts_with(signs.minus)) {
    out += '-';
    s.remove_prefix(signs.minus.size());
    return true;
  }
  if (s.starts_with(signs.plus)) {
    s.remove_prefix(signs.plus.size());
    return true;
  }
  return false;
}

// The whole-number part, with groups checked: after the first group sign every group holds the
// secondary size of digits, the last one the primary size.
bool TakeWholePart(std::wstring_view& s, const NumberSigns& signs, std::string& out) {
  if (TakeDigits(s, out) == 0) return false;
  std::vector<std::size_t> groups;
  for (std::size_t g; (g = signs.GroupAt(s)) > 0 && s.size() > g && IsDigit(s[g]);) {
    s.remove_prefix(g);
    groups.push_back(TakeDigits(s, out));
  }
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const std::size_t expected = i + 1 == groups.size() ? signs.primary_group : signs.secondary_group;
    if (groups[i] != expected) return false;
  }
  return true;
}

}  // namespace

std::optional<double> ParseLocaleNumber(std::string_view text, const std::string& icu_locale) {
  if (text.empty() || !IsValidUtf8(text)) return std::nullopt;
  const NumberSigns signs(platform::WindowsLocaleName(icu_locale));
  const std::wstring wide = platform::Utf8ToWide(text);
  std::wstring_view s = wide;

  std::string plain;  // the same number in the C form: -123.45e6
  TakeSign(s, signs, plain);
  if (!TakeWholePart(s, signs, plain)) return std::nullopt;
  if (s.starts_with(signs.decimal)) {
    s.remove_prefix(signs.decimal.size());
    plain += '.';
    if (TakeDigits(s, plain) == 0) return std::nullopt;
  }
  if (!s.empty() && (s[0] == L'e' || s[0] == L'E')) {
    s.remove_prefix(1);
    plain += 'e';
    TakeSign(s, signs, plain);
    if (TakeDigits(s, plain) == 0) return std::nullopt;
  }
  if (!s.empty()) return std::nullopt;

  double value = 0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error == std::errc::result_out_of_range) {  // too large, or too small to be told from zero
    const double magnitude = plain.find("e-") != std::string::npos ? 0.0 : HUGE_VAL;
    return plain[0] == '-' ? -magnitude : magnitude;
  }
  if (error != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
  return value;
}

}  // namespace brixel
