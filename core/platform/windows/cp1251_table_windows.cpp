#include <windows.h>

#include "core/platform/cp1251_table.h"

namespace brixel {

const std::array<char32_t, 128>& Cp1251UpperHalf() {
  // Built once from the system's own code page 1251; what the encoder cannot find in the table
  // becomes "?", so no best-fit mapping ever applies.
  static const std::array<char32_t, 128> table = [] {
    std::array<char32_t, 128> t{};
    for (unsigned i = 0; i < 128; ++i) {
      const char byte = static_cast<char>(0x80 + i);
      wchar_t u[2];
      const int n = ::MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, &byte, 1, u, 2);
      // Windows maps the one unassigned byte, 0x98, to a C1 control: no character.
      if (n == 1 && u[0] != 0xFFFD && !(u[0] >= 0x80 && u[0] <= 0x9F)) t[i] = u[0];
    }
    return t;
  }();
  return table;
}

}  // namespace brixel
