#pragma once
// Writing a whole list, and the check before it: whether there is anything to save. No dialogs
// or messages: every failure is a SaveError, for which the windows show their one message and
// the command line the error's own text.
#include <string>

#include "core/details/details_column.h"
#include "core/export/list_writer.h"
#include "core/listing/name_column.h"
#include "core/listing/name_table.h"
#include "core/work/work_control.h"

namespace brixel {

// True when row 1's after-formatting name, without leading and trailing spaces, is empty. Only
// row 1 counts.
bool IsListEmpty(const NameTable& table);
bool IsListEmpty(const NameColumn& formatted);

// Writes every name in order. Throws SaveError.
void WriteList(ListFormat format, const std::string& path, const NameColumn& names, const ListLayout& layout,
               const ListWriterOptions& options = {});
// Under a caller's control, looked at and told every WorkControl::kRowsPerCheck names: false when
// stopped, between two names or in the writer's own work up to the moment the new file takes the
// old one's place (the control's stop and sink reach the writer unless the options bring their
// own); the file is then left as it was.
bool WriteList(ListFormat format, const std::string& path, const NameColumn& names, const ListLayout& layout,
               const ListWriterOptions& options, const WorkControl& control);

// A list with columns: row i is names[i] (as formatted) with the details of row i. No columns
// (or `name` alone) writes what WriteList writes. Looked at and told as WriteList is; throws
// SaveError.
struct ListRows {
  const NameColumn& names;
  const DetailsColumn* details = nullptr;  // may be null when no column needs it
  Columns columns;
};
bool WriteRows(ListFormat format, const std::string& path, const ListRows& rows, const ListLayout& layout,
               const ListWriterOptions& options = {}, const WorkControl& control = {});

}  // namespace brixel
