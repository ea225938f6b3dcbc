#pragma once
// Where the scan puts each matching name: the preview list, the found-files table, a save
// output, standard output. The scan knows nothing else about it.
#include <string_view>

#include "core/listing/name_column.h"

namespace brixel {

class ListTarget {
 public:
  virtual ~ListTarget() = default;
  // One matching file's bare name (no folder part), exactly as the system reported it.
  virtual void Append(std::string_view name) = 0;
  // A whole sorted listing at once. A target that keeps a column may take it over instead of
  // copying it name by name.
  virtual void AppendAll(NameColumn&& names) {
    for (std::size_t i = 0; i < names.Size(); ++i) Append(names[i]);
  }
};

// A target that keeps the names in a column, in the order they come.
class ColumnTarget : public ListTarget {
 public:
  explicit ColumnTarget(NameColumn& column) : column_(column) {}
  void Append(std::string_view name) override { column_.Append(name); }
  void AppendAll(NameColumn&& names) override { column_.AppendColumn(std::move(names)); }

 private:
  NameColumn& column_;
};

}  // namespace brixel
