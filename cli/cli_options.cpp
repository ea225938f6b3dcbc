#include "cli/cli_options.h"

#include <charconv>
#include <functional>
#include <map>

#include "core/format/start_number.h"

namespace brixel::cli {

namespace {

// An option that takes a value: its parser returns an error text or "".
using ValueParser = std::function<std::string(CliOptions&, const std::string&)>;
// An option without a value.
using FlagParser = std::function<std::string(CliOptions&)>;

// The case options exclude each other, as the case switches do; repeating the same one is harmless.
std::string SetLetterCase(CliOptions& o, LetterCase wanted) {
  if (o.format.letter_case != LetterCase::None && o.format.letter_case != wanted)
    return "--upper, --lower and --first-capital exclude each other";
  o.format.letter_case = wanted;
  return {};
}

std::string SetDigits(CliOptions& o, const std::string& v) {
  int digits = 0;
  const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), digits);
  if (ec != std::errc() || end != v.data() + v.size() || digits < kMinDigits || digits > kMaxDigits)
    return "--digits takes a digit count from 1 to 5, not '" + v + "'";
  o.format.digits = digits;
  return {};
}

// Checked even without --number: nobody sees a marked box here, so a typo must not pass unnoticed.
std::string SetStart(CliOptions& o, const std::string& v) {
  if (!ParseStartNumber(v)) return "--start takes a number in the locale's number format, not '" + v + "'";
  o.format.start_text = v;
  return {};
}

// The option tables keep one option to a line, each with what it sets, as --help lists them.
// clang-format off
const std::map<std::string, ValueParser>& ValueOptions() {
  static const std::map<std::string, ValueParser> options{
      {"--mask", [](CliOptions& o, const std::string& v) { o.mask_line = v; return std::string(); }},
      {"--output",
       [](CliOptions& o, const std::string& v) {
         if (v.empty()) return std::string("--output needs a file name");
         o.output = v;
         return std::string();
       }},
      {"--order",
       [](CliOptions& o, const std::string& v) {
         if (v == "sorted") o.order = ScanOrder::Sorted;
         else if (v == "scan") o.order = ScanOrder::AsFound;
         else if (v == "folder") o.order = ScanOrder::ByFolder;
         else return "--order takes sorted, scan or folder, not '" + v + "'";
         return std::string();
       }},
      {"--encoding",
       [](CliOptions& o, const std::string& v) {
         if (v == "cp1251") o.encoding = TextEncoding::Cp1251;
         else if (v == "utf-8" || v == "utf8") o.encoding = TextEncoding::Utf8;
         else return "--encoding takes cp1251 or utf-8, not '" + v + "'";
         return std::string();
       }},
      {"--format",
       [](CliOptions& o, const std::string& v) {
         if (v == "txt") o.output_format = OutputFormat::Txt;
         else if (v == "html") o.output_format = OutputFormat::Html;
         else if (v == "xls") o.output_format = OutputFormat::Xls;
         else if (v == "xlsx") o.output_format = OutputFormat::Xlsx;
         else if (v == "csv") o.output_format = OutputFormat::Csv;
         else if (v == "json") o.output_format = OutputFormat::Json;
         else return "--format takes txt, html, xls, xlsx, csv or json, not '" + v + "'";
         return std::string();
       }},
      {"--columns", [](CliOptions& o, const std::string& v) { return ParseColumns(v, o.columns); }},
      {"--tag-encoding", [](CliOptions& o, const std::string& v) { return ParseTagEncoding(v, o.tag_encoding); }},
      {"--digits", SetDigits},
      {"--start", SetStart},
  };
  return options;
}

const std::map<std::string, FlagParser>& FlagOptions() {
  static const std::map<std::string, FlagParser> options{
      {"--recursive", [](CliOptions& o) { o.recursive = true; return std::string(); }},
      {"--show-errors", [](CliOptions& o) { o.show_errors = true; return std::string(); }},
      {"--in-place", [](CliOptions& o) { o.in_place = true; return std::string(); }},
      {"--help", [](CliOptions& o) { o.help = true; return std::string(); }},
      {"--version", [](CliOptions& o) { o.version = true; return std::string(); }},
      {"--upper", [](CliOptions& o) { return SetLetterCase(o, LetterCase::Upper); }},
      {"--lower", [](CliOptions& o) { return SetLetterCase(o, LetterCase::Lower); }},
      {"--first-capital", [](CliOptions& o) { return SetLetterCase(o, LetterCase::FirstCapital); }},
      {"--underscores", [](CliOptions& o) { o.format.underscores = true; return std::string(); }},
      {"--no-ext", [](CliOptions& o) { o.format.remove_extension = true; return std::string(); }},
      {"--number", [](CliOptions& o) { o.format.numbering = true; return std::string(); }},
  };
  return options;
}

