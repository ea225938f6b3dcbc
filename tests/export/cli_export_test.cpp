// brixel-list --format: the same writers as the windows, laid out as the full edition.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/list_command.h"
#include "core/export/list_writer.h"
#include "tests/cli/cli_run.h"
#include "tests/export/export_test_util.h"
#include "tests/support/temp_tree.h"
#include "tests/support/workbook_check.h"

namespace brixel::cli {
namespace {

class CliExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("LC_ALL", "C.UTF-8", 1);
    t.Files({"songs/b.mp3", "songs/a & b.mp3", "songs/Песня.mp3"});
  }
  test::TempTree t;
};

TEST_F(CliExportTest, HtmlPageWithTheFullTitleAndEscapedNames) {
  const std::string out = t.Path("list.html");
  const CliRun r = Cli({"-f", "html", "-o", out, t.Path("songs")});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string page = test::ReadBytes(out);
  EXPECT_NE(
      page.find("\xC2.2.0.1.</strong></p>a &amp; b.mp3\r\n<br>b.mp3\r\n<br>\xCF\xE5\xF1\xED\xFF.mp3\r\n<br>"
                "</font>"),
      std::string::npos)
      << page;
}

TEST_F(CliExportTest, WorkbooksFromA2WhateverTheFileIsCalled) {
  const std::vector<std::string> sorted{"a & b.mp3", "b.mp3", "Песня.mp3"};
  ASSERT_EQ(Cli({"--format=xls", "-o", t.Path("list.xls"), t.Path("songs")}).status, 0);
  EXPECT_EQ(test::ReadBytes(t.Path("list.xls")).substr(0, 4), "\xD0\xCF\x11\xE0");
  if (test::ReaderAvailable("xlrd")) {
    const auto verdict = test::CheckWorkbook("xlrd", t.Path("list.xls"), sorted, test::FullLayout());
    EXPECT_TRUE(verdict.ok) << verdict.output;
  }
  if (!XlsxAvailable()) return;
  // The format named wins over the extension.
  ASSERT_EQ(Cli({"-f", "xlsx", "-o", t.Path("book.dat"), t.Path("songs")}).status, 0);
  EXPECT_EQ(test::ReadBytes(t.Path("book.dat")).substr(0, 2), "PK");
  if (test::ReaderAvailable("openpyxl")) {
    const auto verdict = test::CheckWorkbook("openpyxl", t.Path("book.dat"), sorted, test::FullLayout());
    EXPECT_TRUE(verdict.ok) << verdict.output;
  }
}

TEST_F(CliExportTest, FormatsOtherThanTextNeedAnOutputFile) {
  for (const char* format : {"html", "xls", "xlsx"}) {
    const CliRun r = Cli({"-f", format, t.Path("songs")});
    EXPECT_EQ(r.status, 2) << format;
    EXPECT_NE(r.err.find("--output"), std::string::npos);
  }
  EXPECT_EQ(Cli({"-f", "pdf", "-o", t.Path("x"), t.Path("songs")}).status, 2);
  EXPECT_EQ(Cli({"-f", "txt", t.Path("songs")}).status, 0);  // plain listing on stdout
}

TEST_F(CliExportTest, EmptyListTouchesNoFileInAnyFormat) {
  test::WriteBytes(t.Path("old.html"), "old");
  const CliRun r = Cli({"-f", "html", "-m", "*.flac", "-o", t.Path("old.html"), t.Path("songs")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Список пуст.\n");
  EXPECT_EQ(test::ReadBytes(t.Path("old.html")), "old");
}

TEST_F(CliExportTest, WriteFailureNamesTheFileAndKeepsTheOldOne) {
  t.Folder("out.xls");
  const CliRun r = Cli({"-f", "xls", "-o", t.Path("out.xls"), t.Path("songs")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(t.Path("out.xls") + ": "), std::string::npos) << r.err;
  EXPECT_TRUE(std::filesystem::is_directory(t.Root() / "out.xls"));
}

TEST_F(CliExportTest, ATextListIsNeverAppendedOntoAWorkbook) {
  ASSERT_EQ(Cli({"-f", "xls", "-o", t.Path("book.xls"), t.Path("songs")}).status, 0);
  const std::string book = test::ReadBytes(t.Path("book.xls"));
  const CliRun r = Cli({"-o", t.Path("book.xls"), t.Path("songs")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(t.Path("book.xls") + ": it is an OLE compound file"), std::string::npos) << r.err;
  EXPECT_EQ(test::ReadBytes(t.Path("book.xls")), book);
}

TEST_F(CliExportTest, NamesThatLoseCharactersInWindows1251AreCountedOnOneLine) {
  t.Files({"songs/Café.mp3", "songs/Straße.mp3", "songs/\xF0\x9F\x8E\xB5.mp3", "songs/ελ.mp3"});
  const CliRun r = Cli({"-o", t.Path("list.txt"), t.Path("songs")});
  EXPECT_EQ(r.status, 0);
  // The first three in the list's order, then "...".
  EXPECT_EQ(r.err.rfind("brixel-list: 4 names lose characters in Windows-1251 (written as \"?\"): '", 0), 0u)
      << r.err;
  EXPECT_TRUE(r.err.ends_with(".mp3', ...; --encoding utf-8 keeps them\n")) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\''), 6);
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
  EXPECT_EQ(Cli({"--encoding", "cp1251", t.Path("songs")}).err, r.err);  // on stdout too
  // Names the code page holds, and lists that hold every character, say nothing.
  EXPECT_EQ(Cli({"-m", "*я.mp3", "-o", t.Path("list2.txt"), t.Path("songs")}).err, "");
  EXPECT_EQ(Cli({"--encoding", "utf-8", "-o", t.Path("list3.txt"), t.Path("songs")}).err, "");
  EXPECT_EQ(Cli({"-f", "html", "-o", t.Path("list.html"), t.Path("songs")}).err, "");
}

#ifdef __linux__
TEST_F(CliExportTest, AnAppendWithNoRoomForItsCopyIsRefusedUnlessInPlace) {
  const auto mount_point = t.Root() / "tiny";
  const test::TmpfsMount tiny(mount_point, "size=64k");
  if (!tiny.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
  const std::string list = (mount_point / "list.txt").string();
  const std::string old(40 << 10, 'x');
  test::WriteBytes(list, old);
  const CliRun refused = Cli({"-o", list, t.Path("songs")});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(
      refused.err.find(list + ": no room for the copy a safe append writes (the file's 40 KB beside it, "),
      std::string::npos)
      << refused.err;
  EXPECT_NE(refused.err.find("--in-place"), std::string::npos);
  EXPECT_EQ(test::ReadBytes(list), old);
  EXPECT_EQ(test::FolderEntries(mount_point), std::vector<std::string>{"list.txt"});
  ASSERT_EQ(Cli({"--in-place", "-o", list, t.Path("songs")}).status, 0);
  EXPECT_EQ(test::ReadBytes(list), old + "a & b.mp3\r\nb.mp3\r\n\xCF\xE5\xF1\xED\xFF.mp3\r\n");
}
#endif

}  // namespace
}  // namespace brixel::cli
