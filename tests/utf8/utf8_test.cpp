#include "core/utf8/utf8.h"

#include <gtest/gtest.h>

namespace brixel {
namespace {

TEST(Utf8, InvalidBytesAreOneCharacterEach) {
  EXPECT_EQ(CountChars("abc"), 3u);
  EXPECT_EQ(CountChars("Песня"), 5u);
  // A hex escape ends with its literal: the next letter is a literal of its own.
  // clang-format off
  EXPECT_EQ(CountChars("a\xFF\xFE" "b"), 4u);
  // clang-format on
  EXPECT_EQ(CountChars("\xE2\x82"), 2u);          // truncated sequence
  EXPECT_EQ(CountChars("\xC0\xAF"), 2u);          // overlong form
  EXPECT_EQ(CountChars("\xED\xA0\x80"), 3u);      // encoded surrogate
  EXPECT_EQ(CountChars("\xF0\x9F\x8E\xB5"), 1u);  // one emoji
}

TEST(Utf8, LastCharsKeepsCharacterBoundaries) {
  EXPECT_EQ(LastChars("song.mp3", 4), ".mp3");
  EXPECT_EQ(LastChars("песня.мп3", 4), ".мп3");
  EXPECT_EQ(LastChars("ab", 5), "ab");
  // clang-format off
  EXPECT_EQ(LastChars("x\xFF" ".a", 2), ".a");
  EXPECT_EQ(LastChars("x\xFF" ".a", 3), "\xFF.a");
  // clang-format on
}

TEST(Utf8, SanitizeReplacesOnlyInvalidBytes) {
  EXPECT_EQ(SanitizeUtf8("ok ё"), "ok ё");
  // clang-format off
  EXPECT_EQ(SanitizeUtf8("a\xFF" "b"), "a\xEF\xBF\xBD" "b");
  // clang-format on
  EXPECT_TRUE(IsValidUtf8(SanitizeUtf8("\xC3\x28\xF0\x9F")));
}

TEST(Utf8, OneNameIsAlwaysOneLine) {
  std::string line;
  AppendUtf8Line("new\nline\t\x7F\xC2\x85ё\xFF.mp3", line);
  EXPECT_EQ(line, "new?line???ё\xEF\xBF\xBD.mp3");
}

TEST(Utf8, Utf16RoundTripIncludingSupplementaryPlane) {
  std::u16string u;
  AppendUtf16("aж\xF0\x9F\x8E\xB5", u);
  EXPECT_EQ(u.size(), 4u);
  EXPECT_EQ(ToUtf8(u), "aж\xF0\x9F\x8E\xB5");
  EXPECT_EQ(ToUtf8(u"\xD800"), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace brixel
