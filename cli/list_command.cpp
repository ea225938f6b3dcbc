#include "cli/list_command.h"

#include <ostream>

#include "core/edition.h"
#include "core/export/appended_file.h"
#include "core/export/cp1251_losses.h"
#include "core/export/save_error.h"
#include "core/export/write_list.h"
#include "core/format/formatting_target.h"
#include "core/listing/folder_scan.h"
#include "core/platform/folder.h"
#include "core/platform/program_folder.h"
#include "core/text/cp1251.h"
#include "core/utf8/utf8.h"

namespace brixel::cli {

namespace {

void WriteToStream(const NameColumn& names, TextEncoding encoding, std::ostream& out) {
  std::string bytes;
  bytes.reserve(names.ByteSize() + names.Size());
  for (std::size_t i = 0; i < names.Size(); ++i) {
    if (encoding == TextEncoding::Cp1251)
      AppendCp1251(names[i], bytes, Cp1251Mode::Text);
    else
      AppendUtf8Line(names[i], bytes);
    bytes += '\n';
  }
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

ListFormat ListFormatOf(OutputFormat format) {
  if (format == OutputFormat::Html) return ListFormat::Html;
  if (format == OutputFormat::Xls || format == OutputFormat::Xlsx) return ListFormat::Spreadsheet;
  return ListFormat::Text;
}

ListWriterOptions WriterOptions(const CliOptions& options) {
  ListWriterOptions writer;
  writer.text_encoding = options.encoding.value_or(TextEncoding::Cp1251);
  writer.in_place_allowed = options.in_place;
  // The format named on the command line wins over the file name's extension.
  if (options.output_format == OutputFormat::Xls) writer.workbook = WorkbookFormat::Xls;
  if (options.output_format == OutputFormat::Xlsx) writer.workbook = WorkbookFormat::Xlsx;
  return writer;
}

// One line on stderr when a Windows-1251 list holds names that lost characters; the list stays
// as written and the exit status as it is.
void ReportCp1251Losses(const NameColumn& names, std::ostream& err) {
  const Cp1251Losses losses = FindCp1251Losses(names);
  if (losses.count == 0) return;
  std::string line = "brixel-list: " + std::to_string(losses.count) +
                     (losses.count == 1 ? " name loses" : " names lose") +
                     " characters in Windows-1251 (written as \"?\"): ";
  for (std::size_t i = 0; i < losses.first.size(); ++i) {
    line += i == 0 ? "'" : ", '";
    AppendUtf8Line(losses.first[i], line);  // one line, whatever the name holds
    line += "'";
  }
  if (losses.count > losses.first.size()) line += ", ...";
  line += "; --encoding utf-8 keeps them\n";
  err << line;
}

}  // namespace

ExitStatus RunList(const CliOptions& options, std::ostream& out, std::ostream& err,
                   const platform::FolderSource* folders) {
  const std::string folder = options.folder.empty() ? CurrentFolder() : options.folder;

  // Names are formatted, and numbered, in the order they are listed: sorted or as found.
  NameColumn names;
  ColumnTarget column(names);
  PrimFile prim_file(options.format);
  FormattingTarget target(prim_file, column);
  const ScanReport report = Scan({.folder = folder,
                                  .mask_line = options.mask_line,
                                  .subfolders = options.recursive,
                                  .order = options.order,
                                  .folders = folders},
                                 target);
  if (report.folder_error) {
    err << "brixel-list: cannot read folder '" << folder << "': " << report.folder_error.message() << "\n";
    return ExitStatus::Failed;
  }
  if (options.show_errors)
    for (const SkippedFolder& s : report.skipped)
      err << "brixel-list: cannot read " << s.path << ": " << s.error.message() << "\n";

  if (!options.output) {
    const TextEncoding encoding = options.encoding.value_or(TextEncoding::Utf8);
    WriteToStream(names, encoding, out);
    out.flush();
    if (!out) return ExitStatus::Failed;
    if (encoding == TextEncoding::Cp1251) ReportCp1251Losses(names, err);
    return ExitStatus::Done;
  }
  if (IsListEmpty(names)) {
    err << "Список пуст.\n";  // nothing to save: the file is not touched
    return ExitStatus::Failed;
  }
  const ListWriterOptions writer = WriterOptions(options);
  const ListFormat format = ListFormatOf(options.output_format);
  try {
    WriteList(format, *options.output, names, LayoutOf(kFullEdition), writer);
  } catch (const InPlaceRefused& e) {
    err << "brixel-list: " << e.what()
        << "; --in-place appends to the file itself, where a crash could leave part of the list\n";
    return ExitStatus::Failed;
  } catch (const SaveError& e) {
    err << "brixel-list: " << e.what() << "\n";
    return ExitStatus::Failed;
  }
  if (format == ListFormat::Text && writer.text_encoding == TextEncoding::Cp1251)
    ReportCp1251Losses(names, err);
  return ExitStatus::Done;
}

ExitStatus RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const ParseResult parsed = ParseCliArgs(args);
  if (!parsed.error.empty()) {
    err << "brixel-list: " << parsed.error << "\nTry 'brixel-list --help'.\n";
    return ExitStatus::Usage;
  }
  if (parsed.options.help) {
    out << UsageText();
    return ExitStatus::Done;
  }
  if (parsed.options.version) {
    out << "brixel-list " << kFullEdition.version.Text() << "\n";
    return ExitStatus::Done;
  }
  return RunList(parsed.options, out, err);
}

}  // namespace brixel::cli
