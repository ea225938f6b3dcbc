#include "core/format/name_passes.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/text/case_map.h"

namespace brixel {
namespace {

// The scratch buffer starts dirty, as it is after earlier names.
using CasePass = void (*)(std::string&, std::string&, const CaseMapper&);
std::string Apply(CasePass pass, const CaseMapper& mapper, std::string name) {
  std::string scratch = "left over from the name before";
  pass(name, scratch, mapper);
  return name;
}

std::string Numbered(std::string name, long long number, int digits) {
  std::string scratch = "left over";
  NumberingPass(name, number, digits, scratch);
  return name;
}

std::string Underscored(std::string name) {
  UnderscorePass(name);
  return name;
}

std::string WithoutExtension(std::string name) {
  ExtensionPass(name);
  return name;
}

class CasePasses : public ::testing::Test {
 protected:
  const CaseMapper en{"en_US"};
  const CaseMapper ru{"ru_RU"};
  const CaseMapper de{"de_DE"};
  const CaseMapper tr{"tr_TR"};
};

TEST_F(CasePasses, UpperCase) {
  EXPECT_EQ(Apply(UpperCasePass, en, "Song.MP3"), "SONG.MP3");
  EXPECT_EQ(Apply(UpperCasePass, ru, "песня ёлка_1.mp3"), "ПЕСНЯ ЁЛКА_1.MP3");
#ifdef _WIN32
  EXPECT_EQ(Apply(UpperCasePass, de, "straße.wav"), "STRAßE.WAV");  // Windows keeps ß: one unit to one
#else
  EXPECT_EQ(Apply(UpperCasePass, de, "straße.wav"), "STRASSE.WAV");
#endif
  EXPECT_EQ(Apply(UpperCasePass, tr, "istanbul.mp3"), "İSTANBUL.MP3");
  EXPECT_EQ(Apply(UpperCasePass, en, ""), "");
}

TEST_F(CasePasses, LowerCase) {
  EXPECT_EQ(Apply(LowerCasePass, en, "Song.MP3"), "song.mp3");
  EXPECT_EQ(Apply(LowerCasePass, ru, "ЁЛКА Кино.WAV"), "ёлка кино.wav");
  EXPECT_EQ(Apply(LowerCasePass, tr, "ISTANBUL"), "ıstanbul");
}

TEST_F(CasePasses, FirstCapitalRaisesOnlyTheFirstCharacterOfTheWholeName) {
  EXPECT_EQ(Apply(FirstCapitalPass, en, "Song.MP3"), "Song.mp3");
  EXPECT_EQ(Apply(FirstCapitalPass, en, "my_SONG.Mp3"), "My_song.mp3");
  EXPECT_EQ(Apply(FirstCapitalPass, en, "live AT home.mp3"), "Live at home.mp3");
  EXPECT_EQ(Apply(FirstCapitalPass, ru, "ёлка.mp3"), "Ёлка.mp3");
  EXPECT_EQ(Apply(FirstCapitalPass, ru, "ЁЛКА И КИНО"), "Ёлка и кино");
  EXPECT_EQ(Apply(FirstCapitalPass, tr, "istanbul"), "İstanbul");
  EXPECT_EQ(Apply(FirstCapitalPass, tr, "ISTANBUL"), "Istanbul");
}

TEST_F(CasePasses, FirstCapitalKeepsALeadingNonLetterAndStillLowersTheRest) {
  EXPECT_EQ(Apply(FirstCapitalPass, en, "01_intro.wav"), "01_intro.wav");
  EXPECT_EQ(Apply(FirstCapitalPass, en, "01_INTRO.WAV"), "01_intro.wav");
  EXPECT_EQ(Apply(FirstCapitalPass, en, " Song"), " song");
  EXPECT_EQ(Apply(FirstCapitalPass, en, "(LIVE)"), "(live)");
  EXPECT_EQ(Apply(FirstCapitalPass, en, ""), "");
}

TEST_F(CasePasses, FirstCapitalCopesWithACharacterThatRaisesToSeveral) {
#ifdef _WIN32
  EXPECT_EQ(Apply(FirstCapitalPass, de, "ßTRASSE"), "ßtrasse");  // Windows raises ß to nothing else
#else
  EXPECT_EQ(Apply(FirstCapitalPass, de, "ßTRASSE"), "SStrasse");
#endif
  EXPECT_EQ(Apply(FirstCapitalPass, en,
                  "\xFF"
                  "ABC"),
            "\xFF"
            "abc");  // an invalid byte stays
}

TEST(UnderscorePass, EveryUnderscoreBecomesOneSpace) {
  EXPECT_EQ(Underscored("a__b"), "a  b");
  EXPECT_EQ(Underscored("_my_song_"), " my song ");
  EXPECT_EQ(Underscored("запись_01.mp3"), "запись 01.mp3");
  EXPECT_EQ(Underscored("no underscore"), "no underscore");
}

TEST(NumberingPass, PadsToTheDigitCountAndNeverCuts) {
  EXPECT_EQ(Numbered("a", 1, 3), "001 a");
  EXPECT_EQ(Numbered("a", 1, 5), "00001 a");
  EXPECT_EQ(Numbered("x", 0, 3), "000 x");
  EXPECT_EQ(Numbered("x", 98, 2), "98 x");
  EXPECT_EQ(Numbered("x", 100, 2), "100 x");
  EXPECT_EQ(Numbered("x", 12, 1), "12 x");
  EXPECT_EQ(Numbered("x", 999'999'999'999'999, 5), "999999999999999 x");
  EXPECT_EQ(Numbered("", 1, 2), "01 ");
}

TEST(NumberingPass, NegativeNumbersKeepTheSignInFront) {
  EXPECT_EQ(Numbered("x", -5, 3), "-05 x");
  EXPECT_EQ(Numbered("x", -5, 1), "-5 x");
  EXPECT_EQ(Numbered("x", -123, 2), "-123 x");
  EXPECT_EQ(Numbered("x", LLONG_MIN, 1), "-9223372036854775808 x");
}

TEST(NumberingPass, NumberAtCountsFromTheStartWithoutWrapping) {
  EXPECT_EQ(NumberAt(1, 0), 1);
  EXPECT_EQ(NumberAt(98, 2), 100);
  EXPECT_EQ(NumberAt(-2, 3), 1);
  EXPECT_EQ(NumberAt(LLONG_MAX - 1, 5), LLONG_MAX);
  EXPECT_EQ(NumberAt(-999'999'999'999'999, 999'999'999'999'999 + 3), 3);
  EXPECT_EQ(NumberAt(-5, UINT64_MAX), LLONG_MAX);
}

TEST(ExtensionPass, CutsFromTheLastDot) {
  EXPECT_EQ(WithoutExtension("archive.tar.gz"), "archive.tar");
  EXPECT_EQ(WithoutExtension("README"), "README");
  EXPECT_EQ(WithoutExtension(".profile"), "");
  EXPECT_EQ(WithoutExtension("name."), "name");
  EXPECT_EQ(WithoutExtension("песня.мп3"), "песня");
  EXPECT_EQ(WithoutExtension(""), "");
}

}  // namespace
}  // namespace brixel
