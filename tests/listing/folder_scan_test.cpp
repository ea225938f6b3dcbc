#include "core/listing/folder_scan.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <set>
#include <stop_token>

#include "core/platform/file_path.h"
#include "core/platform/folder_path.h"
#include "tests/listing/scan_names.h"
#include "tests/support/temp_tree.h"
#include "tests/support/wine.h"

namespace brixel {
namespace {

using test::Names;

Names Scan(const std::string& folder, std::string_view line, bool tree, ScanReport* report = nullptr) {
  return test::ScanNames(folder, line, tree, report);
}

Names Sorted(Names n) {
  std::sort(n.begin(), n.end());
  return n;
}

// The order in which the system reports a folder's entries, filtered by a predicate.
template <typename Pred>
Names SystemOrder(const std::filesystem::path& folder, Pred keep) {
  Names out;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    const std::string name = PathToUtf8(e.path().filename());
    if (keep(e, name)) out.push_back(name);
  }
  return out;
}

TEST(FolderScan, OneFolderMaskByMaskInSystemOrder) {
  test::TempTree t;
  t.Files({"b.wav", "a.mp3", "c.MP3", "d.txt", "e.WAV", "f.mp3"});
  t.Folder("sub.mp3");
  t.File("sub.mp3/deep.mp3");
  const Names found = Scan(t.Path(), "*.mp3; *.wav", false);
  auto ends = [](const std::string& n, std::string_view e) {
    return n.size() >= 4 &&
           std::equal(e.begin(), e.end(), n.end() - 4, [](char a, char b) { return a == std::tolower(b); });
  };
  Names expected =
      SystemOrder(t.Root(), [&](auto& e, auto& n) { return e.is_regular_file() && ends(n, ".mp3"); });
  const Names wavs =
      SystemOrder(t.Root(), [&](auto& e, auto& n) { return e.is_regular_file() && ends(n, ".wav"); });
  expected.insert(expected.end(), wavs.begin(), wavs.end());
  EXPECT_EQ(found, expected);
}

TEST(FolderScan, AMaskNamedTwiceListsItsFilesTwice) {
  test::TempTree t;
  t.Files({"a.mp3", "b.mp3"});
  EXPECT_EQ(Sorted(Scan(t.Path(), "*.mp3;*.MP3", false)), (Names{"a.mp3", "a.mp3", "b.mp3", "b.mp3"}));
  EXPECT_EQ(Scan(t.Path(), " ; ;", false), Names{});
}

TEST(FolderScan, StarListsEveryFileButNoFolder) {
  test::TempTree t;
  t.Files({"README", "a.b.c", ".hidden"});
  t.Folder("folder");
  EXPECT_EQ(Sorted(Scan(t.Path(), "*", false)), (Names{".hidden", "README", "a.b.c"}));
}

TEST(FolderScan, TrailingSeparatorNamesTheSameFolder) {
  test::TempTree t;
  t.Files({"a.mp3"});
  EXPECT_EQ(Scan(t.Path() + "/", "*.mp3", false), Names{"a.mp3"});
}

TEST(FolderScan, TreeIsDepthFirstWithBareNames) {
  test::TempTree t;
  t.Files({"top.mp3", "x/x1.mp3", "x/deep/xd.mp3", "y/y1.mp3", "y/same.mp3", "x/same.mp3"});
  const Names found = Scan(t.Path(), "*.mp3", true);
  ASSERT_EQ(found.size(), 6u);
  EXPECT_EQ(found[0], "top.mp3");  // a folder's own files before its subfolders
  for (const auto& n : found) EXPECT_EQ(n.find('/'), std::string::npos);
  EXPECT_EQ(std::count(found.begin(), found.end(), "same.mp3"), 2);
  // Each subtree is contiguous, subfolders in the order the system reports them.
  const Names subs = SystemOrder(t.Root(), [](auto& e, auto&) { return e.is_directory(); });
  const auto pos = [&](const std::string& n) {
    return std::find(found.begin(), found.end(), n) - found.begin();
  };
  if (subs.front() == "x") {
    EXPECT_LT(pos("xd.mp3"), pos("y1.mp3"));
    EXPECT_LT(pos("x1.mp3"), pos("xd.mp3"));
  } else {
    EXPECT_LT(pos("y1.mp3"), pos("x1.mp3"));
    EXPECT_LT(pos("x1.mp3"), pos("xd.mp3"));
  }
}

TEST(FolderScan, OneFolderNeverShowsSubfolderFiles) {
  test::TempTree t;
  t.Files({"a.mp3", "sub/b.mp3"});
  EXPECT_EQ(Scan(t.Path(), "*.mp3", false), Names{"a.mp3"});
}

TEST(FolderScan, SymbolicLinksAreNeitherListedNorFollowed) {
  if (test::RunningUnderWine()) GTEST_SKIP() << "wine reports symbolic links as made but makes none";
  test::TempTree t;
  t.Files({"real/a.mp3", "b.mp3"});
  try {
    std::filesystem::create_symlink("b.mp3", t.Root() / "link.mp3");
    std::filesystem::create_directory_symlink("real", t.Root() / "linkdir");
    std::filesystem::create_directory_symlink("..", t.Root() / "real" / "loop");
    std::filesystem::create_symlink("missing", t.Root() / "dangling.mp3");
  } catch (const std::filesystem::filesystem_error& e) {
    GTEST_SKIP() << "this account may not create symbolic links: " << e.what();  // Windows without the right
  }
  EXPECT_EQ(Sorted(Scan(t.Path(), "*.mp3", true)), (Names{"a.mp3", "b.mp3"}));
}

TEST(FolderScan, SpecialFilesAreNotListed) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows folders hold no FIFOs";
#else
  test::TempTree t;
  t.Files({"a.mp3"});
  ASSERT_EQ(::mkfifo((t.Path() + "/pipe.mp3").c_str(), 0600), 0);
  EXPECT_EQ(Scan(t.Path(), "*.mp3", false), Names{"a.mp3"});
#endif
}

