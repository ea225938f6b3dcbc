#include "core/export/list_writer.h"

#include "core/export/csv_list.h"
#include "core/export/html_list.h"
#include "core/export/json_list.h"
#include "core/export/text_list.h"
#include "core/export/xls_list_writer.h"
#include "core/export/xlsx_list_writer.h"
#include "core/platform/file_system.h"

namespace brixel {

WorkbookFormat WorkbookFormatForPath(std::string_view path) {
  constexpr std::string_view kXlsx = ".xlsx";
  if (path.size() < kXlsx.size()) return WorkbookFormat::Xls;
  const std::string_view tail = path.substr(path.size() - kXlsx.size());
  for (std::size_t i = 0; i < kXlsx.size(); ++i) {
    const char c = tail[i] >= 'A' && tail[i] <= 'Z' ? static_cast<char>(tail[i] - 'A' + 'a') : tail[i];
    if (c != kXlsx[i]) return WorkbookFormat::Xls;
  }
  return WorkbookFormat::Xlsx;
}

std::unique_ptr<ListWriter> OpenListWriter(ListFormat format, const std::string& path,
                                           const ListLayout& layout, const ListWriterOptions& options) {
  return OpenRowWriter(format, path, layout, {}, options);
}

std::unique_ptr<RowWriter> OpenRowWriter(ListFormat format, const std::string& path, const ListLayout& layout,
                                         const Columns& columns, const ListWriterOptions& options) {
  const platform::FileSystem& fs =
      options.file_system != nullptr ? *options.file_system : platform::NativeFileSystem();
  switch (format) {
    case ListFormat::Text:
      return std::make_unique<TextListWriter>(path, options.text_encoding, fs, options.control,
                                              options.in_place_allowed);
    case ListFormat::Html:
      return std::make_unique<HtmlListWriter>(path, layout, fs, options.control, columns);
    case ListFormat::Spreadsheet:
      if (options.workbook.value_or(WorkbookFormatForPath(path)) == WorkbookFormat::Xlsx)
        return std::make_unique<XlsxListWriter>(path, layout, fs, options.control, columns);
      return std::make_unique<XlsListWriter>(path, layout, fs, options.control, columns);
    case ListFormat::Csv:
      return std::make_unique<CsvListWriter>(path, columns, fs, options.control);
    case ListFormat::Json:
      return std::make_unique<JsonListWriter>(path, columns, fs, options.control);
  }
  return nullptr;
}

}  // namespace brixel
