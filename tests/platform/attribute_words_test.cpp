#include "core/platform/attribute_words.h"

#include <gtest/gtest.h>

#include <set>

namespace brixel {
namespace {

TEST(Attributes, ListedFileWordsExactly) {
  const std::set<std::uint32_t> listed{1, 2, 3, 4, 6, 7, 32, 33, 34, 35, 36, 38, 39, 128, 288, 8224};
  for (std::uint32_t w = 0; w < 0x10000; ++w) EXPECT_EQ(IsListedFileAttributes(w), listed.count(w) == 1) << w;
  EXPECT_FALSE(IsListedFileAttributes(2080));  // archive + compressed
  EXPECT_FALSE(IsListedFileAttributes(5));
  EXPECT_FALSE(IsListedFileAttributes(37));
}

TEST(Attributes, WalkedFolderWordsExactly) {
  const std::set<std::uint32_t> walked{16, 17, 18, 19, 20, 21, 22, 48, 49, 2066, 2071, 8208};
  for (std::uint32_t w = 0; w < 0x10000; ++w)
    EXPECT_EQ(IsWalkedFolderAttributes(w), walked.count(w) == 1) << w;
  EXPECT_FALSE(IsWalkedFolderAttributes(23));
  EXPECT_FALSE(IsWalkedFolderAttributes(2064));
  EXPECT_FALSE(IsWalkedFolderAttributes(16 | 1024));  // a junction
}

}  // namespace
}  // namespace brixel
