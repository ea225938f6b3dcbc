// brixel-list with file details: columns in the order given, the catalogue order, the formats
// that take them, and files that give nothing to read.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/cli/cli_run.h"
#include "tests/support/temp_tree.h"

namespace brixel::cli {
namespace {

// A folder path as the platform writes it.
std::string Native(std::string text) {
#ifdef _WIN32
  for (char& c : text)
    if (c == '/') c = '\\';
#endif
  return text;
}

class DetailsCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("LC_ALL", "C.UTF-8", 1);
    t.File("top.mp3", "12345");
    t.File("Disc 10/b.mp3", "1");
    t.File("Disc 2/z.mp3", "22");
    t.File("Disc 2/a.mp3", "");
    t.File("Disc 2/Bonus/c.mp3", "333");
  }
  test::TempTree t;
};

TEST_F(DetailsCliTest, FolderOrderIsACatalogue) {
  // By folder, numbers by value and a folder's subfolders right after it; by name within each.
  const CliRun r = Cli({"-r", "--order", "folder", "--columns", "folder,size", t.Path()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, std::string("top.mp3\t\t5\n"
                               "a.mp3\tDisc 2\t0\n"
                               "z.mp3\tDisc 2\t2\n") +
                       Native("c.mp3\tDisc 2/Bonus\t3\n") + "b.mp3\tDisc 10\t1\n");
  // Names only, numbered in that order.
  EXPECT_EQ(Cli({"-r", "--order", "folder", "-n", t.Path()}).out,
            "1 top.mp3\n2 a.mp3\n3 z.mp3\n4 c.mp3\n5 b.mp3\n");
}

TEST_F(DetailsCliTest, ColumnsFollowTheSortedNamesInTheOrderGiven) {
  const CliRun r = Cli({"-r", "--columns", "size,name,folder", "--upper", t.Path()});
  EXPECT_EQ(r.out, Native("0\tA.MP3\tDisc 2\n1\tB.MP3\tDisc 10\n3\tC.MP3\tDisc 2/Bonus\n5\tTOP.MP3\t\n"
                          "2\tZ.MP3\tDisc 2\n"));
}

TEST_F(DetailsCliTest, FilesWithNothingToReadGiveEmptyFieldsAndTheListIsWritten) {
  // A zero-byte .mp3, a text file called .mp3, a FIFO called .mp3 (never listed, never opened).
  t.File("text.mp3", "just some words, no audio at all\n");
#ifndef _WIN32  // Windows folders hold no FIFOs
  ASSERT_TRUE(test::MakeNotAFile(t.Path("fifo.mp3"), test::NotAFile::Fifo));
#endif
  const CliRun r = Cli({"--columns", "name,duration,artist,title,track,year", t.Path()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "text.mp3\t\t\t\t\t\ntop.mp3\t\t\t\t\t\n");
  const CliRun json = Cli({"--columns", "duration,artist", "-f", "json", "-o", t.Path("l.json"), t.Path()});
  EXPECT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(test::ReadBytes(t.Path("l.json")),
            "[\n{\"name\": \"text.mp3\", \"duration\": null, \"artist\": null},\n"
            "{\"name\": \"top.mp3\", \"duration\": null, \"artist\": null}\n]\n");
}

TEST_F(DetailsCliTest, UsageErrors) {
  for (const auto& args : std::vector<std::vector<std::string>>{{"--columns", "name,bogus"},
                                                                {"--columns", "size,size"},
                                                                {"--columns", ""},
                                                                {"--tag-encoding", "koi8"},
                                                                {"-f", "csv"},
                                                                {"--order", "folders"}}) {
    const CliRun r = Cli(args);
    EXPECT_EQ(r.status, 2) << args[0] << " " << args[1];
    EXPECT_NE(r.err.find("brixel-list:"), std::string::npos);
  }
}

}  // namespace
}  // namespace brixel::cli
