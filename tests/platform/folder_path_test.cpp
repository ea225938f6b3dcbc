#include "core/platform/folder_path.h"

#include <gtest/gtest.h>

namespace brixel {
namespace {

#ifdef _WIN32
TEST(FolderPath, RootsKeepTheirSeparatorAndOthersLoseIt) {
  EXPECT_EQ(TidyFolderPath("C:\\"), "C:\\");
  EXPECT_EQ(TidyFolderPath("C:\\Music\\\\"), "C:\\Music");
  EXPECT_EQ(TidyFolderPath("C:\\Music/"), "C:\\Music");
  EXPECT_EQ(JoinFolder("C:\\", "Music"), "C:\\Music");
  EXPECT_EQ(JoinFolder("C:\\Music", "Rock"), "C:\\Music\\Rock");
}

TEST(FolderPath, UnderMeansAtOrBelowAWholeFolder) {
  EXPECT_TRUE(FolderIsUnder("C:\\Music\\Rock", "C:\\"));
  EXPECT_TRUE(FolderIsUnder("C:\\Music\\Rock", "C:\\Music"));
  EXPECT_FALSE(FolderIsUnder("C:\\Musical", "C:\\Music"));
  EXPECT_EQ(FolderChain("C:\\", "C:\\Music\\Rock"),
            (std::vector<std::string>{"C:\\", "C:\\Music", "C:\\Music\\Rock"}));
}
#else
TEST(FolderPath, RootsKeepTheirSeparatorAndOthersLoseIt) {
  EXPECT_EQ(TidyFolderPath("/"), "/");
  EXPECT_EQ(TidyFolderPath("/music//"), "/music");
  EXPECT_EQ(JoinFolder("/", "music"), "/music");
  EXPECT_EQ(JoinFolder("/music", "rock"), "/music/rock");
}

TEST(FolderPath, UnderMeansAtOrBelowAWholeFolder) {
  EXPECT_TRUE(FolderIsUnder("/music/rock", "/"));
  EXPECT_TRUE(FolderIsUnder("/music", "/music"));
  EXPECT_FALSE(FolderIsUnder("/musical", "/music"));
  EXPECT_EQ(FolderChain("/", "/music/rock"), (std::vector<std::string>{"/", "/music", "/music/rock"}));
  EXPECT_EQ(FolderChain("/mnt/disk", "/mnt/disk"), (std::vector<std::string>{"/mnt/disk"}));
}
#endif

}  // namespace
}  // namespace brixel
