#include "core/export/write_list.h"

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
  ListWriterOptions steered = options;
  if (!steered.control.stop.stop_possible()) steered.control.stop = control.stop;
  if (steered.control.progress == nullptr) steered.control.progress = control.progress;
  std::unique_ptr<ListWriter> writer;
  try {
    writer = OpenListWriter(format, path, layout, steered);
  } catch (const SaveStopped&) {
    return false;
  }
  for (std::size_t i = 0; i < names.Size(); ++i) {
    if (!control.GoOn(i, names.Size())) return false;
    writer->Add(names[i]);
  }
  return writer->Finish();
}

}  // namespace brixel
