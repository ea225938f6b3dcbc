#pragma once
// Windows-1251 as the platform's own converter defines it, so the lists agree byte for byte with
// what the system would write.
#include <array>

namespace brixel {

// The code points of bytes 0x80..0xFF (0 where the byte is unassigned).
const std::array<char32_t, 128>& Cp1251UpperHalf();

}  // namespace brixel
