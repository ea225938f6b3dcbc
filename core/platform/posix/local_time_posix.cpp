#include <ctime>

#include "core/platform/entry_facts.h"

namespace brixel::platform {

std::int32_t UtcOffsetAt(std::int64_t seconds) {
  // localtime_r need not look at TZ again; tzset does, so a changed zone is seen.
  ::tzset();
  const std::time_t t = static_cast<std::time_t>(seconds);
  struct tm local {};
  if (::localtime_r(&t, &local) == nullptr) return 0;
  return static_cast<std::int32_t>(local.tm_gmtoff);
}

}  // namespace brixel::platform
