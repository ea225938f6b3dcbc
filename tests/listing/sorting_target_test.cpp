#include "core/listing/sorting_target.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <stop_token>
#include <thread>

#include "core/platform/collation.h"
#include "tests/listing/scan_names.h"

namespace brixel {
namespace {

using test::Names;

// The order as it was first built: one whole order key per name, then the name's bytes, then the
// order found.
Names PlainOrder(const Names& names, const Collator& collator) {
  std::vector<std::string> keys(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) AppendOrderKey(names[i], collator, keys[i]);
  std::vector<std::size_t> rows(names.size());
  std::iota(rows.begin(), rows.end(), 0);
  std::sort(rows.begin(), rows.end(), [&](std::size_t a, std::size_t b) {
    if (keys[a] != keys[b]) return keys[a] < keys[b];
    if (names[a] != names[b]) return names[a] < names[b];
    return a < b;
  });
  Names out;
  for (std::size_t r : rows) out.push_back(names[r]);
  return out;
}

// Names of every kind the order tells apart, with many that tie on some level: numbers with
// signs, fractions and leading zeros, letter case, ё and е, long shared beginnings, characters
// the fast keys do not know, bytes that are not UTF-8, and names found twice.
Names RandomNames(std::mt19937& rng, std::size_t count) {
  static const Names pieces{"",      "0",   "-",    "+",     ".",
                            "5",     "007", "12",   "3.50",  "track",
                            "Track", " ",   "_",    "песня", "Ёлка",
                            "ёлка",  "ель", "é",    "E",     "’",
                            "\xFF",  "mp3", ".MP3", "1e3",   "000000000000000000001"};
  Names names;
  for (std::size_t i = 0; i < count; ++i) {
    if (!names.empty() && rng() % 8 == 0) {
      names.push_back(names[rng() % names.size()]);
      continue;
    }
    std::string name;
    for (int n = static_cast<int>(rng() % 5); n > 0; --n) name += pieces[rng() % pieces.size()];
    names.push_back(name);
  }
  return names;
}

Names SortedBy(SortingTarget& sorting, const Names& names) {
  for (const auto& n : names) sorting.Append(n);
  test::CollectNames out;
  EXPECT_TRUE(sorting.Finish(out));
  return out.names;
}

// Whatever the way (one column at once, one run on the caller's thread, many small runs made on
// the key thread and merged), the order is exactly the old one.
TEST(SortedListing, EveryWayGivesThePlainOrder) {
  std::mt19937 rng(2024);
  for (const char* locale : {"ru_RU", "en_US", "cs_CZ"}) {
    SCOPED_TRACE(locale);
    const Collator collator(locale);
    const Names names = RandomNames(rng, 3000);
    const Names expected = PlainOrder(names, collator);

    NameColumn column;
    for (const auto& n : names) column.Append(n);
    SortNames(column, collator);
    Names by_column;
    for (std::size_t i = 0; i < column.Size(); ++i) by_column.emplace_back(column[i]);
    EXPECT_EQ(by_column, expected);

    SortingTarget one_run(collator, {});
    EXPECT_EQ(SortedBy(one_run, names), expected);
    SortingTarget many_runs(collator, {}, 7, 5);
    EXPECT_EQ(SortedBy(many_runs, names), expected);
  }
}

// A stop, whenever it comes, ends the key thread and hands nothing on; a target dropped
// unfinished ends its thread too.
TEST(SortedListing, AStopHandsNothingOn) {
  const Collator collator("ru_RU");
  std::mt19937 rng(7);
  const Names names = RandomNames(rng, 2000);
  for (const std::size_t stop_at : {0u, 10u, 500u, 1999u}) {
    std::stop_source stop;
    SortingTarget sorting(collator, {stop.get_token()}, 16, 4);
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (i == stop_at) stop.request_stop();
      sorting.Append(names[i]);
    }
    test::CollectNames out;
    EXPECT_FALSE(sorting.Finish(out));
    EXPECT_TRUE(out.names.empty());
  }
  SortingTarget dropped(collator, {}, 16, 4);
  for (const auto& n : names) dropped.Append(n);
}

// A cancel usually finds the key thread waiting for the next batch. The stop must end that wait
// every time: a thread that missed it would hold the scan, and the window, for ever.
TEST(SortedListing, AStopEndsTheKeyThreadsWaitEveryTime) {
  const Collator collator("en_US");
  for (int round = 0; round < 3000; ++round) {
    std::stop_source stop;
    SortingTarget sorting(collator, {stop.get_token()}, 1, 1000);
    sorting.Append("a");  // a full batch: the thread starts, takes it and waits for more
    if (round % 2 == 0) std::this_thread::yield();
    stop.request_stop();
    test::CollectNames out;
    ASSERT_FALSE(sorting.Finish(out));
  }
}

}  // namespace
}  // namespace brixel
