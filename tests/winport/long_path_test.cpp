#include "core/platform/windows/long_path.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace brixel::platform {
namespace {

TEST(LongPath, DrivePathsAreNormalisedAndPrefixed) {
  EXPECT_EQ(LongPath("C:/music/old/../new"), L"\\\\?\\C:\\music\\new");
  EXPECT_EQ(LongPath("C:\\"), L"\\\\?\\C:\\");
  EXPECT_EQ(LongPath("D:\\Песни"), L"\\\\?\\D:\\\u041F\u0435\u0441\u043D\u0438");
}

TEST(LongPath, RelativePathsResolveAgainstTheCurrentFolder) {
  wchar_t current[MAX_PATH];
  ASSERT_GT(::GetCurrentDirectoryW(MAX_PATH, current), 0u);
  std::wstring expected = L"\\\\?\\" + std::wstring(current);
  if (expected.back() != L'\\') expected += L'\\';
  EXPECT_EQ(LongPath("sub"), expected + L"sub");
}

TEST(LongPath, UncAndLiteralPaths) {
  EXPECT_EQ(LongPath("\\\\server\\share\\list"), L"\\\\?\\UNC\\server\\share\\list");
  EXPECT_EQ(LongPath("\\\\?\\C:\\a\\..\\b"), L"\\\\?\\C:\\a\\..\\b");  // already literal: untouched
  EXPECT_EQ(LongPath(""), L"");
}

TEST(LongPath, JoinAddsNoSecondSeparatorAtARoot) {
  EXPECT_EQ(JoinPath(L"\\\\?\\C:\\", L"*"), L"\\\\?\\C:\\*");
  EXPECT_EQ(JoinPath(L"\\\\?\\C:\\music", L"*"), L"\\\\?\\C:\\music\\*");
}

}  // namespace
}  // namespace brixel::platform
