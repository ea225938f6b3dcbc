#include "cli/list_command.h"

#include <ostream>

#include "core/details/field_text.h"
#include "core/edition.h"
#include "core/export/appended_file.h"
#include "core/export/cp1251_losses.h"
#include "core/export/save_error.h"
#include "core/export/write_list.h"
#include "core/format/formatting_target.h"
#include "core/listing/detailed_listing.h"
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

// One file per line on standard output, its fields separated by a tab.
void WriteRowsToStream(const NameColumn& names, const DetailsColumn& details, const Columns& columns,
                       TextEncoding encoding, std::ostream& out) {
  std::string bytes, text;
  FileDetails row_details;
  std::vector<Field> fields;
  for (std::size_t i = 0; i < names.Size(); ++i) {
    details.Read(i, row_details);
    FillRow(columns, names[i], row_details, fields);
    for (std::size_t f = 0; f < fields.size(); ++f) {
      if (f != 0) bytes += '\t';
      text.clear();
      AppendFieldText(fields[f].value, text);
      if (encoding == TextEncoding::Cp1251)
        AppendCp1251(text, bytes, Cp1251Mode::Text);
      else
        AppendUtf8Line(text, bytes);
    }
    bytes += '\n';
  }
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

ListFormat ListFormatOf(OutputFormat format) {
  switch (format) {
    case OutputFormat::Html:
      return ListFormat::Html;
    case OutputFormat::Xls:
    case OutputFormat::Xlsx:
      return ListFormat::Spreadsheet;
    case OutputFormat::Csv:
      return ListFormat::Csv;
    case OutputFormat::Json:
      return ListFormat::Json;
    case OutputFormat::Txt:
      break;
  }
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
  const ScanRequest request{.folder = folder,
                            .mask_line = options.mask_line,
                            .subfolders = options.recursive,
                            .order = options.order,
                            .folders = folders};
  const bool names_only = IsNamesOnly(options.columns);
  DetailedListing listing;
  ScanReport report;
  if (names_only) {
    report = Scan(request, target);
  } else {
    report = ListWithDetails(request, RequestFor(options.columns, options.tag_encoding), listing);
    for (std::size_t i = 0; i < listing.names.Size(); ++i) target.Append(listing.names[i]);
  }
  if (report.folder_error) {
    err << "brixel-list: cannot read folder '" << folder << "': " << report.folder_error.message() << "\n";
    return ExitStatus::Failed;
  }
  if (options.show_errors)
    for (const SkippedFolder& s : report.skipped)
      err << "brixel-list: cannot read " << s.path << ": " << s.error.message() << "\n";

  if (!options.output) {
    const TextEncoding encoding = options.encoding.value_or(TextEncoding::Utf8);
    if (names_only)
      WriteToStream(names, encoding, out);
    else
      WriteRowsToStream(names, listing.details, options.columns, encoding, out);
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
    WriteRows(format, *options.output, {names, &listing.details, options.columns}, LayoutOf(kFullEdition),
              writer);
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
