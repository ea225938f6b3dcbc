#include "core/export/unique_strings.h"

#include <functional>

namespace brixel {

UniqueStrings::Result UniqueStrings::FindOrAdd(std::string_view text) {
  if ((ends_.size() + 1) * 2 > slots_.size()) Grow();
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = std::hash<std::string_view>{}(text)&mask;; slot = (slot + 1) & mask) {
    const std::uint32_t index = slots_[slot];
    if (index == kEmptySlot) {
      bytes_.append(text);
      ends_.push_back(bytes_.size());
      slots_[slot] = Size() - 1;
      return {Size() - 1, true};
    }
    if ((*this)[index] == text) return {index, false};
  }
}

void UniqueStrings::Grow() {
  std::vector<std::uint32_t> slots(slots_.empty() ? 1024 : slots_.size() * 2, kEmptySlot);
  const std::size_t mask = slots.size() - 1;
  for (std::uint32_t index = 0; index < Size(); ++index) {
    std::size_t slot = std::hash<std::string_view>{}((*this)[index]) & mask;
    while (slots[slot] != kEmptySlot) slot = (slot + 1) & mask;
    slots[slot] = index;
  }
  slots_.swap(slots);
}

}  // namespace brixel
