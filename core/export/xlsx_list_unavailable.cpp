// A build without libxlsxwriter: an .xlsx list fails with a clear cause, everything else works.
#include "core/export/save_error.h"
#include "core/export/xlsx_list_writer.h"

namespace brixel {

namespace {
[[noreturn]] const std::string& Refuse(const std::string& path) {
  throw SaveFailure(path, ".xlsx workbooks are not available in this build");
}
}  // namespace

bool XlsxAvailable() {
  return false;
}

XlsxListWriter::XlsxListWriter(const std::string& path, const ListLayout& layout,
                               const platform::FileSystem& fs, const WorkControl& control,
                               const Columns& columns)
    : file_(Refuse(path), fs, control),
      layout_(layout.first_row),
      columns_(columns),
      rows_layout_(static_cast<std::uint32_t>(columns.size())) {}

void XlsxListWriter::AddRow(Row) {}
bool XlsxListWriter::Finish() {
  return false;
}

std::string XmlSafeName(std::string_view name) {
  return std::string(name);
}

}  // namespace brixel
