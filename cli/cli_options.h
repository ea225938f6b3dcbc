#pragma once
// The command line of brixel-list. Parsing is separate from running, so tests check both.
#include <optional>
#include <string>
#include <vector>

#include "core/details/columns.h"
#include "core/details/tag_encoding.h"
#include "core/export/text_list.h"
#include "core/format/format_options.h"
#include "core/listing/folder_scan.h"

namespace brixel::cli {

// The list file written with --output: a text list, an HTML page, a .xls or an .xlsx workbook, a
// CSV or a JSON list.
enum class OutputFormat { Txt, Html, Xls, Xlsx, Csv, Json };

struct CliOptions {
  std::string folder;  // empty: the current folder
  std::string mask_line = "*.mp3; *.wav";
  bool recursive = false;
  ScanOrder order = ScanOrder::Sorted;
  std::optional<std::string> output;
  OutputFormat output_format = OutputFormat::Txt;
  std::optional<TextEncoding> encoding;  // default: Windows-1251 in a file, UTF-8 on stdout
  Columns columns;                       // empty: names only
  TagEncoding tag_encoding = TagEncoding::Auto;
  FormatOptions format;      // the start text is known to be a number once parsed
  bool show_errors = false;  // name every subfolder the walk could not read, on stderr
  bool in_place = false;     // a text list may go into FILE itself when no safe copy of it fits
  bool help = false;
  bool version = false;
};

struct ParseResult {
  CliOptions options;
  std::string error;  // non-empty: a usage error
};

ParseResult ParseCliArgs(const std::vector<std::string>& args);

std::string UsageText();

}  // namespace brixel::cli
