#pragma once
// What a list can tell of a file without opening it: its size and the last change of its bytes.
#include <cstdint>

namespace brixel::platform {

// A moment as the file system keeps it: seconds since 1970-01-01 00:00 UTC (negative before),
// and the fraction below the second.
struct FileTime {
  std::int64_t seconds = 0;
  std::uint32_t nanoseconds = 0;
  bool operator==(const FileTime&) const = default;
};

struct EntryFacts {
  std::uint64_t size = 0;  // bytes
  FileTime modified;
};

// The local time's offset from UTC, in seconds east, at that moment under the user's time zone
// (summer time counts where it was in force then). Thread-safe.
std::int32_t UtcOffsetAt(std::int64_t seconds);

}  // namespace brixel::platform
