// The generic Windows-1251 encoder, fed by the table the system gives, must agree with the system's
// own converter without best fit on every character of the Basic Multilingual Plane.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/text/cp1251.h"
#include "core/utf8/utf8.h"

namespace brixel {
namespace {

TEST(WindowsCp1251, SameBytesAsWideCharToMultiByteWithoutBestFit) {
  int compared = 0;
  for (char32_t cp = 0x20; cp <= 0xFFFF; ++cp) {
    if ((cp >= 0x7F && cp <= 0x9F) || (cp >= 0xD800 && cp <= 0xDFFF)) continue;  // controls become "?" here
    std::string utf8;
    AppendUtf8(cp, utf8);
    std::string ours;
    AppendCp1251(utf8, ours, Cp1251Mode::Text);
    const wchar_t wide = static_cast<wchar_t>(cp);
    char system[4] = {};
    const int n =
        ::WideCharToMultiByte(1251, WC_NO_BEST_FIT_CHARS, &wide, 1, system, sizeof system, "?", nullptr);
    ASSERT_EQ(n, 1) << std::hex << static_cast<unsigned>(cp);
    EXPECT_EQ(ours, std::string(system, 1)) << "U+" << std::hex << static_cast<unsigned>(cp);
    ++compared;
  }
  EXPECT_GT(compared, 60000);
}

}  // namespace
}  // namespace brixel
