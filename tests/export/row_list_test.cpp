// The CSV and JSON lists: every column type and every awkward name, read back by Python's csv and
// json modules and by LibreOffice (which must run none of them as a formula); names-only lists;
// an unfinished list that leaves the old file as it was.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/export/csv_list.h"
#include "core/details/field_text.h"
#include "core/export/json_list.h"
#include "core/export/save_error.h"
#include "core/platform/file_system.h"
#include "core/utf8/utf8.h"
#include "tests/export/export_test_util.h"
#include "tests/support/temp_tree.h"
#include "tests/support/wine.h"

namespace brixel {
namespace {

const Columns kEveryColumn(kAllColumns.begin(), kAllColumns.end());

struct Listed {
  std::string name;
  FileDetails details;
};

std::vector<Listed> AwkwardFiles() {
  const std::vector<std::string> names = {
      "plain.mp3", "=1+1.mp3", "+7 (495) 123.mp3", "-minus.mp3", "@SUM(A1).mp3", "\tTab.mp3",
      "\rCR.mp3", "'quoted.mp3", "''=twice.mp3", "a,b \"c\".mp3", "line\nbreak.mp3", "Кириллица ё.mp3",
      "bad\xFF byte.mp3", "", "日本 🎵.flac"};
  std::vector<Listed> files;
  for (std::size_t i = 0; i < names.size(); ++i) {
    Listed f{names[i], {}};
    f.details.folder = i % 3 == 0 ? "" : "Rock/=1999";
    if (i % 4 != 3) f.details.size = 1234567890123 + i;
    // 2024-02-29 23:30:05 UTC, in Moscow.
    if (i % 5 != 4) f.details.modified = LocalTime{1709249405 + static_cast<std::int64_t>(i) * 3600, 3 * 3600};
    if (i % 2 == 0) {
      f.details.audio = {187 + static_cast<std::uint32_t>(i) * 1800, "=HYPERLINK(\"x\")", "Кукушка, live",
                         "-альбом", static_cast<std::uint32_t>(i + 1), 1990};
    }
    files.push_back(f);
  }
  return files;
}

void AppendJsonValue(const FieldValue& value, std::string& out) {
  if (std::holds_alternative<std::monostate>(value)) out += "null";
  if (const auto* text = std::get_if<std::string_view>(&value)) AppendJsonString(SanitizeUtf8(*text), out);
  if (const auto* size = std::get_if<ByteCount>(&value)) out += std::to_string(size->bytes);
  if (const auto* duration = std::get_if<Duration>(&value)) out += std::to_string(duration->seconds);
  if (const auto* number = std::get_if<Number>(&value)) out += std::to_string(number->value);
  if (const auto* time = std::get_if<LocalTime>(&value)) {
    AppendJsonString(FormatIso8601(*time), out);
  }
}

// Writes the files through `writer` and what a reader must find into `expected`.
void WriteRows(RowWriter& writer, const Columns& columns, const std::vector<Listed>& files,
               const std::string& expected) {
  std::string want = "{\"columns\": [";
  for (const Column c : columns) want += (c == columns.front() ? "\"" : ", \"") + std::string(ColumnName(c)) + "\"";
  want += "], \"rows\": [";
  std::vector<Field> row;
  for (const Listed& f : files) {
    FillRow(columns, f.name, f.details, row);
    writer.AddRow(row);
    want += &f == &files.front() ? "[" : ", [";
    for (const Field& field : row) {
      if (&field != &row.front()) want += ", ";
      AppendJsonValue(field.value, want);
    }
    want += "]";
  }
  writer.Finish();
  test::WriteBytes(expected, want + "]}\n");
}

// Runs tests/support/check_table.py; "" when the reader found nothing wrong.
std::string CheckTable(const std::string& reader, const std::string& file, const std::string& expected) {
  const std::string out = file + "." + reader + ".report";
  const std::string cmd = "/usr/bin/python3 '" BRIXEL_TABLE_CHECKER "' " + reader + " '" + file + "' '" + expected +
                          "' >'" + out + "' 2>&1";
  const int status = std::system(cmd.c_str());
  const std::string report = test::ReadBytes(out);
  return status == 0 ? "" : report.empty() ? "the checker failed to run" : report;
}

bool PythonReaders() { return !test::RunningUnderWine() && std::system("/usr/bin/python3 -c '' 2>/dev/null") == 0; }

TEST(RowLists, CsvAndJsonReadBackExactlyByPython) {
  if (!PythonReaders()) GTEST_SKIP() << "no Python to read the lists back (the Linux leg reads these writers)";
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

TEST(RowLists, LibreOfficeRunsNoFieldAsAFormulaAndTypesNumbersAndDates) {
  if (!PythonReaders() || !test::ReaderAvailable("libreoffice") || !test::ReaderAvailable("openpyxl"))
    GTEST_SKIP() << "LibreOffice and openpyxl are needed";
  test::TempTree tree;
  std::vector<Listed> files = AwkwardFiles();
  std::erase_if(files, [](const Listed& f) { return f.name.find_first_of("\r\n") != std::string::npos; });
  CsvListWriter csv(tree.Path("list.csv"), kEveryColumn, platform::NativeFileSystem());
  WriteRows(csv, kEveryColumn, files, tree.Path("csv.json"));
  const char* lang = std::getenv("LANG");
  const std::string saved = lang ? lang : "";
  ::setenv("LANG", "ru_RU.UTF-8", 1);  // dates and numbers must not depend on the user's
  EXPECT_EQ(CheckTable("libreoffice", tree.Path("list.csv"), tree.Path("csv.json")), "");
  lang ? ::setenv("LANG", saved.c_str(), 1) : ::unsetenv("LANG");
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
    }  // dropped: a stop
    EXPECT_EQ(test::ReadBytes(tree.Path(file)), "old bytes");
  }
  EXPECT_EQ(test::FolderEntries(tree.Root()), (std::vector<std::string>{"old.csv", "old.json"}));
}

}  // namespace
}  // namespace brixel