TEST(FolderScan, MissingFolderReportsAndListsNothing) {
  test::TempTree t;
  ScanReport r;
  EXPECT_TRUE(Scan(t.Path("nope"), "*", false, &r).empty());
  EXPECT_TRUE(r.folder_error);
  EXPECT_TRUE(Scan(t.Path("nope"), "*", true, &r).empty());
  EXPECT_TRUE(r.folder_error);
}

#ifndef _WIN32
// Runs a tree scan as an unprivileged user when the tests run as root (as CI does), since root
// reads every folder whatever its permissions. The child reports the names and the skip count.
Names ScanWithoutPrivileges(const std::string& folder, std::string_view line, ScanReport& report) {
  if (!test::RunningAsRoot()) return Scan(folder, line, true, &report);
  int pipe_fds[2];
  if (::pipe(pipe_fds) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe_fds[0]);
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);  // nobody
    ScanReport r;
    const Names names = Scan(folder, line, true, &r);
    std::string out = std::to_string(r.skipped.size()) + "\n" + std::to_string(r.folder_error.value()) + "\n";
    for (const auto& s : r.skipped) out += s.path + "\n" + std::to_string(s.error.value()) + "\n";
    for (const auto& n : names) out += n + "\n";
    const bool ok = ::write(pipe_fds[1], out.data(), out.size()) == static_cast<ssize_t>(out.size());
    ::_exit(ok ? 0 : 3);
  }
  ::close(pipe_fds[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0;)
    text.append(buffer, static_cast<std::size_t>(n));
  ::close(pipe_fds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the unprivileged scan did not run";
  Names lines;
  for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  if (lines.size() < 2) return {};
  report.skipped.resize(std::stoul(lines[0]));
  report.folder_error = {std::stoi(lines[1]), std::generic_category()};
  std::size_t at = 2;
  for (auto& s : report.skipped) {
    if (at + 1 >= lines.size()) return {};
    s = {lines[at], {std::stoi(lines[at + 1]), std::generic_category()}};
    at += 2;
  }
  return Names(lines.begin() + static_cast<std::ptrdiff_t>(at), lines.end());
}
#endif

TEST(FolderScan, UnreadableSubfolderIsSkippedAndTheWalkGoesOn) {
#ifdef _WIN32
  GTEST_SKIP()
      << "permission bits cannot lock a folder on Windows (only access lists can, and wine ignores them)";
#else
  test::TempTree t;
  t.Files({"a/locked/x.mp3", "a/open.mp3", "b/y.mp3", "z.mp3"});
  std::filesystem::permissions(t.Root() / "a" / "locked", std::filesystem::perms::none);
  ScanReport r;
  EXPECT_EQ(Sorted(ScanWithoutPrivileges(t.Path(), "*.mp3", r)), (Names{"open.mp3", "y.mp3", "z.mp3"}));
  ASSERT_EQ(r.skipped.size(), 1u);
  EXPECT_EQ(r.skipped[0].path, t.Path("a/locked"));
  EXPECT_EQ(r.skipped[0].error, std::errc::permission_denied);
  EXPECT_FALSE(r.folder_error);
#endif
}

// A stop asked for while the walk runs ends it at the next folder; a sorted scan then hands on
// nothing, so no caller mistakes a part for the whole list.
TEST(FolderScan, StopEndsTheWalkAndASortedScanHandsOnNothing) {
  test::TempTree t;
  t.Files({"top.mp3", "a/1.mp3", "b/2.mp3", "c/3.mp3"});
  std::stop_source stop;
  struct StopAtFirst : ListTarget {
    std::stop_source& stop;
    Names names;
    explicit StopAtFirst(std::stop_source& s) : stop(s) {}
    void Append(std::string_view name) override {
      names.emplace_back(name);
      stop.request_stop();
    }
  } target(stop);
  ScanReport r = Scan({t.Path(), "*.mp3", true}, target, {stop.get_token()});
  EXPECT_TRUE(r.stopped);
  EXPECT_EQ(target.names, Names{"top.mp3"});

  target.names.clear();
  r = Scan({t.Path(), "*.mp3", true, ScanOrder::Sorted}, target, {stop.get_token()});
  EXPECT_TRUE(r.stopped);
  EXPECT_TRUE(target.names.empty());
}

TEST(FolderScan, ProgressNamesEachFolderBeforeItIsRead) {
  test::TempTree t;
  t.Files({"1.mp3", "a/2.mp3", "a/b/3.mp3"});
  struct Seen : ProgressSink {
    Names paths;
    std::vector<std::size_t> found;
    void ReadingFolder(std::string_view path, std::size_t, std::size_t names_found) override {
      paths.emplace_back(path);
      found.push_back(names_found);
    }
  } seen;
  test::CollectNames collect;
  Scan({t.Path(), "*.mp3", true}, collect, {{}, &seen});
  EXPECT_EQ(seen.paths,
            (Names{t.Path(), JoinFolder(t.Path(), "a"), JoinFolder(JoinFolder(t.Path(), "a"), "b")}));
  EXPECT_EQ(seen.found, (std::vector<std::size_t>{0, 1, 2}));
}

TEST(FolderScan, NamesThatAreNotUtf8AreKept) {
#ifdef _WIN32
  GTEST_SKIP()
      << "Windows names are UTF-16 and never hold such bytes; the Windows tests cover lone surrogates";
#endif
  test::TempTree t;
  t.Files({"\xFF\xFE.mp3", "песня.mp3", "Ёж.MP3"});
  EXPECT_EQ(Sorted(Scan(t.Path(), "*.mp3", false)), Sorted({"\xFF\xFE.mp3", "песня.mp3", "Ёж.MP3"}));
}

TEST(FolderScan, DriveRootListsBareNames) {
  ScanReport r;
  for (const auto& n : Scan("/", "*", false, &r)) EXPECT_EQ(n.find('/'), std::string::npos);
  EXPECT_FALSE(r.folder_error);
}

#ifndef _WIN32
// A chain of folders far deeper than PATH_MAX and than the number of folders the walk keeps
// open, built and removed with *at() calls since no path can name its bottom.
class DeepChain {
 public:
  // With side_branches, every level also holds a folder "s" with one file, which the system may
  // report before or after the chain's next level.
  DeepChain(const std::string& root, int depth, const std::string& segment, bool side_branches = false)
      : root_(root), segment_(segment), side_branches_(side_branches) {
    int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < depth; ++i) {
      ::mkdirat(fd, segment.c_str(), 0700);
      const int next = ::openat(fd, segment.c_str(), O_RDONLY | O_DIRECTORY);
      ::close(fd);
      fd = next;
      if (i % 50 == 0)
        ::close(::openat(fd, ("level" + std::to_string(i) + ".mp3").c_str(), O_CREAT | O_WRONLY, 0600));
      if (side_branches) {
        ::mkdirat(fd, "s", 0700);
        ::close(::openat(fd, ("s/side" + std::to_string(i) + ".mp3").c_str(), O_CREAT | O_WRONLY, 0600));
      }
    }
    ::close(::openat(fd, "bottom.mp3", O_CREAT | O_WRONLY, 0600));
    ::close(fd);
    depth_ = depth;
  }
  ~DeepChain() { Remove(::open(root_.c_str(), O_RDONLY | O_DIRECTORY), depth_); }

 private:
  void Remove(int fd, int depth) {
    if (depth > 0) {
      Remove(::openat(fd, segment_.c_str(), O_RDONLY | O_DIRECTORY), depth - 1);
      ::unlinkat(fd, segment_.c_str(), AT_REMOVEDIR);
    }
    if (side_branches_ && depth < depth_) {
      ::unlinkat(fd, ("s/side" + std::to_string(depth_ - depth - 1) + ".mp3").c_str(), 0);
      ::unlinkat(fd, "s", AT_REMOVEDIR);
    }
    std::filesystem::path dummy;
    for (int i = 0; i < depth_; i += 50) ::unlinkat(fd, ("level" + std::to_string(i) + ".mp3").c_str(), 0);
    ::unlinkat(fd, "bottom.mp3", 0);
    ::close(fd);
  }
  std::string root_, segment_;
  bool side_branches_;
  int depth_ = 0;
};
#endif

