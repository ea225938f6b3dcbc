#include <unicode/unum.h>

#include <memory>

#include "core/platform/number_parse.h"
#include "core/utf8/utf8.h"

namespace brixel {

namespace {

struct NumberFormatCloser {
  void operator()(UNumberFormat* format) const { unum_close(format); }
};

}  // namespace

std::optional<double> ParseLocaleNumber(std::string_view text, const std::string& icu_locale) {
  std::u16string utf16;
  AppendUtf16(text, utf16);  // an invalid byte becomes U+FFFD, which no locale reads as a digit
  if (utf16.empty()) return std::nullopt;

  UErrorCode status = U_ZERO_ERROR;
  const std::unique_ptr<UNumberFormat, NumberFormatCloser> format(
      unum_open(UNUM_DECIMAL, nullptr, 0, icu_locale.c_str(), nullptr, &status));
  if (U_FAILURE(status)) return std::nullopt;

  // ICU stops at the first character it cannot use and still reports success, so "7x" would
  // read as 7: only a parse that reached the end counts.
  int32_t position = 0;
  const double value = unum_parseDouble(format.get(), reinterpret_cast<const UChar*>(utf16.data()),
                                        static_cast<int32_t>(utf16.size()), &position, &status);
  if (U_FAILURE(status) || position != static_cast<int32_t>(utf16.size())) return std::nullopt;
  return value;
}

}  // namespace brixel
