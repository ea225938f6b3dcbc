#pragma once
// One interface for the list formats. A writer is opened on a path, takes the names one by
// one (the lite save feeds them straight from its scan) and completes the file in Finish. If it
// is destroyed without Finish - an exception elsewhere, a stop - the target stays exactly as it
// was and no temporary file is left.
//
// The caller steers a writer through ListWriterOptions::control, a WorkControl
// (core/work/work_control.h): its stop is looked at during Finish and last just before the new
// file takes the old one's place, and its sink hears the writer's phase (ProgressSink::Writing:
// its own pass over the rows, the library assembling an .xlsx, the commit). Between two names the
// caller looks at its stop itself.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/details/columns.h"
#include "core/edition.h"
#include "core/export/text_encoding.h"
#include "core/listing/list_target.h"
#include "core/work/work_control.h"

namespace brixel {

namespace platform {
class FileSystem;
}

// Spreadsheet: .xls, or .xlsx when the path ends in ".xlsx" (any case).
enum class ListFormat { Text, Html, Spreadsheet, Csv, Json };

// What a list says of the program that made it, as that program passes it: the sheet row a
// workbook's names start in, and the program the page's title paragraph names. The full edition
// starts in A2 ("Бриксел В.2.0.1"), the lite edition in A1 ("Бриксел лайт В.1.0.0").
struct ListLayout {
  std::uint32_t first_row = 0;  // from 0: 1 leaves A1 empty
  std::string program;          // the page says the list was made with it
};

// An edition's lists: kFullEdition's or kLiteEdition's.
inline ListLayout LayoutOf(const Edition& edition) {
  return {edition.first_row, edition.Title()};
}

enum class WorkbookFormat { Xls, Xlsx };

class ListWriter {
 public:
  virtual ~ListWriter() = default;
  // A UTF-8 name as formatted. Throws SaveError.
  virtual void Add(std::string_view name) = 0;
  // Completes the file. False: the control's stop came first, and the file is as it was. Throws
  // SaveError.
  virtual bool Finish() = 0;
};

// A writer as the end of a scan: each name goes straight to the open output. Throws SaveError.
class ListWriterTarget : public ListTarget {
 public:
  explicit ListWriterTarget(ListWriter& writer) : writer_(writer) {}
  void Append(std::string_view name) override { writer_.Add(name); }

 private:
  ListWriter& writer_;
};

struct ListWriterOptions {
  TextEncoding text_encoding = TextEncoding::Cp1251;  // the text list only
  std::optional<WorkbookFormat> workbook;             // default: chosen by the path
  const platform::FileSystem* file_system = nullptr;  // default: the platform's own
  WorkControl control;                                // default: no stop, nobody watches
  // A text list whose safe copy cannot be made for want of room, or fails, goes into the file
  // itself, where a crash could leave part of it; without leave it is refused (InPlaceRefused).
  bool in_place_allowed = false;
};

// The options under a caller's control: the caller's stop and sink wherever the options bring
// none of their own.
inline ListWriterOptions UnderControl(ListWriterOptions options, const WorkControl& control) {
  if (!options.control.stop.stop_possible()) options.control.stop = control.stop;
  if (options.control.progress == nullptr) options.control.progress = control.progress;
  return options;
}

// Text lists append; HTML pages and workbooks are written to a temporary file in the same
// folder and renamed over the target in Finish. Throws SaveError naming the file and the cause
// (NotATextList, InPlaceRefused and SaveStopped among them).
std::unique_ptr<ListWriter> OpenListWriter(ListFormat format, const std::string& path,
                                           const ListLayout& layout, const ListWriterOptions& options = {});

class RowWriter;

// The writer of a list with the columns given, each file one row of their fields; no columns (or
// `name` alone) is the names-only list, byte for byte. Throws SaveError as OpenListWriter does.
std::unique_ptr<RowWriter> OpenRowWriter(ListFormat format, const std::string& path, const ListLayout& layout,
                                         const Columns& columns, const ListWriterOptions& options = {});

// .xlsx when the path ends in ".xlsx" (any case), .xls otherwise.
WorkbookFormat WorkbookFormatForPath(std::string_view path);

// False in a build without an .xlsx library: such a save fails with a SaveError saying so.
bool XlsxAvailable();

}  // namespace brixel
