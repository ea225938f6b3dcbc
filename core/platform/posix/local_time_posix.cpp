#include <cstdlib>
#include <ctime>
#include <mutex>
#include <string>

#include "core/platform/entry_facts.h"

namespace brixel::platform {

namespace {

// tzset reads the zone again (a look at /etc/localtime each time), which costs far more than the
// conversion; it runs only when TZ has changed since it last ran. Returns the zone's generation.
unsigned ZoneCurrent() {
  static std::mutex mutex;
  static std::string last;
  static unsigned generation = 0;
  const char* tz = std::getenv("TZ");
  const std::string now = tz ? tz : "\x01unset";
  const std::lock_guard lock(mutex);
  if (generation == 0 || now != last) {
    ::tzset();
    last = now;
    ++generation;
  }
  return generation;
}

// Since 1980 every zone changes its offset at a whole quarter of an hour of UTC (offsets and the
// local hours of change are whole quarters), so one quarter has one offset. A listing's files
// share few quarters: the last one looked up is kept per thread.
constexpr std::int64_t kQuarter = 900;
constexpr std::int64_t kFrom1980 = 315532800;

struct LastQuarter {
  unsigned generation = 0;
  std::int64_t quarter = 0;
  std::int32_t offset = 0;
};
thread_local LastQuarter last_quarter;

}  // namespace

std::int32_t UtcOffsetAt(std::int64_t seconds) {
  const unsigned generation = ZoneCurrent();
  const std::int64_t quarter = seconds >= kFrom1980 ? seconds / kQuarter : -1;
  LastQuarter& last = last_quarter;
  if (quarter >= 0 && last.generation == generation && last.quarter == quarter) return last.offset;
  const std::time_t t = static_cast<std::time_t>(seconds);
  struct tm local {};
  if (::localtime_r(&t, &local) == nullptr) return 0;
  last = {generation, quarter, static_cast<std::int32_t>(local.tm_gmtoff)};
  return last.offset;
}

}  // namespace brixel::platform
