#include "core/platform/windows/wide_text.h"

#include <gtest/gtest.h>

namespace brixel::platform {
namespace {

TEST(WideText, CharactersRoundTripAcrossAllPlanes) {
  const std::wstring wide = L"a\u0436\u00DF\U0001F3B5";
  EXPECT_EQ(WideToUtf8(wide), "aжß\xF0\x9F\x8E\xB5");
  EXPECT_EQ(Utf8ToWide(WideToUtf8(wide)), wide);
}

TEST(WideText, UnpairedSurrogatesSurviveTheRoundTrip) {
  // Names NTFS allows: each must name the same file again after passing through UTF-8.
  for (const std::wstring& wide : {std::wstring(L"x\xD800y"), std::wstring(L"\xDC00"),
                                   std::wstring(L"end\xDBFF"), std::wstring(L"\xDC00\xD800")}) {
    const std::string utf8 = WideToUtf8(wide);
    EXPECT_EQ(Utf8ToWide(utf8), wide);
  }
  EXPECT_EQ(WideToUtf8(L"x\xD800y"), "x\xED\xA0\x80y");
}

TEST(WideText, OtherInvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(Utf8ToWide("a\xFF"
                       "b"),
            L"a\xFFFD"
            "b");
  EXPECT_EQ(Utf8ToWide("\xE2\x82"), L"\xFFFD\xFFFD");  // a cut sequence, byte by byte
  EXPECT_EQ(Utf8ToWide(""), L"");
}

}  // namespace
}  // namespace brixel::platform
