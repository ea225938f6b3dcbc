// The CSV and JSON lists: every column type and every awkward name, read back by Python's csv and
// json modules (LibreOffice reads the CSV list with the workbooks, in workbook_readers_test.cpp);
// names-only lists; an unfinished list that leaves the old file as it was.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/details/detail_row.h"
#include "core/export/csv_list.h"
#include "core/export/json_list.h"
#include "core/export/list_writer.h"
#include "core/export/row_writer.h"
#include "core/export/save_error.h"
#include "core/export/sheet_layout.h"
#include "core/platform/file_system.h"
#include "tests/export/awkward_rows.h"
#include "tests/export/export_test_util.h"
#include "tests/support/temp_tree.h"
#include "tests/support/wine.h"

namespace brixel {
namespace {

using test::AwkwardFiles;
using test::kEveryColumn;
using test::Listed;
using test::WriteRows;

// Runs tests/support/check_table.py; "" when the reader found nothing wrong.
std::string CheckTable(const std::string& reader, const std::string& file, const std::string& expected) {
  const std::string out = file + "." + reader + ".report";
  const std::string cmd = "/usr/bin/python3 '" BRIXEL_TABLE_CHECKER "' " + reader + " '" + file + "' '" +
                          expected + "' >'" + out + "' 2>&1";
  const int status = std::system(cmd.c_str());
  const std::string report = test::ReadBytes(out);
  return status == 0 ? "" : report.empty() ? "the checker failed to run" : report;
}

bool PythonReaders() {
  return !test::RunningUnderWine() && std::system("/usr/bin/python3 -c '' 2>/dev/null") == 0;
}

TEST(RowLists, WorkbookCellsHaveTheirTypesForXlrdAndOpenpyxl) {
  if (!PythonReaders() || !XlsxAvailable())
    GTEST_SKIP() << "no Python or no .xlsx library to read the workbooks back";
  test::TempTree tree;
  const std::vector<Listed> files = AwkwardFiles();
  const Columns some{Column::Size, Column::Name, Column::Modified, Column::Duration, Column::Title};
  for (const Columns& columns : {kEveryColumn, some}) {
    for (const std::string kind : {"xls", "xlsx"}) {
      const std::string path = tree.Path("list." + kind);
      const auto writer = OpenRowWriter(ListFormat::Spreadsheet, path, {}, columns);
      WriteRows(*writer, columns, files, tree.Path("want.json"));
      EXPECT_EQ(CheckTable(kind, path, tree.Path("want.json")), "") << kind;
    }
  }
}

TEST(RowLists, BlocksOfRowsStandSideBySideOneColumnApart) {
  const RowSheetLayout three(3);
  EXPECT_EQ(three.PositionOf(0, 0).row, 1u);  // under the header
  EXPECT_EQ(three.PositionOf(65533, 2).row, 65534u);
  EXPECT_EQ(three.PositionOf(65534, 0).row, 1u);
  EXPECT_EQ(three.PositionOf(65534, 0).column, 4u);  // D is left empty
  EXPECT_EQ(RowSheetLayout::IndexAt(1, 1), 65534u);
  EXPECT_EQ(three.MaxBlocks(), 64u);  // a 65th would end past the sheet's last column, IV
  EXPECT_LE(three.BlockColumn(63) + 2, 255u);
  EXPECT_GT(three.BlockColumn(64) + 2, 255u);
}

TEST(RowLists, CsvAndJsonReadBackExactlyByPython) {
  if (!PythonReaders())
    GTEST_SKIP() << "no Python to read the lists back (the Linux leg reads these writers)";
  test::TempTree tree;
  const auto& fs = platform::NativeFileSystem();
  const std::vector<Listed> files = AwkwardFiles();
  {
    CsvListWriter csv(tree.Path("list.csv"), kEveryColumn, fs);
    WriteRows(csv, kEveryColumn, files, tree.Path("csv.json"));
    JsonListWriter json(tree.Path("list.json"), kEveryColumn, fs);
    WriteRows(json, kEveryColumn, files, tree.Path("json.json"));
  }
  EXPECT_EQ(CheckTable("csv", tree.Path("list.csv"), tree.Path("csv.json")), "");
  EXPECT_EQ(CheckTable("json", tree.Path("list.json"), tree.Path("json.json")), "");
  // Columns in another order, the name among them.
  const Columns some{Column::Duration, Column::Name, Column::Modified};
  CsvListWriter csv(tree.Path("some.csv"), some, fs);
  WriteRows(csv, some, files, tree.Path("some.json"));
  EXPECT_EQ(CheckTable("csv", tree.Path("some.csv"), tree.Path("some.json")), "");
}

TEST(RowLists, NamesOnlyListsAreRowsOfTheNameAlone) {
  test::TempTree tree;
  const auto& fs = platform::NativeFileSystem();
  for (const char* file : {"names.csv", "names.json", "empty.json"}) {
    const std::string path = tree.Path(file);
    std::unique_ptr<RowWriter> writer;
    if (std::string_view(file).ends_with(".csv"))
      writer = std::make_unique<CsvListWriter>(path, Columns{}, fs);
    else
      writer = std::make_unique<JsonListWriter>(path, Columns{}, fs);
    if (std::string_view(file) != "empty.json") {
      writer->Add("a.mp3");
      writer->Add("=b");
    }
    writer->Finish();
  }
  EXPECT_EQ(test::ReadBytes(tree.Path("names.csv")), "\xEF\xBB\xBFname\r\na.mp3\r\n\"'=b\"\r\n");
  EXPECT_EQ(test::ReadBytes(tree.Path("names.json")), "[\n{\"name\": \"a.mp3\"},\n{\"name\": \"=b\"}\n]\n");
  EXPECT_EQ(test::ReadBytes(tree.Path("empty.json")), "[]\n");
}

TEST(RowLists, AnUnfinishedListLeavesTheOldFileAndNoTemporaryFile) {
  test::TempTree tree;
  const auto& fs = platform::NativeFileSystem();
  for (const char* file : {"old.csv", "old.json"}) {
    tree.File(file, "old bytes");
    {
      std::unique_ptr<RowWriter> writer;
      if (std::string_view(file).ends_with(".csv"))
        writer = std::make_unique<CsvListWriter>(tree.Path(file), kEveryColumn, fs);
      else
        writer = std::make_unique<JsonListWriter>(tree.Path(file), kEveryColumn, fs);
      std::vector<Field> row;
      FillRow(kEveryColumn, "a.mp3", {}, row);
      writer->AddRow(row);
      EXPECT_THROW(writer->AddRow(Row(row).first(2)), SaveError);  // a row short of the columns
    }                                                              // dropped: a stop
    EXPECT_EQ(test::ReadBytes(tree.Path(file)), "old bytes");
  }
  EXPECT_EQ(test::FolderEntries(tree.Root()), (std::vector<std::string>{"old.csv", "old.json"}));
}

}  // namespace
}  // namespace brixel
