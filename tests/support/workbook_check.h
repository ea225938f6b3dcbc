#pragma once
// Runs an independent reader (tests/support/check_workbook.py) over a saved workbook and compares
// every cell, the cell types, the active cell and the column widths with the names saved.
#include <string>
#include <vector>

#include "core/export/list_writer.h"

namespace brixel::test {

struct ReaderVerdict {
  bool ok;
  std::string output;  // the checker's report
};

// The editions' layouts, as the programs pass them: the full edition's names from A2, the lite
// edition's from A1, each page naming its program.
inline ListLayout FullLayout() {
  return LayoutOf(kFullEdition);
}
inline ListLayout LiteLayout() {
  return LayoutOf(kLiteEdition);
}

struct SavedWorkbook {
  std::string path;
  std::vector<std::string> expected;  // what each name's cell must show
  ListLayout layout = FullLayout();
  bool html_page = false;  // an HTML list, checked as LibreOffice imports it: a name per row
  // A CSV list (LibreOffice only), checked against check_table.py's EXPECTED.json at this path
  // in place of `expected`: no field runs as a formula, numbers and dates are typed.
  std::string table_expected = {};
};

// reader: "xlrd", "openpyxl", "gnumeric" or "libreoffice". expected: what each name's cell must
// show.
ReaderVerdict CheckWorkbook(const std::string& reader, const std::string& workbook,
                            const std::vector<std::string>& expected, const ListLayout& layout);
// Several workbooks in one run of the reader (LibreOffice starts once for all of them).
ReaderVerdict CheckWorkbooks(const std::string& reader, const std::vector<SavedWorkbook>& workbooks);

// The readers are Debian packages; a machine without them skips these tests.
bool ReaderAvailable(const std::string& reader);

// The C library's locale of the whole process set to `name` while this lives, as the windows set
// it from the user's environment when they start; the one before comes back afterwards.
class ProcessLocale {
 public:
  explicit ProcessLocale(const char* name);
  ~ProcessLocale();
  ProcessLocale(const ProcessLocale&) = delete;
  ProcessLocale& operator=(const ProcessLocale&) = delete;
  bool Installed() const { return installed_; }

 private:
  std::string previous_;
  bool installed_;
};

}  // namespace brixel::test
