#pragma once
// Rows a workbook keeps until it writes its cells: a sheet is written row by row across the
// blocks of columns, while the files arrive one after another down a block. Each field is its
// type and value in 16 bytes; texts lie in one buffer.
#include <cstdint>
#include <vector>

#include "core/details/detail_row.h"
#include "core/listing/name_column.h"

namespace brixel {

class StoredRows {
 public:
  void Add(Row row);
  std::size_t Size() const { return rows_; }
  // Field `field` of row `row`; a text views the store.
  FieldValue At(std::size_t row, std::size_t field) const;
  void Clear();

 private:
  struct Value {
    std::int64_t number;  // a text: its index among the texts
    std::int32_t offset;  // a moment's UTC offset
    std::uint8_t kind;    // the FieldValue's alternative
  };
  std::size_t fields_ = 0;
  std::size_t rows_ = 0;
  std::vector<Value> values_;
  NameColumn texts_;
};

}  // namespace brixel
