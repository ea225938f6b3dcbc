#include "core/listing/name_column.h"

namespace brixel {

void NameColumn::Permute(const std::vector<std::uint32_t>& order) {
  NameColumn sorted;
  sorted.Reserve(order.size(), bytes_.size());
  for (std::uint32_t row : order) sorted.Append((*this)[row]);
  Swap(sorted);
}

void NameColumn::AppendColumn(NameColumn&& other) {
  if (Empty()) {
    Swap(other);
    return;
  }
  Reserve(Size() + other.Size(), ByteSize() + other.ByteSize());
  for (std::size_t i = 0; i < other.Size(); ++i) Append(other[i]);
}

}  // namespace brixel
