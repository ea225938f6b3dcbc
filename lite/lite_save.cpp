#include "lite/lite_save.h"

#include <memory>
#include <optional>

#include "core/export/replacement_file.h"
#include "core/export/save_error.h"
#include "core/listing/folder_scan.h"
#include "core/listing/list_target.h"
#include "lite/save_format.h"

namespace brixel {

namespace {

// The scan's second target in the lite edition: the open output instead of a list.
class SaveOutputTarget : public ListTarget {
 public:
  SaveOutputTarget(PrimFile& prim_file, ListWriter& writer) : prim_file_(prim_file), writer_(writer) {}

  void Append(std::string_view name) override {
    // A page or workbook saved into the scanned folder is written beside its target first; that
    // file is gone once the save ends, so it is no name of the list.
    if (IsReplacementTempName(name)) return;
    WriteListEntry(name, prim_file_, writer_);
    ++written_;
  }

  std::size_t Written() const { return written_; }

 private:
  PrimFile& prim_file_;
  ListWriter& writer_;
  std::size_t written_ = 0;
};

}  // namespace

void WriteListEntry(std::string_view name, PrimFile& prim_file, ListWriter& writer) {
  writer.Add(prim_file(name));
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
      OpenListWriter(*format, request.output_path, Edition::Lite, writer_options);
  SaveOutputTarget target(prim_file, *writer);
  if (request.subfolders)
    ListFolderTree(request.folder, request.mask_line, target);
  else
    ListMaskLine(request.folder, request.mask_line, target);
  writer->Finish();
  return target.Written();
}

}  // namespace brixel
