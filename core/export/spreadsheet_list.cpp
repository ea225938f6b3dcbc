#include "core/export/spreadsheet_list.h"

#include "core/export/save_action.h"

namespace brixel {

void WriteSpreadsheetList(const std::string& path, const NameColumn& names, Edition edition) {
  WriteList(ListFormat::Spreadsheet, path, names, edition);
}

}  // namespace brixel
