#include <unicode/ucnv.h>

#include "core/platform/cp1251_table.h"

namespace brixel {

const std::array<char32_t, 128>& Cp1251UpperHalf() {
  // Built once from ICU's own windows-1251 table: only round-trip mappings, no best fit.
  static const std::array<char32_t, 128> table = [] {
    std::array<char32_t, 128> t{};
    UErrorCode status = U_ZERO_ERROR;
    UConverter* cnv = ucnv_open("windows-1251", &status);
    if (U_FAILURE(status)) return t;
    ucnv_setToUCallBack(cnv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    for (unsigned i = 0; i < 128; ++i) {
      const char byte = static_cast<char>(0x80 + i);
      UChar u[4];
      status = U_ZERO_ERROR;
      ucnv_reset(cnv);
      const int32_t n = ucnv_toUChars(cnv, u, 4, &byte, 1, &status);
      // ICU maps the one unassigned byte, 0x98, to a C1 control: no character.
      if (U_SUCCESS(status) && n == 1 && u[0] != 0xFFFD && u[0] != 0x1A && !(u[0] >= 0x80 && u[0] <= 0x9F))
        t[i] = u[0];
    }
    ucnv_close(cnv);
    return t;
  }();
  return table;
}

}  // namespace brixel
