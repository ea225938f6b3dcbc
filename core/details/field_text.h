#pragma once
// Fields as text, the same in every locale: a list read by scripts must not change with the
// user's language. Text lists and CSV write these; JSON and workbooks keep the types.
#include <cstdint>
#include <string>

#include "core/details/detail_row.h"

namespace brixel {

// A moment as the wall clock showed it where the list is made.
struct CivilTime {
  std::int64_t year = 1970;
  unsigned month = 1, day = 1, hour = 0, minute = 0, second = 0;
};
CivilTime ToCivil(const LocalTime& time);

// "2024-03-05 14:07:09": the local date and time, as spreadsheets read a date.
std::string FormatLocalDateTime(const LocalTime& time);
// "2024-03-05T14:07:09+03:00": ISO 8601 with the offset, one moment anywhere.
std::string FormatIso8601(const LocalTime& time);
// "3:07", "1:02:03": minutes and seconds, with hours in front from an hour on.
std::string FormatDuration(std::uint32_t seconds);
// "0:03:07": always with hours, which spreadsheets read as a duration ("3:07" they read as three
// hours and seven minutes).
std::string FormatDurationWithHours(std::uint32_t seconds);

// The value as text: text as it is, numbers in plain digits (no group signs), the moment by
// FormatLocalDateTime, the duration by FormatDuration, nothing for a missing value.
void AppendFieldText(const FieldValue& value, std::string& out);

}  // namespace brixel
