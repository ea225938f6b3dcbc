#include "core/platform/collation.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace brixel {
namespace {

// Texts made of what names are made of, and of what the first-level table does not know.
std::string RandomText(std::mt19937& rng) {
  static const std::vector<std::string> pieces{"a",
                                               "Z",
                                               "e",
                                               "E",
                                               " ",
                                               "_",
                                               "-",
                                               ".",
                                               "'",
                                               "~",
                                               "(",
                                               "mp3",
                                               "Song",
                                               "ch",
                                               "CH",
                                               "aa",
                                               "ll",
                                               "0",
                                               "00",
                                               "7",
                                               "42",
                                               "1042490",
                                               "12345678901234567",
                                               "а",
                                               "Я",
                                               "ё",
                                               "Ё",
                                               "е",
                                               "й",
                                               "ъ",
                                               "é",
                                               "ß",
                                               "’",
                                               "№",
                                               "\xFF",
                                               "\xE2\x82",
                                               "🎵",
                                               "\t"};
  std::string text;
  for (int n = std::uniform_int_distribution<int>(1, 6)(rng); n > 0; --n)
    text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(rng)];
  if (rng() % 50 == 0) text += std::string(rng() % 2 ? 254 : 300, '9');  // where numbers are cut in parts
  return text;
}

// The first-level key leads the sort key: where two differ they order the texts as the sort keys
// do. On ICU builds it is the sort key's own first level, byte for byte, whoever writes it.
TEST(Collation, PrimaryKeysLeadTheSortKeys) {
  std::mt19937 rng(12);
  for (const char* locale : {"ru_RU", "en_US", "", "cs_CZ", "th_TH"}) {
    SCOPED_TRACE(locale);
    const Collator collator(locale);
    std::vector<std::string> primary, full;
    for (int i = 0; i < 1500; ++i) {
      const std::string text = RandomText(rng);
      std::string p, k;
      collator.AppendPrimaryKey(text, p);
      collator.AppendSortKey(text, k);
#ifndef _WIN32
      ASSERT_EQ(p, k.substr(0, k.find('\x01'))) << text;
#endif
      primary.push_back(std::move(p));
      full.push_back(std::move(k));
    }
    for (std::size_t i = 1; i < primary.size(); ++i) {
      if (primary[i - 1] != primary[i]) {
        EXPECT_EQ(primary[i - 1] < primary[i], full[i - 1] < full[i]);
      }
    }
  }
}

}  // namespace
}  // namespace brixel
