#include "core/format/prim_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/format/formatting_run.h"
#include "core/text/case_map.h"
#include "tests/format/numbering_options.h"

namespace brixel {
namespace {

class PrimFileTest : public ::testing::Test {
 protected:
  const CaseMapper en{"en_US"};
  const FormatLocale locale{&en, "en_US"};
};

using test::Numbering;

TEST_F(PrimFileTest, FormatsOneNameAsTheRunDoes) {
  FormatOptions o;
  o.letter_case = LetterCase::FirstCapital;
  o.underscores = true;
  o.remove_extension = true;
  EXPECT_EQ(PrimFile(o, locale)("my_SONG.Mp3"), "My song");

  o = Numbering("1", 2);
  o.underscores = true;
  o.remove_extension = true;
  EXPECT_EQ(PrimFile(o, locale)("track_one.mp3"), "01 track one");
}

TEST_F(PrimFileTest, RunningNumberCountsTheNamesWrittenAndRestartsWithANewSave) {
  PrimFile save(Numbering("1", 3), locale);
  EXPECT_EQ(save("b.mp3"), "001 b.mp3");
  EXPECT_EQ(save("a.mp3"), "002 a.mp3");
  EXPECT_EQ(save("sub.wav"), "003 sub.wav");

  PrimFile next_save(Numbering("98", 2), locale);
  EXPECT_EQ(next_save("x"), "98 x");
  EXPECT_EQ(next_save("y"), "99 y");
  EXPECT_EQ(next_save("z"), "100 z");
  EXPECT_EQ(PrimFile(Numbering("98", 2), locale)("x"), "98 x");
}

TEST_F(PrimFileTest, StartTextThatIsNoNumber) {
  FormatOptions o = Numbering("abc", 2);
  o.letter_case = LetterCase::Upper;
  PrimFile save(o, locale);
  EXPECT_FALSE(save.StartNumberValid());
  EXPECT_EQ(save("a.mp3"), "A.MP3");
  EXPECT_TRUE(PrimFile(FormatOptions{}, locale).StartNumberValid());
}

// The three ways of formatting share one set of passes; whatever the switches, they must agree.
TEST_F(PrimFileTest, AgreesWithBothRunsForEverySwitchCombination) {
  const std::vector<std::string> names{"my_SONG.Mp3", "archive.tar.gz", ".profile", "01_INTRO", "ёлка_2.WAV"};
  const CaseMapper ru("ru_RU");
  const FormatLocale ru_locale{&ru, "ru_RU"};
  for (int bits = 0; bits < 32; ++bits) {
    FormatOptions o = Numbering("-1", 3);
    o.letter_case = static_cast<LetterCase>(bits & 3);
    o.underscores = bits & 4;
    o.numbering = bits & 8;
    o.remove_extension = bits & 16;

    NameTable table;
    table.StartListing();
    NameColumn lite;
    for (const auto& name : names) table.Append(name), lite.Append(name);
    table.FinishListing();
    FormattingRun(table, o, ru_locale);
    LiteFormattingRun(lite, o, ru_locale);

    PrimFile save(o, ru_locale);
    for (std::size_t i = 0; i < names.size(); ++i) {
      const std::string one = save(names[i]);
      EXPECT_EQ(one, table.Formatted()[i]) << bits << " " << names[i];
      EXPECT_EQ(one, lite[i]) << bits << " " << names[i];
    }
  }
}

}  // namespace
}  // namespace brixel
