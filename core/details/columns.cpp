#include "core/details/columns.h"

#include <algorithm>

namespace brixel {

namespace {

constexpr std::array<std::string_view, kAllColumns.size()> kNames{
    "name", "folder", "size", "modified", "duration", "artist", "title", "album", "track", "year"};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(x) == y;
  });
}

}  // namespace

std::string_view ColumnName(Column column) {
  return kNames[static_cast<std::size_t>(column)];
}

bool IsAudioColumn(Column column) {
  return column >= Column::Duration;
}

bool IsEntryColumn(Column column) {
  return column == Column::Size || column == Column::Modified;
}

std::string ParseColumns(std::string_view list, Columns& out) {
  if (Trim(list).empty()) return "--columns needs at least one column name";
  const std::string_view whole = list;
  Columns parsed;
  for (;;) {
    const std::size_t comma = list.find(',');
    const std::string_view item = Trim(list.substr(0, comma));
    if (item.empty()) return "--columns has an empty item in '" + std::string(whole) + "'";
    const auto known = std::find_if(kNames.begin(), kNames.end(),
                                    [&](std::string_view name) { return SameIgnoringAsciiCase(item, name); });
    if (known == kNames.end()) {
      std::string error = "unknown column '" + std::string(item) + "' (the columns are";
      for (const std::string_view name : kNames)
        error += (name == kNames.front() ? " " : ", ") + std::string(name);
      return error + ")";
    }
    const Column column = kAllColumns[static_cast<std::size_t>(known - kNames.begin())];
    if (std::find(parsed.begin(), parsed.end(), column) != parsed.end())
      return "column '" + std::string(ColumnName(column)) + "' is named twice";
    parsed.push_back(column);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  if (std::find(parsed.begin(), parsed.end(), Column::Name) == parsed.end())
    parsed.insert(parsed.begin(), Column::Name);
  out = std::move(parsed);
  return "";
}

bool IsNamesOnly(const Columns& columns) {
  return columns.empty() || (columns.size() == 1 && columns.front() == Column::Name);
}

}  // namespace brixel
