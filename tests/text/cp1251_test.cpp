#include "core/text/cp1251.h"

#include <gtest/gtest.h>

#include "core/platform/cp1251_table.h"

namespace brixel {
namespace {

std::string Encode(std::string_view utf8, Cp1251Mode mode = Cp1251Mode::Text) {
  std::string out;
  AppendCp1251(utf8, out, mode);
  return out;
}

TEST(Cp1251, CyrillicIsOneBytePerLetter) {
  EXPECT_EQ(Encode("Песня ёЁ"), "\xCF\xE5\xF1\xED\xFF\x20\xB8\xA8");
  EXPECT_EQ(Encode("№ €"), "\xB9\x20\x88");
}

TEST(Cp1251, WhatTheCodePageCannotHoldBecomesAQuestionMarkInText) {
  EXPECT_EQ(Encode("日本"), "??");
  EXPECT_EQ(Encode("\xF0\x9F\x8E\xB5"), "?");  // one emoji, one mark
  EXPECT_EQ(Encode("é"), "?");                 // no best-fit to "e"
}

TEST(Cp1251, HtmlKeepsTheTrueNameAsCharacterReferences) {
  EXPECT_EQ(Encode("日\xF0\x9F\x8E\xB5", Cp1251Mode::Html), "&#26085;&#127925;");
  EXPECT_EQ(Encode("a&b<c>d", Cp1251Mode::Html), "a&amp;b&lt;c&gt;d");
  EXPECT_EQ(Encode("a&b", Cp1251Mode::Text), "a&b");
}

TEST(Cp1251, ControlCharactersAndInvalidBytesBecomeQuestionMarks) {
  for (auto mode : {Cp1251Mode::Text, Cp1251Mode::Html}) {
    EXPECT_EQ(Encode("a\nb\rc\td", mode), "a?b?c?d");
    EXPECT_EQ(Encode("x\x7F\xC2\x85y", mode), "x??y");  // DEL and the C1 next-line
    // A hex escape ends with its literal: the next letter is a literal of its own.
    // clang-format off
    EXPECT_EQ(Encode("a\xFF\xFE" "b", mode), "a??b");
    // clang-format on
  }
}

TEST(Cp1251, DecodeRoundTripsEveryAssignedByte) {
  std::string all;
  for (unsigned b = 0x20; b < 0x100; ++b)
    if (b != 0x7F && (b < 0x80 || b > 0x9F || Cp1251UpperHalf()[b - 0x80] != 0)) all += static_cast<char>(b);
  // Bytes that decode to control characters (none in the upper half) would not come back.
  EXPECT_EQ(Encode(DecodeCp1251(all)), all);
  EXPECT_EQ(DecodeCp1251("\x98"), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace brixel
