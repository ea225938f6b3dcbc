#pragma once
// Times as spreadsheets keep them: a number of days, a date counted from 1899-12-30 (so that
// 1970-01-01 is 25569), the time of day as the fraction. A date cell shows the wall clock, so the
// moment is taken in the offset it had where the list was made.
#include <cstdint>

#include "core/details/file_details.h"

namespace brixel {

inline double SpreadsheetDays(std::int64_t seconds) {
  return static_cast<double>(seconds) / 86400.0;
}

inline double SpreadsheetDate(const LocalTime& time) {
  constexpr double kUnixEpoch = 25569;
  return kUnixEpoch + SpreadsheetDays(time.seconds + time.utc_offset);
}

}  // namespace brixel
