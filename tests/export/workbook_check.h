#pragma once
// Runs an independent reader (tests/export/check_workbook.py) over a saved workbook and compares
// every cell, the cell types, the active cell and the column widths with the names saved.
#include <string>
#include <vector>

#include "core/export/list_writer.h"

namespace brixel::test {

struct ReaderVerdict {
  bool ok;
  std::string output;  // the checker's report
};

// reader: "xlrd", "openpyxl" or "gnumeric". expected: what each name's cell must show.
ReaderVerdict CheckWorkbook(const std::string& reader, const std::string& workbook,
                            const std::vector<std::string>& expected, Edition edition);

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
