#include "core/details/detail_row.h"

namespace brixel {

namespace {

FieldValue Text(const std::string& text) {
  if (text.empty()) return std::monostate{};
  return std::string_view(text);
}

template <typename Wrapped, typename T>
FieldValue Optional(const std::optional<T>& value) {
  if (!value) return std::monostate{};
  return Wrapped{*value};
}

FieldValue ValueOf(Column column, std::string_view name, const FileDetails& d) {
  switch (column) {
    case Column::Name:
      return name;
    case Column::Folder:
      return std::string_view(d.folder);
    case Column::Size:
      return Optional<ByteCount>(d.size);
    case Column::Modified:
      return d.modified ? FieldValue(*d.modified) : FieldValue();
    case Column::Duration:
      return Optional<Duration>(d.audio.duration);
    case Column::Artist:
      return Text(d.audio.artist);
    case Column::Title:
      return Text(d.audio.title);
    case Column::Album:
      return Text(d.audio.album);
    case Column::Track:
      return Optional<Number>(d.audio.track);
    case Column::Year:
      return Optional<Number>(d.audio.year);
  }
  return std::monostate{};
}

}  // namespace

void FillRow(const Columns& columns, std::string_view name, const FileDetails& details,
             std::vector<Field>& row) {
  row.clear();
  for (const Column column : columns) row.push_back({column, ValueOf(column, name, details)});
}

}  // namespace brixel
