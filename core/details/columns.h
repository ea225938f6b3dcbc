#pragma once
// The columns a list can hold beside each file's name, in the order the user chose them. `name`
// is the name as formatted; `folder` is where the file is, relative to the chosen folder; the
// others are read from the file (detail_reader.h). No columns chosen means names only, and every
// list is then exactly what it is without this floor.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brixel {

enum class Column : std::uint8_t {
  Name,
  Folder,
  Size,
  Modified,
  Duration,
  Artist,
  Title,
  Album,
  Track,
  Year
};

inline constexpr std::array<Column, 10> kAllColumns{
    Column::Name,   Column::Folder, Column::Size,  Column::Modified, Column::Duration,
    Column::Artist, Column::Title,  Column::Album, Column::Track,    Column::Year};

using Columns = std::vector<Column>;

// The column's name on the command line and in the header of a CSV or JSON list: "name",
// "folder", "size", "modified", "duration", "artist", "title", "album", "track", "year".
std::string_view ColumnName(Column column);

// Read from the file's audio stream and tags: duration, artist, title, album, track, year.
bool IsAudioColumn(Column column);
// Read from the folder entry, without opening the file: size, modified.
bool IsEntryColumn(Column column);

// Parses a comma-separated list such as "folder,size,name" into `out`: the columns in the order
// given, names in any ASCII letter case, blanks around them ignored. `name` may be left out and
// then comes first. Returns "" when done, else a usage error naming the fault (an empty list or
// item, an unknown name, a name given twice), `out` then untouched.
std::string ParseColumns(std::string_view list, Columns& out);

// Names only: no column chosen, or `name` alone.
bool IsNamesOnly(const Columns& columns);

}  // namespace brixel
