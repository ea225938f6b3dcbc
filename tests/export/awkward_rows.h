#pragma once
// Files whose names and details trip CSV and JSON readers - formula signs, quotes, separators,
// line breaks, bad UTF-8, missing values - and writing them through a RowWriter together with
// what a reader must find (tests/support/check_table.py's EXPECTED.json).
#include <string>
#include <vector>

#include "core/details/columns.h"
#include "core/details/file_details.h"
#include "core/export/row_writer.h"

namespace brixel::test {

inline const Columns kEveryColumn(kAllColumns.begin(), kAllColumns.end());

struct Listed {
  std::string name;
  FileDetails details;
};

std::vector<Listed> AwkwardFiles();

// Writes the files through `writer`, finishes it, and writes what a reader must find into
// `expected`.
void WriteRows(RowWriter& writer, const Columns& columns, const std::vector<Listed>& files,
               const std::string& expected);

}  // namespace brixel::test
