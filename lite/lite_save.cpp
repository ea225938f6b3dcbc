#include "lite/lite_save.h"

#include <memory>
#include <optional>

#include "core/export/replacement_file.h"
#include "core/export/save_error.h"
#include "core/format/formatting_target.h"
#include "core/listing/folder_scan.h"
#include "core/version.h"
#include "lite/save_format.h"

namespace brixel {

namespace {

// The scan's first stop in the lite save: counts the names and keeps out the save's own file.
class SaveOutputTarget : public ListTarget {
 public:
  explicit SaveOutputTarget(ListTarget& next) : next_(next) {}

  void Append(std::string_view name) override {
    // A page or workbook saved into the scanned folder is written beside its target first; that
    // file is gone once the save ends, so it is no name of the list.
    if (IsReplacementTempName(name)) return;
    next_.Append(name);
    ++written_;
  }

  std::size_t Written() const { return written_; }

 private:
  ListTarget& next_;
  std::size_t written_ = 0;
};

}  // namespace

ListLayout LiteListLayout() {
  return {0, "Бриксел лайт В." + kLiteVersion.Text()};
}

std::size_t RunLiteSave(const LiteSaveRequest& request) {
  return RunLiteSave(request, FormatLocale::ForUser(), ListWriterOptions{});
}

std::size_t RunLiteSave(const LiteSaveRequest& request, const FormatLocale& locale,
                        const ListWriterOptions& writer_options) {
  const std::optional<ListFormat> format = ListFormatForEntry(request.save_format);
  if (!format) return 0;

  // Checked before the output is opened, so a refused save touches nothing.
  PrimFile prim_file(request.options, locale);
  if (!prim_file.StartNumberValid())
    throw SaveFailure(request.output_path,
                      "the start number \"" + request.options.start_text + "\" is no number");

  const std::unique_ptr<ListWriter> writer =
      OpenListWriter(*format, request.output_path, LiteListLayout(), writer_options);
  ListWriterTarget output(*writer);
  FormattingTarget formatted(prim_file, output);
  SaveOutputTarget target(formatted);
  Scan({request.folder, request.mask_line, request.subfolders, ScanOrder::AsFound}, target);
  writer->Finish();
  return target.Written();
}

}  // namespace brixel
