// Whose file a save may replace, whose it stays, and where links lead: a page or workbook is saved
// over a file only by a user who may write that file, keeps its owner, group and permissions,
// and goes through a symbolic link to the file it names, as the text list does.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/export/list_writer.h"
#include "core/export/save_error.h"
#include "tests/export/export_test_util.h"
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

}  // namespace
}  // namespace brixel
