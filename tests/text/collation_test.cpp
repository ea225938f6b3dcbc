#include "core/platform/collation.h"

#include <gtest/gtest.h>

namespace brixel {
namespace {

std::string Key(const Collator& c, std::string_view s) {
  std::string k;
  c.AppendSortKey(s, k);
  return k;
}

TEST(Collator, NumericOrderingAndRussianAlphabet) {
  const Collator ru("ru_RU");
  EXPECT_LT(Key(ru, "track2"), Key(ru, "track10"));
  // "ё" sorts with "е" (they differ only at the second level), as Russian dictionaries do.
  EXPECT_LT(Key(ru, "ёж"), Key(ru, "ель"));
  EXPECT_LT(Key(ru, "ель"), Key(ru, "жук"));
  EXPECT_LT(Key(ru, "ее"), Key(ru, "её"));
  EXPECT_LT(Key(ru, "яблоко"), Key(ru, "Яблоко"));  // lower before upper at the tertiary level
}

TEST(Collator, KeysHaveNoEmbeddedNul) {
  const Collator root("");
  for (const char* s : {"", "a", "Ж", "\xFF", "a b"})
    EXPECT_EQ(Key(root, s).find('\0'), std::string::npos) << s;
}

}  // namespace
}  // namespace brixel
