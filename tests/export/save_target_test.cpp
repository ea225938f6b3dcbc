// Whose file a save may replace, whose it stays, and where links lead: a page or workbook is saved
// over a file only by a user who may write that file, keeps its owner, group and permissions,
// and goes through a symbolic link to the file it names, as the text list does - but never
// through another user's link in a sticky folder anyone may write, however it is swapped. The
// file is locked for the whole save, and what another program writes meanwhile is never lost.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stop_token>

#include "core/export/list_writer.h"
#include "core/export/save_error.h"
#include "tests/export/export_test_util.h"
#include "tests/export/failing_file_system.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_tree.h"

namespace brixel {
namespace {

using test::FolderEntries;
using test::ReadBytes;
using test::SaveList;
using test::WriteBytes;

struct stat Stat(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st;
}

// 0: saved, 1: refused with SaveError.
int TrySave(ListFormat format, const std::string& path) {
  try {
    SaveList(format, path, {"новое.mp3"});
    return 0;
  } catch (const SaveError&) {
    return 1;
  }
}

constexpr ListFormat kFormats[] = {ListFormat::Text, ListFormat::Html, ListFormat::Spreadsheet};

TEST(SaveTarget, AListSavedOverASymbolicLinkReplacesWhatItNamesAndTheLinkStays) {
  test::TempTree t;
  t.Folder("lists");
  t.Folder("real");
  for (const ListFormat format : kFormats) {
    SCOPED_TRACE(static_cast<int>(format));
    WriteBytes(t.Path("real/list"), "old\r\n");
    std::filesystem::remove(t.Root() / "lists" / "list");
    std::filesystem::create_symlink("../real/list", t.Root() / "lists" / "list");
    SaveList(format, t.Path("lists/list"), {"новое.mp3"});
    EXPECT_TRUE(std::filesystem::is_symlink(t.Root() / "lists" / "list"));
    const std::string saved = ReadBytes(t.Path("real/list"));
    EXPECT_NE(saved, "old\r\n");
    EXPECT_EQ(saved.starts_with("old\r\n"), format == ListFormat::Text);
    EXPECT_EQ(FolderEntries(t.Root() / "lists"), std::vector<std::string>{"list"});
    EXPECT_EQ(FolderEntries(t.Root() / "real"), std::vector<std::string>{"list"});
  }
}

TEST(SaveTarget, AReplacedOrAppendedListKeepsItsOwnerGroupAndPermissions) {
  if (!test::RunningAsRoot()) GTEST_SKIP() << "only root can make a file of another user";
  test::TempTree t;
  for (const ListFormat format : kFormats) {
    SCOPED_TRACE(static_cast<int>(format));
    const std::string path = t.Path("list");
    WriteBytes(path, "old\r\n");
    ASSERT_EQ(::chown(path.c_str(), test::kNobody, test::kNobody), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    SaveList(format, path, {"новое.mp3"});
    const struct stat st = Stat(path);
    EXPECT_EQ(st.st_uid, test::kNobody);
    EXPECT_EQ(st.st_gid, test::kNobody);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_NE(ReadBytes(path), "old\r\n");
  }
}

TEST(SaveTarget, AnotherUsersFileIsReplacedOnlyByWhoMayWriteItAndOnlyIfItStaysTheirs) {
  if (!test::RunningAsRoot()) GTEST_SKIP() << "only root can make files of two users";
  // A folder anyone may write, holding root's files; the saves run as nobody.
  test::TempTree t;
  t.Folder("shared");
  std::filesystem::permissions(t.Root() / "shared", std::filesystem::perms::all);
  const std::string path = t.Path("shared/list");
  for (const ListFormat format : kFormats) {
    SCOPED_TRACE(static_cast<int>(format));
    // 0644: nobody may not write it, so no format may replace or append to it.
    WriteBytes(path, "old\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    EXPECT_EQ(test::RunUnprivileged([&] { return TrySave(format, path); }), 1);
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    EXPECT_EQ(Stat(path).st_uid, 0u);
    // 0666: nobody may write it, but a new file in its place would be nobody's: a page or
    // workbook is refused, a text list is appended to the file itself.
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    const bool text = format == ListFormat::Text;
    EXPECT_EQ(test::RunUnprivileged([&] { return TrySave(format, path); }), text ? 0 : 1);
    EXPECT_EQ(ReadBytes(path).starts_with("old\r\n"), true);
    EXPECT_EQ(ReadBytes(path) != "old\r\n", text);
    EXPECT_EQ(Stat(path).st_uid, 0u);
    EXPECT_EQ(FolderEntries(t.Root() / "shared"), std::vector<std::string>{"list"});
  }
}

TEST(SaveTarget, AListWithTwoNamesIsAppendedToInPlaceSoBothNamesShowIt) {
  test::TempTree t;
  WriteBytes(t.Path("list.txt"), "old\r\n");
  std::filesystem::create_hard_link(t.Root() / "list.txt", t.Root() / "same.txt");
  SaveList(ListFormat::Text, t.Path("list.txt"), {"a"});
  EXPECT_EQ(ReadBytes(t.Path("same.txt")), "old\r\na\r\n");
  EXPECT_EQ(std::filesystem::hard_link_count(t.Root() / "list.txt"), 2u);
}

TEST(SaveTarget, AListAnotherProgramWroteToDuringTheSaveIsLeftWithItsBytes) {
  test::TempTree t;
  const std::string path = t.Path("list.txt");
  WriteBytes(path, "old\r\n");
  const auto writer = OpenListWriter(ListFormat::Text, path, test::FullLayout());
  writer->Add("a");
  WriteBytes(path, "old\r\nothers\r\n");
  EXPECT_THROW(writer->Finish(), SaveError);
  EXPECT_EQ(ReadBytes(path), "old\r\nothers\r\n");
  EXPECT_EQ(FolderEntries(t.Root()), std::vector<std::string>{"list.txt"});
}

// The race: a name in /tmp that its owner swaps between a file of theirs and a link to
// root's file, while root saves to it. Run as root (as CI does), the swapping runs as nobody.
TEST(SaveTarget, AnotherUsersLinkInAStickyFolderIsNeverFollowedHoweverItIsSwapped) {
  if (!test::RunningAsRoot()) GTEST_SKIP() << "needs root to act as two users";
  test::TempTree t;
  t.Folder("sticky");
  t.Folder("safe");
  ASSERT_EQ(::chmod(t.Path("sticky").c_str(), 01777), 0);
  const std::string victim = t.Path("safe/victim");
  WriteBytes(victim, "root's own\n");
  const std::string list = t.Path("sticky/list.html");
  const std::string swap = t.Path("sticky/swap");
  ASSERT_EQ(test::RunUnprivileged([&] {
              std::ofstream(swap) << "nobody's\n";
              return ::symlink(victim.c_str(), list.c_str());
            }),
            0);
  // The link standing still: refused.
  for (const ListFormat format : kFormats) EXPECT_EQ(TrySave(format, list), 1);
  EXPECT_EQ(ReadBytes(victim), "root's own\n");

  // Swapped for ever (renameat2 RENAME_EXCHANGE), the link put back whenever a save replaced it.
  const pid_t swapper = test::StartUnprivileged([&] {
    const int sticky = ::open(t.Path("sticky").c_str(), O_PATH | O_DIRECTORY);
    for (;;) {
      if (::renameat2(sticky, "list.html", sticky, "swap", RENAME_EXCHANGE) != 0) return 97;
      struct stat a {
      }, b{};
      if (::fstatat(sticky, "list.html", &a, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISLNK(a.st_mode) &&
          ::fstatat(sticky, "swap", &b, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISLNK(b.st_mode)) {
        ::unlinkat(sticky, "swap", 0);
        ::symlinkat(victim.c_str(), sticky, "swap");
      }
    }
  });
  ASSERT_GT(swapper, 0);
  int saved = 0;
  for (int round = 0; round < 150; ++round)
    for (const ListFormat format : kFormats) saved += TrySave(format, list) == 0;
  ::kill(swapper, SIGKILL);
  int status = 0;
  ::waitpid(swapper, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status)) << "the swapping stopped: " << WEXITSTATUS(status);
  EXPECT_EQ(ReadBytes(victim), "root's own\n") << "after " << saved << " saves";
  EXPECT_EQ(FolderEntries(t.Root() / "safe"), std::vector<std::string>{"victim"});
}

// The lock writers take: the whole file, for writing.
struct flock WholeFileLock() {
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  return lock;
}

// Whether another open file of this process could take the write lock on path now.
bool LockedByTheSave(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR);
  struct flock lock = WholeFileLock();
  EXPECT_EQ(::fcntl(fd, F_OFD_GETLK, &lock), 0);
  ::close(fd);
  return lock.l_type != F_UNLCK;
}

TEST(SaveTarget, TheFileIsLockedForTheWholeSave) {
  test::TempTree t;
  const std::string path = t.Path("list");
  for (const ListFormat format : kFormats) {
    SCOPED_TRACE(static_cast<int>(format));
    WriteBytes(path, "old\r\n");
    const auto writer = OpenListWriter(format, path, test::FullLayout());
    writer->Add("a");
    EXPECT_TRUE(LockedByTheSave(path));
    writer->Finish();
  }
  // While another program holds the lock the save waits for it, and a stop ends the wait.
  const int other = ::open(path.c_str(), O_RDWR);
  struct flock lock = WholeFileLock();
  ASSERT_EQ(::fcntl(other, F_OFD_SETLK, &lock), 0);
  std::stop_source stop;
  stop.request_stop();
  ListWriterOptions options;
  options.control.stop = stop.get_token();
  EXPECT_THROW(OpenListWriter(ListFormat::Html, path, test::FullLayout(), options), SaveStopped);
  ::close(other);
}

TEST(SaveTarget, WhatAnotherProgramWritesJustBeforeTheRenameIsKept) {
  test::TempTree t;
  const std::string path = t.Path("list");
  for (const ListFormat format : kFormats) {
    SCOPED_TRACE(static_cast<int>(format));
    WriteBytes(path, "old\r\n");
    const test::FailingFileSystem fs(test::FailingCall::Replace,
                                     [&] { std::ofstream(path, std::ios::app) << "others\r\n"; });
    ListWriterOptions options;
    options.file_system = &fs;
    EXPECT_THROW(SaveList(format, path, {"a"}, test::FullLayout(), options), SaveError);
    EXPECT_EQ(ReadBytes(path), "old\r\nothers\r\n");
    EXPECT_EQ(FolderEntries(t.Root()), std::vector<std::string>{"list"});
  }
}

// A program that appends a line at a time under the lock, as cooperating writers do, and writes
// to the file of that name once it holds it.
int AppendLines(const std::string& path, int count) {
  for (int i = 0; i < count;) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
    struct flock lock = WholeFileLock();
    struct stat held {
    }, named{};
    if (fd >= 0 && ::fcntl(fd, F_OFD_SETLKW, &lock) == 0 && ::fstat(fd, &held) == 0 &&
        ::stat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino) {
      const std::string line = "line " + std::to_string(i++) + "\r\n";
      if (::write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size())) return 1;
    }
    ::close(fd);
    ::usleep(1000);
  }
  return 0;
}

TEST(SaveTarget, LinesAProgramAppendsUnderTheLockDuringSavesAreNeverLost) {
  test::TempTree t;
  const std::string path = t.Path("list.txt");
  WriteBytes(path, "");
  constexpr int kLines = 150;
  const pid_t appender = test::StartChild([&] { return AppendLines(path, kLines); });
  ASSERT_GT(appender, 0);
  int saves = 0, status = 0;
  while (::waitpid(appender, &status, WNOHANG) == 0) saves += TrySave(ListFormat::Text, path) == 0;
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const std::string text = ReadBytes(path);
  for (int i = 0; i < kLines; ++i)
    EXPECT_NE(text.find("line " + std::to_string(i) + "\r\n"), std::string::npos)
        << i << " of " << saves << " saves";
  EXPECT_GT(saves, 0);
}

// chattr +a, where this file system and user can set it: the folder takes new names, no renames.
class AppendOnly {
 public:
  explicit AppendOnly(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY)) {
    int flags = 0;
    if (fd_ < 0 || ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) != 0) return;
    flags |= FS_APPEND_FL;
    set_ = ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ~AppendOnly() {
    int flags = 0;
    if (set_ && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
      flags &= ~FS_APPEND_FL;
      ::ioctl(fd_, FS_IOC_SETFLAGS, &flags);
    }
    if (fd_ >= 0) ::close(fd_);
  }
  bool Set() const { return set_; }

