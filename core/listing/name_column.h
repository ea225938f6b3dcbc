#pragma once
// A column of names in one contiguous buffer: a million names cost their bytes plus eight bytes
// each, and reading one is a pointer and a length.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/listing/grown_array.h"

namespace brixel {

class NameColumn {
 public:
  std::size_t Size() const { return ends_.size(); }
  bool Empty() const { return ends_.empty(); }

  std::string_view operator[](std::size_t row) const {
    const std::uint64_t begin = row == 0 ? 0 : ends_[row - 1];
    return {bytes_.data() + begin, static_cast<std::size_t>(ends_[row] - begin)};
  }

  void Append(std::string_view name) {
    bytes_.Append(name.data(), name.size());
    ends_.push_back(bytes_.size());
  }

  void Clear() {
    bytes_.clear();
    ends_.clear();
  }

  void Reserve(std::size_t rows, std::size_t bytes) {
    ends_.reserve(rows);
    bytes_.reserve(bytes);
  }

  std::size_t ByteSize() const { return bytes_.size(); }

  // The names of rows first to end - 1, back to back, as they lie in the buffer.
  std::string_view Bytes(std::size_t first, std::size_t end) const {
    const std::uint64_t begin = first == 0 ? 0 : ends_[first - 1];
    const std::uint64_t stop = end == 0 ? 0 : ends_[end - 1];
    return {bytes_.data() + begin, static_cast<std::size_t>(stop - begin)};
  }

  // Rebuilds the column in the order given: row i of the result is row order[i] of this one.
  void Permute(const std::vector<std::uint32_t>& order);

  // Appends every name of other, taking its buffers over when this column is empty.
  void AppendColumn(NameColumn&& other);

  void Swap(NameColumn& other) noexcept {
    bytes_.Swap(other.bytes_);
    ends_.Swap(other.ends_);
  }

 private:
  GrownArray<char> bytes_;
  GrownArray<std::uint64_t> ends_;
};

}  // namespace brixel
