#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "cli/list_command.h"
#include "tests/cli/cli_run.h"
#include "tests/support/temp_tree.h"

namespace brixel::cli {
namespace {

class FormatCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("LC_ALL", "C.UTF-8", 1);
    t.Files({"my_SONG.Mp3", "track_one.mp3", "b/ёлка_2.WAV", "archive.tar.gz"});
  }
  void TearDown() override { setenv("LC_ALL", "C.UTF-8", 1); }
  test::TempTree t;
};

TEST_F(FormatCliTest, CaseUnderscoresAndExtension) {
  const CliRun r = Cli({"--first-capital", "--underscores", "--no-ext", "-m", "*.mp3", t.Path()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "My song\nTrack one\n");
  EXPECT_EQ(Cli({"--upper", "-r", "-m", "*.wav", t.Path()}).out, "ЁЛКА_2.WAV\n");
  EXPECT_EQ(Cli({"--lower", "--no-ext", "-m", "*.gz", t.Path()}).out, "archive.tar\n");
}

TEST_F(FormatCliTest, SortedOrderNumbersTheTableRows) {
  const CliRun r = Cli({"-n", "--digits", "2", "--underscores", "--no-ext", "-m", "*.mp3; *.gz", t.Path()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "01 archive.tar\n02 my SONG\n03 track one\n");
  EXPECT_EQ(Cli({"--number", "--start", "98", "--digits=2", "-m", "*.mp3; *.gz", t.Path()}).out,
            "98 archive.tar.gz\n99 my_SONG.Mp3\n100 track_one.mp3\n");
}

TEST_F(FormatCliTest, ScanOrderNumbersNamesAsTheyAreFound) {
  // One mask at a time: the .gz file is found after the .mp3 files, whatever the sort says.
  const CliRun r =
      Cli({"--order", "scan", "-n", "--start", "0", "--digits", "3", "-m", "*.mp3; *.gz", t.Path()});
  EXPECT_EQ(r.status, 0);
  std::istringstream lines(r.out);
  std::vector<std::string> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(line);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].substr(0, 4), "000 ");
  EXPECT_EQ(rows[1].substr(0, 4), "001 ");
  EXPECT_EQ(rows[2], "002 archive.tar.gz");
}

TEST_F(FormatCliTest, StartIsReadInTheLocaleNumberFormat) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows takes the user's locale from its own settings, not from the environment";
#endif
  setenv("LC_ALL", "ru_RU.UTF-8", 1);
  EXPECT_EQ(Cli({"-n", "--start", "7,5", "-m", "*.gz", t.Path()}).out, "7 archive.tar.gz\n");
  EXPECT_EQ(Cli({"-n", "--start", "7.5", "-m", "*.gz", t.Path()}).status, 2);
  setenv("LC_ALL", "en_US.UTF-8", 1);
  EXPECT_EQ(Cli({"-n", "--start", "-2.5", "-m", "*.gz", t.Path()}).out, "-3 archive.tar.gz\n");
}

TEST_F(FormatCliTest, UsageErrorsExitTwo) {
  for (const auto& args : std::vector<std::vector<std::string>>{{"--upper", "--lower"},
                                                                {"--first-capital", "--upper"},
                                                                {"--digits", "0"},
                                                                {"--digits", "6"},
                                                                {"--digits", "2x"},
                                                                {"--digits"},
                                                                {"--start", "abc"},
                                                                {"--start", ""},
                                                                {"-n", "--start", "1e20"},
                                                                {"--no-ext=1"}}) {
    const CliRun r = Cli(args);
    EXPECT_EQ(r.status, 2) << args[0] << " " << args.back();
    EXPECT_NE(r.err.find("brixel-list:"), std::string::npos);
  }
  EXPECT_EQ(Cli({"--upper", "--upper", "-m", "*.gz", t.Path()}).out, "ARCHIVE.TAR.GZ\n");
}

}  // namespace
}  // namespace brixel::cli