const std::map<std::string, std::string>& ShortNames() {
  static const std::map<std::string, std::string> names{
      {"-r", "--recursive"}, {"-m", "--mask"},   {"-o", "--output"},
      {"-f", "--format"},    {"-h", "--help"}, {"-n", "--number"}};
  return names;
}
// clang-format on

}  // namespace

ParseResult ParseCliArgs(const std::vector<std::string>& args) {
  ParseResult result;
  CliOptions& o = result.options;
  bool folder_given = false;
  bool options_done = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    const bool is_option = !options_done && arg.size() > 1 && arg[0] == '-';
    if (!is_option) {
      if (folder_given) {
        result.error = "only one folder may be given ('" + o.folder + "' and '" + arg + "')";
        return result;
      }
      o.folder = arg;
      folder_given = true;
      continue;
    }
    if (arg == "--") {
      options_done = true;
      continue;
    }
    std::optional<std::string> inline_value;
    if (arg.rfind("--", 0) == 0) {
      if (const auto eq = arg.find('='); eq != std::string::npos) {
        inline_value = arg.substr(eq + 1);
        arg.resize(eq);
      }
    } else if (const auto it = ShortNames().find(arg); it != ShortNames().end()) {
      arg = it->second;
    }
    if (const auto v = ValueOptions().find(arg); v != ValueOptions().end()) {
      std::string value;
      if (inline_value) {
        value = *inline_value;
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        result.error = arg + " needs a value";
        return result;
      }
      result.error = v->second(o, value);
      if (!result.error.empty()) return result;
    } else if (const auto f = FlagOptions().find(arg); f != FlagOptions().end() && !inline_value) {
      result.error = f->second(o);
      if (!result.error.empty()) return result;
    } else {
      result.error = "unknown option '" + args[i] + "'";
      return result;
    }
  }
  if (o.output_format != OutputFormat::Txt && !o.output && !o.help && !o.version)
    result.error = "--format html, xls, xlsx, csv and json need --output FILE";
  return result;
}

std::string UsageText() {
  return "Usage: brixel-list [OPTIONS] [FOLDER]\n"
         "Lists the files of FOLDER (default: the current folder) whose names match a mask line.\n"
         "\n"
         "  -m, --mask LINE        masks separated by ';', e.g. \"*.mp3; *.wav\" (the default)\n"
         "  -r, --recursive        search the subfolders too\n"
         "      --order sorted     the order of the found-files table (default)\n"
         "      --order scan       folder by folder, mask by mask, as found\n"
         "      --order folder     by folder (as names sort), then by name within each folder\n"
         "  -o, --output FILE      append the list to FILE as a text list (CR LF)\n"
         "  -f, --format FMT       what --output writes: txt (the default, appended), html (a page),\n"
         "                         xls or xlsx (a workbook, names from A2), csv (UTF-8, a header\n"
         "                         row) or json (an array of objects); all but txt replace FILE\n"
         "                         once complete\n"
         "      --columns LIST     the details of each file, comma-separated, in that order:\n"
         "                         name, folder, size, modified, duration, artist, title, album,\n"
         "                         track, year (name first when left out); tab-separated in a\n"
         "                         text list, a table in html, cells in xlsx; not in xls\n"
         "      --tag-encoding ENC how legacy Latin-1 tags read: auto (the default: Windows-1251\n"
         "                         when they look like it), latin1 or cp1251\n"
         "      --in-place         a text list that has no room on the disk for the copy a safe\n"
         "                         append writes goes into FILE itself (a crash could then leave\n"
         "                         part of the list); without it such a save is refused\n"
         "      --encoding ENC     cp1251 or utf-8 (default: cp1251 in a file, utf-8 on stdout);\n"
         "                         names that lose characters in cp1251 are counted on stderr\n"
         "      --show-errors      name on stderr each subfolder that could not be read (the\n"
         "                         walk goes on without it, and the exit status stays the same)\n"
         "\n"
         "Formatting (the names as found are only listed, never renamed):\n"
         "      --upper            all letters upper case\n"
         "      --lower            all letters lower case\n"
         "      --first-capital    first character upper case, the rest lower case\n"
         "      --underscores      every '_' becomes a space\n"
         "      --no-ext           remove the last extension (from the last '.' on)\n"
         "  -n, --number           number the names: the number, then a space, then the name\n"
         "      --digits D         pad numbers with zeros to D digits, 1 to 5 (default 1)\n"
         "      --start TEXT       the first number, in the locale's number format (default 1)\n"
         "  -h, --help             show this help\n"
         "      --version          show the version\n"
         "\n"
         "Exit status: 0 done, 1 the folder or the output could not be used, 2 bad usage.\n";
}

}  // namespace brixel::cli
