#include "core/format/start_number.h"

#include <cmath>

#include "core/platform/number_parse.h"
#include "core/platform/user_locale.h"

namespace brixel {

std::optional<long long> ParseStartNumber(std::string_view text) {
  return ParseStartNumber(text, UserLocaleName(LocaleCategory::Numbers));
}

std::optional<long long> ParseStartNumber(std::string_view text, const std::string& icu_locale) {
  const std::optional<double> value = ParseLocaleNumber(text, icu_locale);
  // The negated test also turns NaN away.
  if (!value || !(std::fabs(*value) <= static_cast<double>(kStartNumberLimit))) return std::nullopt;
  return static_cast<long long>(std::floor(*value));
}

}  // namespace brixel