TEST(FolderScan, TreeDeeperThanPathMaxListsCompletely) {
#ifdef _WIN32
  GTEST_SKIP() << "the chain is built with POSIX *at() calls; the Windows tests walk their own long paths";
#else
  test::TempTree t;
  const int depth = 400;  // 400 x 31 bytes: three times PATH_MAX, eight times the open limit
  DeepChain chain(t.Path(), depth, std::string(30, 'd'));
  const Names found = Scan(t.Path(), "*.mp3", true);
  ASSERT_EQ(found.size(), 9u);
  EXPECT_EQ(found.front(), "level0.mp3");
  EXPECT_EQ(found.back(), "bottom.mp3");
  EXPECT_EQ(found[4], "level200.mp3");
#endif
}

TEST(FolderScan, SiblingsAfterADeepBranchAreStillWalked) {
  // The walk closes folders on the way down and must reopen them to reach later siblings.
#ifdef _WIN32
  GTEST_SKIP() << "the chain is built with POSIX *at() calls; the Windows tests walk their own long paths";
#else
  test::TempTree t;
  DeepChain chain(t.Path(), 120, "a");
  t.Files({"zz/after.mp3", "b/c/d/e/f.mp3"});
  const Names found = Sorted(Scan(t.Path(), "*.mp3", true));
  EXPECT_EQ(found, Sorted({"after.mp3", "bottom.mp3", "f.mp3", "level0.mp3", "level50.mp3", "level100.mp3"}));
#endif
}

TEST(FolderScan, ClosedLevelsAreOpenedAgainOnTheWayBackUp) {
  // Half the side folders, on average, come after the chain's next level: their level was closed
  // on the way down and must be opened again to reach them.
#ifdef _WIN32
  GTEST_SKIP() << "the chain is built with POSIX *at() calls; the Windows tests walk their own long paths";
#else
  test::TempTree t;
  const int depth = 300;
  DeepChain chain(t.Path(), depth, "a", true);
  ScanReport r;
  Names sides;
  for (const auto& n : Scan(t.Path(), "*.mp3", true, &r))
    if (n.starts_with("side")) sides.push_back(n);
  EXPECT_EQ(sides.size(), static_cast<std::size_t>(depth));
  EXPECT_EQ(std::set<std::string>(sides.begin(), sides.end()).size(), sides.size());
  EXPECT_TRUE(r.skipped.empty());
#endif
}

}  // namespace
}  // namespace brixel
