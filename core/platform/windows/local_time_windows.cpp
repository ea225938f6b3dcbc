#include <windows.h>

#include "core/platform/entry_facts.h"

namespace brixel::platform {

std::int32_t UtcOffsetAt(std::int64_t seconds) {
  // The zone's rules for that moment's year: SystemTimeToTzSpecificLocalTime applies the summer
  // time in force then, not today's.
  constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;
  const std::int64_t since_1601 = seconds + kSecondsFrom1601To1970;
  if (since_1601 < 0) return 0;
  const std::uint64_t ticks = static_cast<std::uint64_t>(since_1601) * 10'000'000u;
  const FILETIME utc_file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME utc{}, local{};
  FILETIME local_file{};
  if (!::FileTimeToSystemTime(&utc_file, &utc) || !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) ||
      !::SystemTimeToFileTime(&local, &local_file))
    return 0;
  const auto value = [](const FILETIME& f) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime);
  };
  return static_cast<std::int32_t>((value(local_file) - value(utc_file)) / 10'000'000);
}

}  // namespace brixel::platform
