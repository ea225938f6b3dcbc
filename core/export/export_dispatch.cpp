#include "core/export/export_dispatch.h"

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

std::optional<ListFormat> FormatForFilterIndex(int filter_index) {
  switch (filter_index) {
    case 1:
      return ListFormat::Text;
    case 2:
      return ListFormat::Spreadsheet;
    case 3:
      return ListFormat::Html;
    default:
      return std::nullopt;
  }
}

void WriteList(ListFormat format, const std::string& path, const NameColumn& names, const ListLayout& layout,
               const ListWriterOptions& options) {
  WriteList(format, path, names, layout, options, PassControl{});
}

bool WriteList(ListFormat format, const std::string& path, const NameColumn& names, const ListLayout& layout,
               const ListWriterOptions& options, const PassControl& control) {
  ListWriterOptions steered = options;
  if (!steered.control.stop.stop_possible()) steered.control.stop = control.stop;
  std::unique_ptr<ListWriter> writer;
  try {
    writer = OpenListWriter(format, path, layout, steered);
  } catch (const SaveStopped&) {
    return false;
  }
  for (std::size_t i = 0; i < names.Size(); ++i) {
    if (!control.GoOn(i)) return false;
    writer->Add(names[i]);
  }
  return writer->Finish();
}

}  // namespace brixel
