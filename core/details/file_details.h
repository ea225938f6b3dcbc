#pragma once
// What a list can tell of one file beside its name, each value typed as a list format wants it:
// the size in bytes, the last change as a moment with the local offset of that moment, the
// duration in whole seconds, tags as UTF-8 text, track and year as numbers. Any of them can be
// missing - a file that vanished has no size, one that is no audio has no tags - and a missing
// value is an empty field in every format.
#include <cstdint>
#include <optional>
#include <string>

namespace brixel {

struct LocalTime {
  std::int64_t seconds = 0;     // since 1970-01-01 00:00 UTC
  std::int32_t utc_offset = 0;  // seconds east of UTC in the user's time zone at that moment
  bool operator==(const LocalTime&) const = default;
};

struct AudioDetails {
  std::optional<std::uint32_t> duration;  // seconds, rounded to the nearest
  std::string artist, title, album;       // empty when the file has none
  std::optional<std::uint32_t> track, year;
  bool operator==(const AudioDetails&) const = default;
};

struct FileDetails {
  // The file's folder relative to the chosen one, with the platform's separator; empty for the
  // chosen folder itself. The walk knows it and sets it; the reader leaves it alone.
  std::string folder;
  std::optional<std::uint64_t> size;
  std::optional<LocalTime> modified;
  AudioDetails audio;
};

}  // namespace brixel
