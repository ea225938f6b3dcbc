#pragma once
// The spreadsheet list of a whole column: .xlsx when the path ends in ".xlsx", .xls otherwise.
#include <string>

#include "core/export/list_writer.h"
#include "core/listing/name_column.h"

namespace brixel {

void WriteSpreadsheetList(const std::string& path, const NameColumn& names, Edition edition = Edition::Full);

}  // namespace brixel
