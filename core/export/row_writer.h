#pragma once
// A list writer that takes rows: each file's fields in the order of the columns the writer was
// opened with (detail_row.h). It is a ListWriter too: Add(name) adds a row of the name alone, for
// a names-only list, whose one column is `name`. As with every writer, a file is replaced only in
// Finish, complete; a writer dropped unfinished (a stop, a failure) leaves the target as it was
// and no temporary file.
#include <string_view>
#include <vector>

#include "core/details/columns.h"
#include "core/details/detail_row.h"
#include "core/export/list_writer.h"

namespace brixel {

class RowWriter : public ListWriter {
 public:
  // The fields of one row, as many and in the order of the writer's columns. Throws SaveError.
  virtual void AddRow(Row row) = 0;

  void Add(std::string_view name) final {
    const Field field{Column::Name, name};
    AddRow(Row(&field, 1));
  }
};

// The columns as they stand in a header: no columns at all means the names-only list's one.
inline Columns HeaderColumns(const Columns& columns) {
  return columns.empty() ? Columns{Column::Name} : columns;
}

}  // namespace brixel
