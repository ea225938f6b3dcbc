#include "core/details/field_text.h"

#include <cstdio>

namespace brixel {

namespace {

// Days since 1970-01-01 to a proleptic Gregorian date (H. Hinnant's civil_from_days).
void CivilFromDays(std::int64_t days, std::int64_t& year, unsigned& month, unsigned& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto day_of_era = static_cast<unsigned>(days - era * 146097);
  const unsigned year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const unsigned day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const unsigned m = (5 * day_of_year + 2) / 153;
  day = day_of_year - (153 * m + 2) / 5 + 1;
  month = m < 10 ? m + 3 : m - 9;
  year = static_cast<std::int64_t>(year_of_era) + era * 400 + (month <= 2 ? 1 : 0);
}

// `count` decimal digits of value at `at`, zeros in front.
void PutDigits(char* at, unsigned value, int count) {
  for (int i = count - 1; i >= 0; --i, value /= 10) at[i] = static_cast<char>('0' + value % 10);
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

CivilTime ToCivil(const LocalTime& time) {
  const std::int64_t local = time.seconds + time.utc_offset;
  const std::int64_t days = FloorDiv(local, 86400);
  const auto in_day = static_cast<unsigned>(local - days * 86400);
  CivilTime civil;
  CivilFromDays(days, civil.year, civil.month, civil.day);
  civil.hour = in_day / 3600;
  civil.minute = in_day / 60 % 60;
  civil.second = in_day % 60;
  return civil;
}

std::string FormatLocalDateTime(const LocalTime& time) {
  const CivilTime c = ToCivil(time);
  if (c.year >= 0 && c.year <= 9999) {  // every row of a long list: no format string to parse
    std::string text = "0000-00-00 00:00:00";
    PutDigits(&text[0], static_cast<unsigned>(c.year), 4);
    PutDigits(&text[5], c.month, 2);
    PutDigits(&text[8], c.day, 2);
    PutDigits(&text[11], c.hour, 2);
    PutDigits(&text[14], c.minute, 2);
    PutDigits(&text[17], c.second, 2);
    return text;
  }
  char text[48];
  std::snprintf(text, sizeof text, "%04lld-%02u-%02u %02u:%02u:%02u", static_cast<long long>(c.year), c.month,
                c.day, c.hour, c.minute, c.second);
  return text;
}

std::string FormatIso8601(const LocalTime& time) {
  std::string text = FormatLocalDateTime(time);
  text[10] = 'T';
  const std::int32_t offset = time.utc_offset;
  const unsigned magnitude = static_cast<unsigned>(offset < 0 ? -offset : offset) / 60;
  char zone[16];
  std::snprintf(zone, sizeof zone, "%c%02u:%02u", offset < 0 ? '-' : '+', magnitude / 60 % 100,
                magnitude % 60);
  return text + zone;
}

std::string FormatDurationWithHours(std::uint32_t seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%u:%02u:%02u", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

std::string FormatDuration(std::uint32_t seconds) {
  if (seconds >= 3600) return FormatDurationWithHours(seconds);
  char text[32];
  std::snprintf(text, sizeof text, "%u:%02u", seconds / 60, seconds % 60);
  return text;
}

void AppendFieldText(const FieldValue& value, std::string& out) {
  struct Append {
    std::string& out;
    void operator()(std::monostate) const {}
    void operator()(std::string_view text) const { out += text; }
    void operator()(ByteCount size) const { out += std::to_string(size.bytes); }
    void operator()(const LocalTime& time) const { out += FormatLocalDateTime(time); }
    void operator()(Duration duration) const { out += FormatDuration(duration.seconds); }
    void operator()(Number number) const { out += std::to_string(number.value); }
  };
  std::visit(Append{out}, value);
}

}  // namespace brixel
