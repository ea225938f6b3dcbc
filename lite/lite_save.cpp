#include "lite/lite_save.h"

#include <memory>
#include <optional>
#include <stop_token>

#include "core/details/detail_row.h"
#include "core/export/replacement_file.h"
#include "core/export/row_writer.h"
#include "core/export/save_error.h"
#include "core/format/formatting_target.h"
#include "core/listing/folder_scan.h"
#include "lite/save_format.h"

namespace brixel {

namespace {

// The scan's first stop in the lite save: counts the names and keeps out the save's own file.
// Once a stop is asked for, the names of the folder in hand are not written: the save is going
// to be undone, and a folder of a million names would otherwise delay that.
class SaveOutputTarget : public ListTarget {
 public:
  SaveOutputTarget(ListTarget& next, std::stop_token stop) : next_(next), stop_(std::move(stop)) {}

  void Append(std::string_view name) override {
    if (stop_.stop_requested()) {
      dropped_ = true;
      return;
    }
    // A page or workbook saved into the scanned folder is written beside its target first; that
    // file is gone once the save ends, so it is no name of the list.
    if (IsReplacementTempName(name)) return;
    next_.Append(name);
    ++written_;
  }

  std::size_t Written() const { return written_; }
  // Some name was left out for a stop: the list is not whole, even if the walk itself ended.
  bool Dropped() const { return dropped_; }

 private:
  ListTarget& next_;
  std::stop_token stop_;
  std::size_t written_ = 0;
  bool dropped_ = false;
};

// The same for a list with columns: each file's row goes to the writer as the walk reads it.
class SaveRowsTarget : public DetailedTarget {
 public:
  SaveRowsTarget(RowWriter& writer, PrimFile& prim_file, const Columns& columns, std::stop_token stop)
      : writer_(writer), prim_file_(prim_file), columns_(columns), stop_(std::move(stop)) {}

  void Append(std::string_view name, const FileDetails& details) override {
    if (stop_.stop_requested()) {
      dropped_ = true;
      return;
    }
    if (IsReplacementTempName(name)) return;
    FillRow(columns_, prim_file_.Shape(name), details, fields_);
    writer_.AddRow(fields_);
    ++written_;
  }

  std::size_t Written() const { return written_; }
  bool Dropped() const { return dropped_; }

 private:
  RowWriter& writer_;
  PrimFile& prim_file_;
  const Columns& columns_;
  std::stop_token stop_;
  std::vector<Field> fields_;
  std::size_t written_ = 0;
  bool dropped_ = false;
};

}  // namespace

std::size_t RunLiteSave(const LiteSaveRequest& request) {
  return RunLiteSave(request, FormatLocale::ForUser(), ListWriterOptions{});
}

std::size_t RunLiteSave(const LiteSaveRequest& request, const FormatLocale& locale,
                        const ListWriterOptions& writer_options) {
  return *RunLiteSave(request, locale, writer_options, WorkControl{});
}

std::optional<std::size_t> RunLiteSave(const LiteSaveRequest& request, const FormatLocale& locale,
                                       const ListWriterOptions& writer_options, const WorkControl& control) {
  const std::optional<ListFormat> format = ListFormatForEntry(request.save_format);
  if (!format) return 0;

  // Checked before the output is opened, so a refused save touches nothing.
  PrimFile prim_file(request.options, locale);
  if (!prim_file.StartNumberValid())
    throw SaveFailure(request.output_path,
                      "the start number \"" + request.options.start_text + "\" is no number");

  const ListWriterOptions steered = UnderControl(writer_options, control);
  const Columns columns = IsNamesOnly(request.columns) ? Columns{} : request.columns;
  std::unique_ptr<RowWriter> writer;
  try {
    writer = OpenRowWriter(*format, request.output_path, LayoutOf(kLiteEdition), columns, steered);
  } catch (const SaveStopped&) {
    return std::nullopt;
  }
  const ScanRequest scan{.folder = request.folder,
                         .mask_line = request.mask_line,
                         .subfolders = request.subfolders,
                         .folders = request.folders};
  if (!columns.empty()) {
    SaveRowsTarget rows(*writer, prim_file, columns, control.stop);
    const ScanReport report = ScanWithDetails(scan, RequestFor(columns, request.tag_encoding), rows, control);
    if (report.stopped || rows.Dropped() || !writer->Finish()) return std::nullopt;
    return rows.Written();
  }
  ListWriterTarget output(*writer);
  FormattingTarget formatted(prim_file, output);
  SaveOutputTarget target(formatted, control.stop);
  const ScanReport report = Scan(scan, target, control);
  if (report.stopped || target.Dropped())
    return std::nullopt;                       // the writer, dropped unfinished, puts the file back
  if (!writer->Finish()) return std::nullopt;  // stopped: the file is as it was
  return target.Written();
}

std::optional<Cp1251Losses> FindLiteSaveLosses(const LiteSaveRequest& request, const FormatLocale& locale,
                                               const WorkControl& control) {
  PrimFile prim_file(request.options, locale);
  Cp1251LossTarget losses;
  FormattingTarget formatted(prim_file, losses);
  const ScanReport report = Scan({.folder = request.folder,
                                  .mask_line = request.mask_line,
                                  .subfolders = request.subfolders,
                                  .folders = request.folders},
                                 formatted, control);
  if (report.stopped) return std::nullopt;
  return losses.Found();
}

}  // namespace brixel
