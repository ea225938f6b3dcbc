#include "core/export/write_list.h"

#include "core/export/row_writer.h"
#include "core/export/save_error.h"

namespace brixel {

bool IsListEmpty(const NameTable& table) {
  return IsListEmpty(table.Formatted());
}

bool IsListEmpty(const NameColumn& formatted) {
  if (formatted.Empty()) return true;
  const std::string_view first = formatted[0];
  return first.find_first_not_of(' ') == std::string_view::npos;
}

void WriteList(ListFormat format, const std::string& path, const NameColumn& names, const ListLayout& layout,
               const ListWriterOptions& options) {
  WriteList(format, path, names, layout, options, WorkControl{});
}

bool WriteList(ListFormat format, const std::string& path, const NameColumn& names, const ListLayout& layout,
               const ListWriterOptions& options, const WorkControl& control) {
  return WriteRows(format, path, {names, nullptr, {}}, layout, options, control);
}

bool WriteRows(ListFormat format, const std::string& path, const ListRows& rows, const ListLayout& layout,
               const ListWriterOptions& options, const WorkControl& control) {
  const ListWriterOptions steered = UnderControl(options, control);
  const Columns columns = IsNamesOnly(rows.columns) ? Columns{} : rows.columns;
  std::unique_ptr<RowWriter> writer;
  try {
    writer = OpenRowWriter(format, path, layout, columns, steered);
  } catch (const SaveStopped&) {
    return false;
  }
  const NameColumn& names = rows.names;
  FileDetails details;
  std::vector<Field> fields;
  for (std::size_t i = 0; i < names.Size(); ++i) {
    if (!control.GoOn(i, names.Size())) return false;
    if (columns.empty()) {
      writer->Add(names[i]);
      continue;
    }
    if (rows.details != nullptr) rows.details->Read(i, details);
    FillRow(columns, names[i], details, fields);
    writer->AddRow(fields);
  }
  return writer->Finish();
}

}  // namespace brixel
