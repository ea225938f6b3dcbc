#include "core/export/html_list.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "core/export/replacement_file.h"
#include "core/export/save_error.h"
#include "core/utf8/utf8.h"
#include "tests/export/export_test_util.h"
#include "tests/export/failing_file_system.h"
#include "tests/support/temp_tree.h"
#include "tests/support/workbook_check.h"

namespace brixel {
namespace {

using test::ReadBytes;
using test::SaveList;

// "Список" and "Список сформирован с помощью программы Бриксел" in Windows-1251.
const std::string kList = "\xD1\xEF\xE8\xF1\xEE\xEA";
const std::string kMadeWith =
    kList +
    " \xF1\xF4\xEE\xF0\xEC\xE8\xF0\xEE\xE2\xE0\xED \xF1 \xEF\xEE\xEC\xEE\xF9\xFC\xFE "
    "\xEF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xFB \xC1\xF0\xE8\xEA\xF1\xE5\xEB";
const std::string kHead =
    "<html><head><title>" + kList +
    "</title><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
    "</head><body  bgcolor=\"#FFF3C3\" > <div align=\"center\">";
const std::string kClose = "</font></div></body></html>";

std::string Page(const std::string& title, const std::string& lines) {
  return kHead + title + lines + kClose;
}
std::string FullTitle() {
  return "<p><font color=\"#FF0000\"><strong>" + kMadeWith + " \xC2.2.0.1.</strong></p>";
}
std::string LiteTitle() {
  return "<p><font color=\"#FF0000\"><strong>" + kMadeWith + " \xEB\xE0\xE9\xF2 \xC2.1.0.0.</strong></p>";
}

class HtmlListTest : public ::testing::Test {
 protected:
  test::TempTree t;
  std::string path = t.Path("list.html");
};

TEST_F(HtmlListTest, FixedPiecesHaveTheirExactSizes) {
  EXPECT_EQ(HtmlHeadBlock(), kHead);
  EXPECT_EQ(kHead.size(), 161u);
  EXPECT_EQ(HtmlTitleParagraph(test::FullLayout()), FullTitle());
  EXPECT_EQ(FullTitle().size(), 101u);
  EXPECT_EQ(HtmlTitleParagraph(test::LiteLayout()), LiteTitle());
  EXPECT_EQ(LiteTitle().size(), 106u);
  EXPECT_EQ(HtmlClosingBlock(), kClose);
}

TEST_F(HtmlListTest, OneNamePageIs296BytesFullAnd301Lite) {
  SaveList(ListFormat::Html, path, {"a"});
  EXPECT_EQ(ReadBytes(path), Page(FullTitle(), "a\r\n<br>"));
  EXPECT_EQ(ReadBytes(path).size(), 296u);
  SaveList(ListFormat::Html, path, {"a"}, test::LiteLayout());
  EXPECT_EQ(ReadBytes(path).size(), 301u);
  EXPECT_EQ(ReadBytes(path), Page(LiteTitle(), "a\r\n<br>"));
}

TEST_F(HtmlListTest, NamesAreEscapedAndKeepTheirTrueCharacters) {
  // Markup characters escaped; Cyrillic one byte per letter; an emoji as a reference; a control
  // character and an invalid byte as "?"; an empty later name as a bare line.
  SaveList(ListFormat::Html, path,
           {"<b>Tom & Jerry</b>", "Песня", "", "\xF0\x9F\x8E\xB5.mp3", "tab\there", "bad\xFF"});
  EXPECT_EQ(ReadBytes(path), Page(FullTitle(),
                                  "&lt;b&gt;Tom &amp; Jerry&lt;/b&gt;\r\n<br>"
                                  "\xCF\xE5\xF1\xED\xFF\r\n<br>"
                                  "\r\n<br>"
                                  "&#127925;.mp3\r\n<br>"
                                  "tab?here\r\n<br>"
                                  "bad?\r\n<br>"));
}

TEST_F(HtmlListTest, LatinLettersTheCodePageLacksAreNamedEntities) {
  // Spreadsheet applications read "&#233;" in a Windows-1251 page as the byte 233 ("й"); a name
  // means "é" everywhere. Signs the code page has stay bytes; past U+00FF references stay numeric.
  SaveList(ListFormat::Html, path, {"Alizée", "Ø×ÿ\u00A0", "§«»©", "Ā"});
  EXPECT_EQ(ReadBytes(path), Page(FullTitle(),
                                  "Aliz&eacute;e\r\n<br>"
                                  "&Oslash;&times;&yuml;\xA0\r\n<br>"
                                  "\xA7\xAB\xBB\xA9\r\n<br>"
                                  "&#256;\r\n<br>"));
}

TEST_F(HtmlListTest, EveryLatinOneCharacterComesBackThroughIndependentReaders) {
  std::string all;
  for (char32_t c = 0xA1; c <= 0xFF; ++c) AppendUtf8(c, all);
  const std::vector<std::string> names{all, "Alizée Ø ÿ"};
  SaveList(ListFormat::Html, path, names);

  // Python's HTML decoder: each name stands for its character.
  if (test::ReaderAvailable("html")) {
    const std::string cmd =
        "/usr/bin/python3 -c \"import html,sys; t=open(sys.argv[1],encoding='cp1251').read();"
        "sys.stdout.write(html.unescape(t.split('<br>')[0].split('</p>')[1].strip()))\" '" +
        path + "'";
    FILE* pipe = popen(cmd.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string decoded;
    char buffer[1024];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) decoded.append(buffer, n);
    pclose(pipe);
    EXPECT_EQ(decoded, all);
  }
  // LibreOffice Calc reads the same page with the workbooks (LibreOfficeTest), started once.
}

TEST_F(HtmlListTest, ReplacesAnExistingFileAndLeavesNoTemporaryFile) {
  test::WriteBytes(path, std::string(10000, 'x'));
  SaveList(ListFormat::Html, path, {"a"});
  SaveList(ListFormat::Html, path, {"a"});
  EXPECT_EQ(ReadBytes(path).size(), 296u);
  EXPECT_EQ(test::FolderEntries(t.Root()), std::vector<std::string>{"list.html"});
}

TEST_F(HtmlListTest, WhereFilesWithoutANameAreRefusedANamedTemporaryFileDoesTheSave) {
  test::WriteBytes(path, "old");
  const test::FailingFileSystem fs(test::FailingCall::Unnamed);
  ListWriterOptions options;
  options.file_system = &fs;
  const auto writer = OpenListWriter(ListFormat::Html, path, test::FullLayout(), options);
  writer->Add("a");
  const auto during = test::FolderEntries(t.Root());
  ASSERT_EQ(during.size(), 2u);
  EXPECT_TRUE(IsReplacementTempName(during[0])) << during[0];
  writer->Finish();
  EXPECT_EQ(ReadBytes(path).size(), 296u);
  EXPECT_EQ(test::FolderEntries(t.Root()), std::vector<std::string>{"list.html"});
}

TEST_F(HtmlListTest, AnEmptyLiteScanStillGivesAPage) {
  SaveList(ListFormat::Html, path, {}, test::LiteLayout());
  EXPECT_EQ(ReadBytes(path), Page(LiteTitle(), ""));
}

}  // namespace
}  // namespace brixel
