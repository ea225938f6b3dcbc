#pragma once
// The start number of the numbering: the start text read in the user's number format and floored,
// so "7,5" in a Russian locale numbers from 7 and "-2,5" from -3.
#include <optional>
#include <string>
#include <string_view>

namespace brixel {

// Larger start values are refused rather than rounded: a double holds every whole number up to
// here exactly, so the numbers of a long list stay exact.
inline constexpr long long kStartNumberLimit = 999'999'999'999'999;

// No value when the text is no number (letters, empty, trailing characters, magnitude above the
// limit); the run then writes no numbers.
std::optional<long long> ParseStartNumber(std::string_view text);  // the user's locale
std::optional<long long> ParseStartNumber(std::string_view text, const std::string& icu_locale);

}  // namespace brixel
