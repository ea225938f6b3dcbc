#pragma once
// The names users have, made deterministically: mixed-case extensions, Cyrillic, underscores,
// spaces, several dots, numbers.
#include <cstdint>
#include <string>

namespace brixel::bench {

class NameMix {
 public:
  explicit NameMix(std::uint64_t seed = 1) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  // The next file name (unique within one generator when `serial` differs).
  std::string Next(std::uint64_t serial);
  std::uint64_t Random();

 private:
  std::uint64_t state_;
};

}  // namespace brixel::bench