 private:
  int fd_;
  bool set_ = false;
};

TEST(SaveTarget, AFolderOrFileThatTakesAppendsOnlyGetsNoTemporaryFileAndKeepsItsBytes) {
  test::TempTree t;
  t.Folder("fixed");
  WriteBytes(t.Path("fixed/list.txt"), "old\r\n");
  WriteBytes(t.Path("fixed/list.html"), "old");
  WriteBytes(t.Path("log.txt"), "old\r\n");
  const AppendOnly folder(t.Path("fixed"));
  const AppendOnly file(t.Path("log.txt"));
  if (!folder.Set() || !file.Set())
    GTEST_SKIP() << "no chattr +a here (needs root and ext4, XFS, btrfs or tmpfs)";
  // A text list goes into the file itself; a page cannot replace a file, but takes a free name.
  SaveList(ListFormat::Text, t.Path("fixed/list.txt"), {"a"});
  EXPECT_EQ(ReadBytes(t.Path("fixed/list.txt")), "old\r\na\r\n");
  EXPECT_EQ(TrySave(ListFormat::Html, t.Path("fixed/list.html")), 1);
  EXPECT_EQ(ReadBytes(t.Path("fixed/list.html")), "old");
  EXPECT_EQ(TrySave(ListFormat::Spreadsheet, t.Path("fixed/new.xls")), 0);
  EXPECT_EQ(FolderEntries(t.Root() / "fixed"),
            (std::vector<std::string>{"list.html", "list.txt", "new.xls"}));
  SaveList(ListFormat::Text, t.Path("log.txt"), {"a"});
  EXPECT_EQ(ReadBytes(t.Path("log.txt")), "old\r\na\r\n");
  EXPECT_EQ(TrySave(ListFormat::Html, t.Path("log.txt")), 1);
  EXPECT_EQ(ReadBytes(t.Path("log.txt")), "old\r\na\r\n");
}

}  // namespace
}  // namespace brixel
