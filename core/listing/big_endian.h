#pragma once
// Eight bytes of a sort key read as one number whose order is the bytes' order (the first byte
// the most significant), so the sort and the merge compare eight key bytes at a time. Written as
// plain shifts, which the compiler turns into one load and one byte swap.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace brixel {

// The eight bytes at p.
inline std::uint64_t BigEndian64(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return (std::uint64_t{b[0]} << 56) | (std::uint64_t{b[1]} << 48) | (std::uint64_t{b[2]} << 40) |
         (std::uint64_t{b[3]} << 32) | (std::uint64_t{b[4]} << 24) | (std::uint64_t{b[5]} << 16) |
         (std::uint64_t{b[6]} << 8) | std::uint64_t{b[7]};
}

// The eight bytes of key from `at`, zero bytes standing in past its end.
inline std::uint64_t BigEndian64At(std::string_view key, std::size_t at) {
  if (at + 8 <= key.size()) return BigEndian64(key.data() + at);
  std::uint64_t v = 0;
  for (std::size_t i = at; i < at + 8; ++i)
    v = (v << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
  return v;
}

}  // namespace brixel
