#include "core/platform/folder_path.h"

#include <gtest/gtest.h>

namespace brixel {
namespace {

// A path written POSIX-style, in the platform's form: on Windows "/" is the root of drive C: and
// every other "/" a backslash, so one set of cases checks both builds.
std::string P(std::string_view posix) {
#ifdef _WIN32
  std::string path;
  for (char c : posix) path += c == '/' ? '\\' : c;
  if (!path.empty() && path[0] == '\\') path.insert(0, "C:");
  return path;
#else
  return std::string(posix);
#endif
}

TEST(FolderPath, RootsKeepTheirSeparatorAndOthersLoseIt) {
  EXPECT_EQ(TidyFolderPath(P("/")), P("/"));
  EXPECT_EQ(TidyFolderPath(P("/music//")), P("/music"));
  EXPECT_EQ(JoinFolder(P("/"), "music"), P("/music"));
  EXPECT_EQ(JoinFolder(P("/music"), "rock"), P("/music/rock"));
#ifdef _WIN32
  EXPECT_EQ(TidyFolderPath("C:\\Music/"), "C:\\Music");  // "/" separates on Windows too
#endif
}

TEST(FolderPath, UnderMeansAtOrBelowAWholeFolder) {
  EXPECT_TRUE(FolderIsUnder(P("/music/rock"), P("/")));
  EXPECT_TRUE(FolderIsUnder(P("/music"), P("/music")));
  EXPECT_FALSE(FolderIsUnder(P("/musical"), P("/music")));
  EXPECT_EQ(FolderChain(P("/"), P("/music/rock")),
            (std::vector<std::string>{P("/"), P("/music"), P("/music/rock")}));
  EXPECT_EQ(FolderChain(P("/mnt/disk"), P("/mnt/disk")), std::vector<std::string>{P("/mnt/disk")});
}

}  // namespace
}  // namespace brixel
