#include "tests/support/workbook_check.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace brixel::test {

namespace {

const char* kPython = "/usr/bin/python3";

void AppendJsonString(const std::string& text, std::string& out) {
  out += '"';
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (b < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", b);
      out += escaped;
    } else {
      out += c;
    }
  }
  out += '"';
}

std::string ScriptPath() {
  return BRIXEL_WORKBOOK_CHECKER;
}

std::string Quoted(const std::string& s) {
  return "'" + s + "'";
}

}  // namespace

bool ReaderAvailable(const std::string& reader) {
  std::string cmd;
  if (reader == "gnumeric")
    cmd = "command -v ssconvert >/dev/null 2>&1";
  else if (reader == "libreoffice")
    cmd =
        "command -v soffice >/dev/null 2>&1 && " + std::string(kPython) + " -c 'import uno' >/dev/null 2>&1";
  else
    cmd = std::string(kPython) + " -c 'import " + reader + "' >/dev/null 2>&1";
  return std::system(cmd.c_str()) == 0;
}

ReaderVerdict CheckWorkbook(const std::string& reader, const std::string& workbook,
                            const std::vector<std::string>& expected, const ListLayout& layout) {
  return CheckWorkbooks(reader, {{workbook, expected, layout}});
}

ReaderVerdict CheckWorkbooks(const std::string& reader, const std::vector<SavedWorkbook>& workbooks) {
  std::string cmd = std::string(kPython) + " " + Quoted(ScriptPath()) + " " + reader;
  std::vector<std::string> json_paths;
  for (const SavedWorkbook& workbook : workbooks) {
    const std::string json_path = workbook.path + ".expected.json";
    std::string json = "{\"edition\": ";
    if (!workbook.table_expected.empty()) {
      json += "\"table\", \"table\": ";
      AppendJsonString(workbook.table_expected, json);
    } else {
      json += workbook.html_page ? "\"page\"" : workbook.layout.first_row == 1 ? "\"full\"" : "\"lite\"";
      json += ", \"names\": [";
      for (std::size_t i = 0; i < workbook.expected.size(); ++i) {
        if (i > 0) json += ",\n";
        AppendJsonString(workbook.expected[i], json);
      }
      json += "]";
    }
    json += "}\n";
    std::ofstream(json_path, std::ios::binary) << json;
    json_paths.push_back(json_path);
    cmd.append(" ").append(Quoted(workbook.path)).append(" ").append(Quoted(json_path));
  }
  cmd += " 2>&1";
  ReaderVerdict verdict{false, ""};
  FILE* pipe = popen(cmd.c_str(), "r");
  if (pipe == nullptr) return {false, "cannot run " + cmd};
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) verdict.output.append(buffer, n);
  verdict.ok = pclose(pipe) == 0;
  for (const std::string& json_path : json_paths) std::remove(json_path.c_str());
  return verdict;
}

ProcessLocale::ProcessLocale(const char* name) {
  const char* current = std::setlocale(LC_ALL, nullptr);
  previous_ = current != nullptr ? current : "C";
  installed_ = std::setlocale(LC_ALL, name) != nullptr;
}

ProcessLocale::~ProcessLocale() {
  std::setlocale(LC_ALL, previous_.c_str());
}

}  // namespace brixel::test
