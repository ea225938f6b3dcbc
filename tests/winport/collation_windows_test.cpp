// Sort keys must order names exactly as CompareStringEx does with the same locale and flags.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/platform/collation.h"
#include "core/platform/windows/wide_text.h"

namespace brixel {
namespace {

int Sign(int v) {
  return (v > 0) - (v < 0);
}

TEST(WindowsCollation, KeysOrderAsCompareStringEx) {
  std::vector<std::string> names{
      "",           "a",    "A",    "ab",      "a-b",      "Alpha", "file1.txt", "File1.txt", "file2.txt",
      "file10.txt", "x02",  "x2",   "zeta",    "еж",       "ёж",    "жж",        "файл3",     "Файл20",
      "日本",       "café", "cafe", "track 2", "track 10", "00",    "0",         "-1"};
  // Past any buffer kept for names of the usual length.
  names.push_back(std::string(700, 'n'));
  names.push_back(std::string(700, 'n') + "1");
  names.push_back(std::string(233, 'n') + "ё" + std::string(466, 'n'));
  for (const char* locale : {"ru_RU", "en_US", ""}) {
    const Collator collator(locale);
    const std::wstring windows_locale = locale[0] == '\0' ? L"" : (locale[0] == 'r' ? L"ru-RU" : L"en-US");
    for (const auto& a : names) {
      for (const auto& b : names) {
        std::string key_a, key_b;
        collator.AppendSortKey(a, key_a);
        collator.AppendSortKey(b, key_b);
        const std::wstring wa = platform::Utf8ToWide(a), wb = platform::Utf8ToWide(b);
        const int system = ::CompareStringEx(windows_locale.c_str(), SORT_DIGITSASNUMBERS, wa.c_str(), -1,
                                             wb.c_str(), -1, nullptr, nullptr, 0);
        ASSERT_NE(system, 0);
        EXPECT_EQ(Sign(key_a.compare(key_b)), system - CSTR_EQUAL) << locale << ": " << a << " / " << b;
      }
    }
  }
}

}  // namespace
}  // namespace brixel
