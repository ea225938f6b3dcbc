#pragma once
// Numbers distinct strings in the order they first appear, so a repeated name can point at the
// shared string already written. The strings live in one buffer and an open-addressing table of
// indexes finds them: a million names cost their bytes and about 20 bytes each.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brixel {

class UniqueStrings {
 public:
  struct Result {
    std::uint32_t index;
    bool added;
  };
  Result FindOrAdd(std::string_view text);
  std::uint32_t Size() const { return static_cast<std::uint32_t>(ends_.size()); }
  std::string_view operator[](std::uint32_t index) const {
    const std::uint64_t begin = index == 0 ? 0 : ends_[index - 1];
    return {bytes_.data() + begin, static_cast<std::size_t>(ends_[index] - begin)};
  }

 private:
  static constexpr std::uint32_t kEmptySlot = 0xFFFFFFFF;
  void Grow();

  std::string bytes_;
  std::vector<std::uint64_t> ends_;
  std::vector<std::uint32_t> slots_;
};

}  // namespace brixel
