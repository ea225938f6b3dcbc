#include "core/listing/name_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/platform/collation.h"

namespace brixel {
namespace {

using Names = std::vector<std::string>;

Names Order(const Names& in, const std::string& locale = "ru_RU") {
  const Collator collator(locale);
  NameColumn column;
  for (const auto& n : in) column.Append(n);
  SortNames(column, collator);
  Names out;
  for (std::size_t i = 0; i < column.Size(); ++i) out.emplace_back(column[i]);
  return out;
}

TEST(NameOrder, BlankFirstThenNumbersByValueThenText) {
  EXPECT_EQ(Order({"b", "10", "", "9", "-3", "2.5", "a", "0", "-10", "+4", "0.0"}),
            (Names{"", "-10", "-3", "0", "0.0", "2.5", "+4", "9", "10", "a", "b"}));
}

TEST(NameOrder, FractionsAndLeadingZerosCompareByValue) {
  EXPECT_EQ(Order({"1.55", "1.5", "1.05", "001", "0.9", "-1.5", "-1.55"}),
            (Names{"-1.55", "-1.5", "0.9", "001", "1.05", "1.5", "1.55"}));
  EXPECT_EQ(Order({"12", "012"}), (Names{"012", "12"}));
}

TEST(NameOrder, NumericCollationAndCyrillic) {
  EXPECT_EQ(Order({"track10.mp3", "track2.mp3", "Track1.mp3"}),
            (Names{"Track1.mp3", "track2.mp3", "track10.mp3"}));
#ifdef _WIN32
  // Windows sorts Latin before Cyrillic in every locale; "ё" still goes with "е".
  EXPECT_EQ(Order({"яма.mp3", "ёж.mp3", "ель.mp3", "жук.mp3", "abc.mp3"}),
            (Names{"abc.mp3", "ёж.mp3", "ель.mp3", "жук.mp3", "яма.mp3"}));
#else
  // The Russian collation puts Cyrillic before Latin and "ё" with "е".
  EXPECT_EQ(Order({"яма.mp3", "ёж.mp3", "ель.mp3", "жук.mp3", "abc.mp3"}),
            (Names{"ёж.mp3", "ель.mp3", "жук.mp3", "яма.mp3", "abc.mp3"}));
#endif
  EXPECT_EQ(Order({"яма.mp3", "abc.mp3"}, "en_US"), (Names{"abc.mp3", "яма.mp3"}));
}

TEST(NameOrder, EqualNamesKeepBothRows) {
  EXPECT_EQ(Order({"a.mp3", "b.mp3", "a.mp3"}), (Names{"a.mp3", "a.mp3", "b.mp3"}));
}

TEST(NameOrder, ResultDoesNotDependOnInputOrder) {
  Names mixed{"",    "1", "01", "1.0",  "-0",       "a1", "a01", "A1", "1a", "1.", ".5",   "1e3",
              "--1", "Ж", "ж",  "\xFF", "\xFF\xFE", "10", "9",   "z",  "-",  "+",  "2.50", "2.5"};
  const Names first = Order(mixed);
  std::mt19937 rng(42);
  for (int i = 0; i < 20; ++i) {
    std::shuffle(mixed.begin(), mixed.end(), rng);
    EXPECT_EQ(Order(mixed), first);
  }
}

}  // namespace
}  // namespace brixel
