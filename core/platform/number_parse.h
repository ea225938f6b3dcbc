#pragma once
// Reads a number the way a locale writes it: "7,5" is seven and a half in Russian, "7.5" in
// English; grouping and exponent forms ("1e3") as the locale allows them.
#include <optional>
#include <string>
#include <string_view>

namespace brixel {

// The value of text when the whole text is one number in the locale's format (icu_locale as ICU
// names locales; "" is the root locale). Anything left over, an empty text or an invalid byte
// gives no value. Infinity and NaN may come back; callers bound the range they accept.
std::optional<double> ParseLocaleNumber(std::string_view text, const std::string& icu_locale);

}  // namespace brixel
