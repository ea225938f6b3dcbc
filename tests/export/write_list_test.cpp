#include "core/export/write_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stop_token>

#include "core/export/save_error.h"
#include "tests/support/temp_tree.h"
#include "tests/support/workbook_check.h"

namespace brixel {
namespace {

NameTable TableWithFormatted(const std::vector<std::string>& names) {
  NameTable table;
  for (const auto& name : names) table.Formatted().Append(name);
  return table;
}

TEST(WriteListTest, OnlyRowOneDecidesWhetherTheListIsEmpty) {
  EXPECT_TRUE(IsListEmpty(NameTable{}));
  EXPECT_TRUE(IsListEmpty(TableWithFormatted({""})));
  EXPECT_TRUE(IsListEmpty(TableWithFormatted({"   ", "later.mp3"})));
  EXPECT_FALSE(IsListEmpty(TableWithFormatted({" a "})));
  EXPECT_FALSE(IsListEmpty(TableWithFormatted({"a", ""})));
  EXPECT_FALSE(IsListEmpty(TableWithFormatted({"\t"})));  // only blanks are trimmed
}

TEST(WriteListTest, SpreadsheetKindFollowsTheExtensionInAnyCase) {
  EXPECT_EQ(WorkbookFormatForPath("a.xlsx"), WorkbookFormat::Xlsx);
  EXPECT_EQ(WorkbookFormatForPath("/x/A.XLSX"), WorkbookFormat::Xlsx);
  EXPECT_EQ(WorkbookFormatForPath("a.xls"), WorkbookFormat::Xls);
  EXPECT_EQ(WorkbookFormatForPath("a.xlsx.txt"), WorkbookFormat::Xls);
  EXPECT_EQ(WorkbookFormatForPath("xlsx"), WorkbookFormat::Xls);
}

TEST(WriteListTest, WriteListMakesTheChosenFormatUnderTheNameAsGiven) {
  test::TempTree t;
  NameColumn names;
  names.Append("a");
  // The format follows the choice alone: the typed extension is neither checked nor added.
  WriteList(ListFormat::Text, t.Path("list.html"), names, test::FullLayout());
  EXPECT_EQ(test::ReadBytes(t.Path("list.html")), "a\r\n");
  WriteList(ListFormat::Html, t.Path("noext"), names, test::FullLayout());
  EXPECT_EQ(test::ReadBytes(t.Path("noext")).substr(0, 6), "<html>");
  WriteList(ListFormat::Spreadsheet, t.Path("book.xls"), names, test::FullLayout());
  EXPECT_EQ(test::ReadBytes(t.Path("book.xls")).substr(0, 4), "\xD0\xCF\x11\xE0");
  if (XlsxAvailable()) {
    WriteList(ListFormat::Spreadsheet, t.Path("book.XLSX"), names, test::FullLayout());
    EXPECT_EQ(test::ReadBytes(t.Path("book.XLSX")).substr(0, 2), "PK");
  }
  ListWriterOptions xlsx;
  xlsx.workbook = WorkbookFormat::Xlsx;
  if (XlsxAvailable()) {
    WriteList(ListFormat::Spreadsheet, t.Path("forced.xls"), names, test::FullLayout(), xlsx);
    EXPECT_EQ(test::ReadBytes(t.Path("forced.xls")).substr(0, 2), "PK");
  } else {
    EXPECT_THROW(WriteList(ListFormat::Spreadsheet, t.Path("forced.xls"), names, test::FullLayout(), xlsx),
                 SaveError);
  }
}

TEST(WriteListTest, FailureNamesTheFileAndTheCause) {
  NameColumn names;
  names.Append("a");
  try {
    WriteList(ListFormat::Html, "/nonexistent-folder/list.html", names, test::FullLayout());
    FAIL() << "no failure";
  } catch (const SaveError& e) {
    const std::string message = e.what();
    const std::string prefix = "/nonexistent-folder/list.html: ";
    EXPECT_EQ(message.substr(0, prefix.size()), prefix);
    EXPECT_GT(message.size(), prefix.size());  // the cause as the system words it
  }
}

TEST(WriteListTest, AStoppedWriteLeavesTheFileAsItWas) {
  test::TempTree folder;
  NameColumn names;
  for (int i = 0; i < 5000; ++i) names.Append("name " + std::to_string(i));
  // Stops the writing once names are in: at the report after the first.
  struct StopAfterFirstCheck : ProgressSink {
    std::stop_source stop;
    void RowsDone(std::size_t done, std::size_t) override {
      if (done > 0) stop.request_stop();
    }
  } sink;
  const WorkControl control{sink.stop.get_token(), &sink};
  for (const ListFormat format : {ListFormat::Text, ListFormat::Html, ListFormat::Spreadsheet}) {
    const std::string path = folder.Path("list");
    test::WriteBytes(path, "kept");
    EXPECT_FALSE(WriteList(format, path, names, ListLayout{1, "Brixel"}, {}, control));
    EXPECT_EQ(test::ReadBytes(path), "kept");
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Root()), {}), 1);  // no temporary file
}

}  // namespace
}  // namespace brixel
