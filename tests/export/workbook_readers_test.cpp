// Workbooks read back by independent readers (xlrd and gnumeric for .xls, openpyxl and gnumeric
// for .xlsx, LibreOffice Calc for both): every cell, its type, the active cell, the column widths,
// where the window opens and, in .xls, the cell table's INDEX, ROW and DBCELL records.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/export/csv_list.h"
#include "core/export/list_writer.h"
#include "core/platform/file_system.h"
#include "core/utf8/utf8.h"
#include "tests/export/awkward_rows.h"
#include "tests/export/export_test_util.h"
#include "tests/support/temp_tree.h"
#include "tests/support/workbook_check.h"

namespace brixel {
namespace {

struct ReaderCase {
  const char* label;
  const char* file;
  const char* reader;
};

void PrintTo(const ReaderCase& c, std::ostream* os) {
  *os << c.label;
}

const ReaderCase kReaders[] = {
    {"xls_xlrd", "list.xls", "xlrd"},
    {"xls_gnumeric", "list.xls", "gnumeric"},
    {"xlsx_openpyxl", "list.xlsx", "openpyxl"},
    {"xlsx_gnumeric", "list.xlsx", "gnumeric"},
};

std::string Repeat(std::string_view piece, std::size_t times, std::string out = {}) {
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

std::vector<std::string> Numbered(std::size_t count, std::string_view stem) {
  std::vector<std::string> names;
  names.reserve(count);
  for (std::size_t i = 0; i < count; ++i) names.push_back(std::string(stem) + std::to_string(i) + ".mp3");
  return names;
}

class WorkbookReaderTest : public ::testing::TestWithParam<ReaderCase> {
 protected:
  void SetUp() override {
    if (std::string(GetParam().file) == "list.xlsx" && !XlsxAvailable())
      GTEST_SKIP() << "no .xlsx in this build";
    if (!test::ReaderAvailable(GetParam().reader)) GTEST_SKIP() << GetParam().reader << " is not installed";
  }

  // Saves the names and has the reader compare each cell with `shown` (the names themselves
  // when empty).
  void SaveAndRead(const std::vector<std::string>& names, const ListLayout& layout = test::FullLayout(),
                   std::vector<std::string> shown = {}) {
    test::SaveList(ListFormat::Spreadsheet, path, names, layout);
    if (shown.empty()) shown = names;
    const test::ReaderVerdict verdict = test::CheckWorkbook(GetParam().reader, path, shown, layout);
    EXPECT_TRUE(verdict.ok) << verdict.output;
  }

  test::TempTree t;
  std::string path = t.Path(GetParam().file);
};

TEST_P(WorkbookReaderTest, OneNameFillsA2Only) {
  SaveAndRead({"a"});
}

TEST_P(WorkbookReaderTest, LiteScanThatFindsNothingGivesAnEmptySheet) {
  SaveAndRead({}, test::LiteLayout());
}

TEST_P(WorkbookReaderTest, NamesStayTextWhateverTheyLookLike) {
  const std::vector<std::string> names{"=1+1",
                                       "=SUM(A1:A3)",
                                       "0001",
                                       "3/4",
                                       "1E5",
                                       "TRUE",
                                       "#N/A",
                                       "'quoted",
                                       "50%",
                                       "$5",
                                       "12.03.2024",
                                       "00:00",
                                       "  spaced  ",
                                       "Песня про ёжика.mp3",
                                       "ЖШЩЮЫФ жшщыюф",
                                       "日本語の歌.flac",
                                       "\xF0\x9F\x8E\xB5 music.mp3",
                                       "a&b<c>\"d\"",
                                       "",
                                       "0001",
                                       "Песня про ёжика.mp3",
                                       Repeat("Я", 255),
                                       "last.mp3"};
  SaveAndRead(names);
}

TEST_P(WorkbookReaderTest, InvalidUtf8BecomesReplacementCharacter) {
  SaveAndRead({"bad\xFFname", "ok"}, test::FullLayout(), {"bad\xEF\xBF\xBDname", "ok"});
}

TEST_P(WorkbookReaderTest, LongNamesSpanningSeveralRecords) {
  // Cyrillic and emoji far past one 8224-byte record: the emoji name is split between records
  // many times and must never be split inside a surrogate pair.
  SaveAndRead({"short", Repeat("Ю", 9000), Repeat("\xF0\x9F\x8E\xB5", 15000),
               Repeat("\xF0\x9F\x98\x80", 5001, "a"), Repeat("x", 20000), "end"});
}

TEST_P(WorkbookReaderTest, Name65535GoesToB2) {
  SaveAndRead(Numbered(65535 + 10, "Трек "));
}

TEST_P(WorkbookReaderTest, LiteLayoutStartsInA1AndGoesOnInB1) {
  SaveAndRead(Numbered(65535, "track "), test::LiteLayout());
}

TEST_P(WorkbookReaderTest, EmptyNamesLeaveRowsAndWholeRowBlocksWithoutCells) {
  std::vector<std::string> names{"first"};
  names.resize(75);  // rows 1..74 empty: a whole block of 32 rows without a cell
  names.push_back("last");
  SaveAndRead(names, test::LiteLayout());
}

TEST_P(WorkbookReaderTest, ALongListOpensScrolledToItsLastName) {
  SaveAndRead(Numbered(5000, "song "));
}

TEST_P(WorkbookReaderTest, TextThatLooksLikeAnXmlEscapeStaysThatText) {
  // gnumeric decodes no "_xHHHH_" at all, neither Excel's escapes nor ours.
  if (std::string(GetParam().label) == "xlsx_gnumeric") GTEST_SKIP() << "gnumeric leaves escapes undecoded";
  SaveAndRead(
      {"_x0041_.mp3", "a_x005F_b", "_x0041_x0042_", "__x00e9__", "_x12_x0041_", "_X0041_", "_x004G_"});
}

INSTANTIATE_TEST_SUITE_P(Readers, WorkbookReaderTest, ::testing::ValuesIn(kReaders),
                         [](const auto& param_info) { return std::string(param_info.param.label); });

// 300,000 names make a container of more than 109 FAT sectors: the DIFAT path. Written once,
// read by both .xls readers.
TEST(XlsBigWorkbookTest, ThreeHundredThousandNamesNeedTheDifat) {
  test::TempTree t;
  const std::string path = t.Path("big.xls");
  std::vector<std::string> names = Numbered(300000, "Песня номер ");
  test::SaveList(ListFormat::Spreadsheet, path, names);
  const std::string bytes = test::ReadBytes(path);
  ASSERT_GT(bytes.size(), 512u);
  EXPECT_EQ(bytes.size() % 512, 0u);
  EXPECT_GT(static_cast<unsigned char>(bytes[72]), 0) << "no DIFAT sector";
  for (const char* reader : {"xlrd", "gnumeric"}) {
    if (!test::ReaderAvailable(reader)) continue;
    const test::ReaderVerdict verdict = test::CheckWorkbook(reader, path, names, test::FullLayout());
    EXPECT_TRUE(verdict.ok) << reader << ": " << verdict.output;
  }
}

// LibreOffice Calc as one more reader, started once for the whole test run: names that trip
// readers, more than one column, the lite layout, an .xls without its extension, which only a
// workbook recognised as Excel 97 by its content gives back cell for cell, an HTML page of every
// Latin-1 letter through Calc's HTML import, where numeric references went wrong, and a CSV list
// with every column, opened as a user opens one: no field may run as a formula, and numbers and
// dates must come out typed, under a Russian locale too.
TEST(LibreOfficeTest, CalcReadsEveryCell) {
  if (!test::ReaderAvailable("libreoffice")) GTEST_SKIP() << "LibreOffice (soffice) is not installed";
  test::TempTree t;
  const std::vector<std::string> hostile{"=1+1",
                                         "0001",
                                         "3/4",
                                         "TRUE",
                                         "'quoted",
                                         "  spaced  ",
                                         "Песня про ёжика.mp3",
                                         "日本語の歌.flac",
                                         "\xF0\x9F\x8E\xB5 music.mp3",
                                         "a&b<c>\"d\"",
                                         "",
                                         "_x0041_.mp3",
                                         "Alizée",
                                         Repeat("Ю", 9000),
                                         "last"};
  std::vector<test::SavedWorkbook> books;
  const auto save = [&](const std::string& file, const std::vector<std::string>& names,
                        const ListLayout& layout) {
    if (file.ends_with(".xlsx") && !XlsxAvailable()) return;
    test::SaveList(ListFormat::Spreadsheet, t.Path(file), names, layout);
    books.push_back({t.Path(file), names, layout});
  };
  save("hostile.xls", hostile, test::FullLayout());
  save("hostile.xlsx", hostile, test::FullLayout());
  save("columns.xls", Numbered(65535 + 10, "Трек "), test::FullLayout());
  save("columns.xlsx", Numbered(65535 + 10, "Трек "), test::FullLayout());
  save("lite.xls", Numbered(65535, "track "), test::LiteLayout());
  save("lite.xlsx", Numbered(65535, "track "), test::LiteLayout());
  std::filesystem::copy_file(t.Path("hostile.xls"), t.Path("no-extension"));
  books.push_back({t.Path("no-extension"), hostile, test::FullLayout()});
  std::string latin1;
  for (char32_t c = 0xA1; c <= 0xFF; ++c) AppendUtf8(c, latin1);
  const std::vector<std::string> page{latin1, "Alizée Ø ÿ"};
  test::SaveList(ListFormat::Html, t.Path("latin1.html"), page);
  books.push_back({t.Path("latin1.html"), page, test::FullLayout(), /*html_page=*/true});
  if (test::ReaderAvailable("openpyxl")) {  // which reads what Calc made of the CSV list
    std::vector<test::Listed> files = test::AwkwardFiles();
    std::erase_if(files,
                  [](const test::Listed& f) { return f.name.find_first_of("\r\n") != std::string::npos; });
    CsvListWriter csv(t.Path("list.csv"), test::kEveryColumn, platform::NativeFileSystem());
    test::WriteRows(csv, test::kEveryColumn, files, t.Path("csv.json"));
    books.push_back({.path = t.Path("list.csv"), .expected = {}, .table_expected = t.Path("csv.json")});
  }
  const char* lang = std::getenv("LANG");
  const std::string saved = lang ? lang : "";
  ::setenv("LANG", "ru_RU.UTF-8", 1);
  const test::ReaderVerdict verdict = test::CheckWorkbooks("libreoffice", books);
  lang ? ::setenv("LANG", saved.c_str(), 1) : ::unsetenv("LANG");
  EXPECT_TRUE(verdict.ok) << verdict.output;
}

}  // namespace
}  // namespace brixel
