#include "core/format/formatting_run.h"

#include <gtest/gtest.h>

#include <stop_token>
#include <vector>

#include "core/text/case_map.h"
#include "tests/format/numbering_options.h"

namespace brixel {
namespace {

std::vector<std::string> Rows(const NameColumn& column) {
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < column.Size(); ++i) rows.emplace_back(column[i]);
  return rows;
}

NameColumn Column(const std::vector<std::string>& names) {
  NameColumn column;
  for (const auto& name : names) column.Append(name);
  return column;
}

class FormattingRunTest : public ::testing::Test {
 protected:
  // Names in table order, as a sorted listing leaves them.
  void List(const std::vector<std::string>& names) {
    table.StartListing();
    for (const auto& name : names) table.Append(name);
    table.FinishListing();
  }
  std::vector<std::string> Run(const FormatOptions& options) {
    result = FormattingRun(table, options, locale);
    return Rows(table.Formatted());
  }

  const CaseMapper en{"en_US"};
  FormatLocale locale{&en, "en_US"};
  NameTable table;
  FormatResult result;
};

using test::Numbering;

TEST_F(FormattingRunTest, EverySwitchOffRestoresTheNamesAsFound) {
  List({"my_SONG.Mp3", "Track.wav"});
  EXPECT_EQ(Run({}), (std::vector<std::string>{"my_SONG.Mp3", "Track.wav"}));
}

TEST_F(FormattingRunTest, CombinedSwitches) {
  List({"my_SONG.Mp3"});
  FormatOptions o;
  o.letter_case = LetterCase::FirstCapital;
  o.underscores = true;
  o.remove_extension = true;
  EXPECT_EQ(Run(o), std::vector<std::string>{"My song"});

  List({"track_one.mp3"});
  o = Numbering("1", 2);
  o.underscores = true;
  o.remove_extension = true;
  EXPECT_EQ(Run(o), std::vector<std::string>{"01 track one"});

  List({"song.mp3"});
  o = Numbering("1", 1);
  o.letter_case = LetterCase::FirstCapital;  // the capital goes to the name, not the number
  EXPECT_EQ(Run(o), std::vector<std::string>{"1 Song.mp3"});

  List({".profile"});
  o = Numbering("1", 1);
  o.remove_extension = true;  // the number holds no dot, so it survives the cut
  EXPECT_EQ(Run(o), std::vector<std::string>{"1 "});
}

TEST_F(FormattingRunTest, NumbersFollowTheRows) {
  List({"a", "b"});
  EXPECT_EQ(Run(Numbering("1", 3)), (std::vector<std::string>{"001 a", "002 b"}));

  List({"a", "b", "c"});
  EXPECT_EQ(Run(Numbering("98", 2)), (std::vector<std::string>{"98 a", "99 b", "100 c"}));
  EXPECT_EQ(Run(Numbering("0", 3))[0], "000 a");
  EXPECT_EQ(Run(Numbering("-1", 2)), (std::vector<std::string>{"-1 a", "00 b", "01 c"}));

  List(std::vector<std::string>(12, "n"));
  const auto rows = Run(Numbering("1", 1));
  EXPECT_EQ(rows[8], "9 n");
  EXPECT_EQ(rows[9], "10 n");
  EXPECT_EQ(rows[11], "12 n");
}

TEST_F(FormattingRunTest, StartTextInTheLocaleFormat) {
  List({"a"});
  const CaseMapper ru("ru_RU");
  locale = {&ru, "ru_RU"};
  EXPECT_EQ(Run(Numbering("7,5", 1)), std::vector<std::string>{"7 a"});
  locale = {&en, "en_US"};
  EXPECT_EQ(Run(Numbering("7.5", 1)), std::vector<std::string>{"7 a"});
  EXPECT_EQ(Run(Numbering("1e3", 1)), std::vector<std::string>{"1000 a"});
}

TEST_F(FormattingRunTest, StartTextThatIsNoNumberWritesNoNumbersButFormatsTheRest) {
  List({"my_song.mp3", "b.wav"});
  for (const char* start : {"abc", "", "1e20"}) {
    FormatOptions o = Numbering(start, 2);
    o.letter_case = LetterCase::Upper;
    o.underscores = true;
    EXPECT_EQ(Run(o), (std::vector<std::string>{"MY SONG.MP3", "B.WAV"})) << start;
    EXPECT_FALSE(result.start_number_valid);
  }
  EXPECT_EQ(Rows(table.AsFound()), (std::vector<std::string>{"my_song.mp3", "b.wav"}));
  FormatOptions o;
  o.start_text = "abc";  // with numbering off the start box does not matter
  Run(o);
  EXPECT_TRUE(result.start_number_valid);
}

TEST_F(FormattingRunTest, BlankRowOfAnEmptyListingGetsItsNumber) {
  List({});
  FormatOptions o = Numbering("1", 3);
  o.letter_case = LetterCase::FirstCapital;
  o.underscores = true;
  o.remove_extension = true;
  EXPECT_EQ(Run(o), std::vector<std::string>{"001 "});
  EXPECT_EQ(Run({}), std::vector<std::string>{""});
}

TEST_F(FormattingRunTest, ResultDependsOnlyOnWhichSwitchesAreOn) {
  List({"my_SONG.Mp3", "track_one.tar.gz", "ёлка_2.WAV"});
  const CaseMapper ru("ru_RU");
  locale = {&ru, "ru_RU"};
  // Click every switch on, one order after another, running after each click as the window does.
  FormatOptions forward;
  forward.digits = 2;
  Run(forward);
  forward.numbering = true;
  Run(forward);
  forward.letter_case = LetterCase::Upper;
  Run(forward);
  forward.letter_case = LetterCase::FirstCapital;  // the click that clears upper case
  Run(forward);
  forward.underscores = true;
  Run(forward);
  forward.remove_extension = true;
  const auto clicked_forward = Run(forward);

  FormatOptions backward;
  backward.remove_extension = true;
  Run(backward);
  backward.underscores = true;
  Run(backward);
  backward.letter_case = LetterCase::FirstCapital;
  Run(backward);
  backward.digits = 2;
  Run(backward);
  backward.numbering = true;
  EXPECT_EQ(Run(backward), clicked_forward);
  EXPECT_EQ(clicked_forward, (std::vector<std::string>{"01 My song", "02 Track one.tar", "03 Ёлка 2"}));
}

TEST_F(FormattingRunTest, SwitchingOffOrResettingRestores) {
  List({"archive.tar.gz", "My_Song.MP3"});
  FormatOptions o = Numbering("5", 4);
  o.letter_case = LetterCase::Lower;
  o.underscores = true;
  o.remove_extension = true;
  EXPECT_EQ(Run(o), (std::vector<std::string>{"0005 archive.tar", "0006 my song"}));
  o.remove_extension = false;
  EXPECT_EQ(Run(o), (std::vector<std::string>{"0005 archive.tar.gz", "0006 my song.mp3"}));
  o.numbering = false;
  EXPECT_EQ(Run(o), (std::vector<std::string>{"archive.tar.gz", "my song.mp3"}));
  EXPECT_EQ(Run(FormatOptions{}), Rows(table.AsFound()));
}

TEST_F(FormattingRunTest, DigitCountOutsideTheListIsKeptToIt) {
  List({"a"});
  EXPECT_EQ(Run(Numbering("1", 0)), std::vector<std::string>{"1 a"});
  EXPECT_EQ(Run(Numbering("1", 1'000'000'000)), std::vector<std::string>{"00001 a"});
}

class LiteFormattingRunTest : public ::testing::Test {
 protected:
  const CaseMapper en{"en_US"};
  const FormatLocale locale{&en, "en_US"};
};

TEST_F(LiteFormattingRunTest, FormatsInPlaceAndNumbersInListOrder) {
  NameColumn names = Column({"my_SONG.Mp3", "track_one.mp3"});
  FormatOptions o = Numbering("1", 2);
  o.letter_case = LetterCase::FirstCapital;
  o.underscores = true;
  o.remove_extension = true;
  EXPECT_TRUE(LiteFormattingRun(names, o, locale).start_number_valid);
  EXPECT_EQ(Rows(names), (std::vector<std::string>{"01 My song", "02 Track one"}));
}

TEST_F(LiteFormattingRunTest, EmptyListStaysBlank) {
  NameColumn blank = Column({""});
  EXPECT_TRUE(LiteFormattingRun(blank, Numbering("1", 3), locale).start_number_valid);
  EXPECT_EQ(Rows(blank), std::vector<std::string>{""});

  NameColumn none;
  LiteFormattingRun(none, Numbering("1", 3), locale);
  EXPECT_TRUE(none.Empty());
}

TEST_F(LiteFormattingRunTest, StartTextThatIsNoNumber) {
  NameColumn names = Column({"a_b.mp3"});
  FormatOptions o = Numbering("x", 1);
  o.underscores = true;
  EXPECT_FALSE(LiteFormattingRun(names, o, locale).start_number_valid);
  EXPECT_EQ(Rows(names), std::vector<std::string>{"a b.mp3"});
}

TEST_F(FormattingRunTest, AStopEndsARunBetweenTwoRowsAndSaysSo) {
  NameColumn names;
  for (int i = 0; i < 10000; ++i) names.Append("name_" + std::to_string(i));
  // Asks for the stop at the first report after the pass began.
  struct StopAfterFirstCheck : ProgressSink {
    std::stop_source stop;
    std::vector<std::size_t> heard;
    void RowsDone(std::size_t done, std::size_t total) override {
      heard.push_back(done);
      EXPECT_EQ(total, 10000u);
      if (done > 0) stop.request_stop();
    }
  } sink;
  const WorkControl control{sink.stop.get_token(), &sink};
  const FormatOptions underscores{.underscores = true};
  NameColumn formatted;
  EXPECT_EQ(FormatColumn(names, underscores, locale, formatted, control), std::nullopt);
  EXPECT_EQ(sink.heard, (std::vector<std::size_t>{0, WorkControl::kRowsPerCheck}));
  EXPECT_EQ(formatted.Size(), WorkControl::kRowsPerCheck);

  // The lite run stopped leaves the list as it was.
  NameColumn lite = names;
  EXPECT_EQ(LiteFormattingRun(lite, underscores, locale, control), std::nullopt);
  EXPECT_EQ(Rows(lite), Rows(names));

  // Unstopped, the same run goes to the end.
  ASSERT_TRUE(FormatColumn(names, underscores, locale, formatted, WorkControl{}).has_value());
  EXPECT_EQ(formatted[9999], "name 9999");
}

}  // namespace
}  // namespace brixel
