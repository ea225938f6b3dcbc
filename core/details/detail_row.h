#pragma once
// A row of a list: one file's fields in the order of the chosen columns, each typed, so that
// every list format renders the same row its own way (a workbook writes a size as a number and a
// duration as a time cell, a CSV list the same values as text). A names-only list is rows of one
// `name` field. Fields only view the name and details they were made from.
#include <cstdint>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "core/details/columns.h"
#include "core/details/file_details.h"

namespace brixel {

struct ByteCount {
  std::uint64_t bytes = 0;
};
struct Duration {
  std::uint32_t seconds = 0;
};
struct Number {
  std::uint32_t value = 0;  // track, year
};

// monostate: a value the file did not give (an empty field).
using FieldValue = std::variant<std::monostate, std::string_view, ByteCount, LocalTime, Duration, Number>;

struct Field {
  Column column;
  FieldValue value;
};

using Row = std::span<const Field>;

// Fills `row` with the fields of `columns` in order: `name` (the name as formatted) for the name
// column, the rest from `details`.
void FillRow(const Columns& columns, std::string_view name, const FileDetails& details,
             std::vector<Field>& row);

}  // namespace brixel
