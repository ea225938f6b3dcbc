// The save seam on Win32 handles, and lists saved under Cyrillic names.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

#include "core/export/list_writer.h"
#include "core/platform/file_path.h"
#include "core/platform/file_system.h"
#include "tests/support/temp_tree.h"
#include "tests/support/workbook_check.h"

namespace brixel::platform {
namespace {

std::unique_ptr<TargetFile> Found(const std::string& path) {
  std::error_code ec;
  auto target = NativeFileSystem().Resolve(path, ec);
  EXPECT_TRUE(target) << path << ": " << ec.message();
  return target;
}

TEST(WindowsFileSystem, AppendCreatesOnceThenAppendsAfterTheOldBytes) {
  test::TempTree t;
  const std::string path = t.Path("список.txt");
  for (const char* part : {"ab", "cd"}) {
    bool created = false;
    std::uint64_t size = 99;
    std::error_code ec;
    auto target = Found(path);
    ASSERT_TRUE(target);
    target->Lock(ec);
    auto file = target->OpenForAppend(created, size, ec);
    ASSERT_TRUE(file) << ec.message();
    EXPECT_EQ(created, part[0] == 'a');
    EXPECT_EQ(size, part[0] == 'a' ? 0u : 2u);
    file->Write(part, ec);  // the lock moved to this handle: its writes go in
    file->Close(ec);
    EXPECT_FALSE(ec) << ec.message();
  }
  EXPECT_EQ(test::ReadBytes(path), "abcd");
  EXPECT_TRUE(std::filesystem::exists(t.Root() / PathFromUtf8("список.txt")));
}

TEST(WindowsFileSystem, PositionedWritesAndTruncation) {
  test::TempTree t;
  std::error_code ec;
  auto target = Found(t.Path("new.bin"));
  auto file = target->CreateNew("new.bin", ec);
  ASSERT_TRUE(file) << ec.message();
  file->Write("hello", ec);
  file->WriteAt(0, "J", ec);
  file->Write("!", ec);  // still after "hello": the positioned write did not move on
  file->Sync(ec);
  file->Close(ec);
  EXPECT_FALSE(ec) << ec.message();
  EXPECT_EQ(test::ReadBytes(t.Path("new.bin")), "Jello!");

  bool created = true;
  std::uint64_t size = 0;
  auto again = Found(t.Path("new.bin"))->OpenForAppend(created, size, ec);
  ASSERT_TRUE(again);
  again->Truncate(2, ec);
  again->Write("y", ec);
  again->Close(ec);
  EXPECT_EQ(test::ReadBytes(t.Path("new.bin")), "Jey");
}

TEST(WindowsFileSystem, FailuresCompareAsPortableConditions) {
  test::TempTree t;
  t.File("taken.txt", "old");
  std::error_code ec;
  auto target = Found(t.Path("taken.txt"));
  EXPECT_FALSE(target->CreateNew("taken.txt", ec));
  EXPECT_EQ(ec, std::errc::file_exists);
  ec.clear();
  target->Remove("missing.txt", ec);
  EXPECT_EQ(ec, std::errc::no_such_file_or_directory);
  EXPECT_FALSE(ec.message().empty());
  EXPECT_EQ(ec.message().find("Unknown"), std::string::npos) << ec.message();
  EXPECT_EQ(test::ReadBytes(t.Path("taken.txt")), "old");
}

TEST(WindowsFileSystem, ReplaceTakesThePlaceOfTheTargetOnlyIfItIsUnchanged) {
  test::TempTree t;
  t.File("target.html", "old");
  t.File("temp.tmp", "new");
  std::error_code ec;
  auto target = Found(t.Path("target.html"));
  target->Lock(ec);
  EXPECT_FALSE(ec) << ec.message();
  target->Replace("temp.tmp", ec);
  EXPECT_FALSE(ec) << ec.message();
  EXPECT_EQ(test::ReadBytes(t.Path("target.html")), "new");
  EXPECT_FALSE(std::filesystem::exists(t.Root() / "temp.tmp"));

  t.File("temp.tmp", "newer");
  target = Found(t.Path("target.html"));
  t.File("target.html", "another program's");
  target->Replace("temp.tmp", ec);
  EXPECT_EQ(ec, TargetChangedError());
  EXPECT_EQ(test::ReadBytes(t.Path("target.html")), "another program's");
}

TEST(WindowsFileSystem, ResolveTellsWhatASaveMayDo) {
  test::TempTree t;
  t.File("список.txt", "abc");
  t.Folder("папка");
  EXPECT_FALSE(Found(t.Path("нет.txt"))->Facts().exists);
  const auto target = Found(t.Path("список.txt"));
  const FileFacts& file = target->Facts();
  EXPECT_TRUE(file.exists && file.regular && !file.folder);
  EXPECT_EQ(file.size, 3u);
  EXPECT_EQ(file.links, 1u);
  EXPECT_FALSE(file.write_error) << file.write_error.message();
  EXPECT_EQ(target->Name(), "список.txt");
  std::error_code ec;
  EXPECT_EQ(target->ReadStart(2, ec), "ab");
  EXPECT_TRUE(Found(t.Path("папка"))->Facts().folder);
  ASSERT_TRUE(::SetFileAttributesW((t.Root() / PathFromUtf8("список.txt")).c_str(), FILE_ATTRIBUTE_READONLY));
  // (Wine run as root opens a read-only file for writing all the same: the mark alone refuses.)
  EXPECT_TRUE(Found(t.Path("список.txt"))->Facts().marked_read_only);
  ::SetFileAttributesW((t.Root() / PathFromUtf8("список.txt")).c_str(), FILE_ATTRIBUTE_NORMAL);
  // No file without a name on Windows: a save writes a named temporary file.
  EXPECT_FALSE(target->CreateUnnamed(ec));
  EXPECT_TRUE(ec);
}

TEST(WindowsFileSystem, ANewFileStartsAsACopyAndTakesTheOldOnesAttributes) {
  test::TempTree t;
  t.File("old.txt", "abc");
  const std::wstring old_path = (t.Root() / "old.txt").wstring();
  ASSERT_TRUE(::SetFileAttributesW(old_path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  std::error_code ec;
  auto target = Found(t.Path("old.txt"));
  target->Lock(ec);  // shared: the copy still reads it
  auto file = target->CreateNew("new.txt", ec);
  ASSERT_TRUE(file) << ec.message();
  file->CopyFrom(target->FilePath(), 3, ec);
  file->Write("d", ec);
  file->CopyMode(target->FilePath(), ec);
  file->Close(ec);
  EXPECT_FALSE(ec) << ec.message();
  EXPECT_EQ(test::ReadBytes(t.Path("new.txt")), "abcd");
  EXPECT_TRUE(::GetFileAttributesW((t.Root() / "new.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST(WindowsLists, EveryFormatIsSavedUnderACyrillicName) {
  test::TempTree t;
  t.Folder("Отчёты");
  for (const auto& [format, name] :
       {std::pair{ListFormat::Text, "список.txt"}, std::pair{ListFormat::Html, "список.html"},
        std::pair{ListFormat::Spreadsheet, "список.xls"},
        std::pair{ListFormat::Spreadsheet, "список.xlsx"}}) {
    const std::string path = t.Path(std::string("Отчёты/") + name);
    if (std::string_view(name).ends_with(".xlsx") && !XlsxAvailable()) {
      ADD_FAILURE() << "this Windows build has no .xlsx writer";
      continue;
    }
    auto writer = OpenListWriter(format, path, test::FullLayout());
    writer->Add("Имя.mp3");
    writer->Finish();
    EXPECT_FALSE(test::ReadBytes(path).empty()) << name;
  }
  EXPECT_EQ(test::ReadBytes(t.Path("Отчёты/список.txt")), "\xC8\xEC\xFF.mp3\r\n");
  EXPECT_EQ(test::ReadBytes(t.Path("Отчёты/список.xlsx")).substr(0, 2), "PK");
  // Nothing else was left in the folder: no temporary file, no name spelt in another code page.
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& e :
       std::filesystem::directory_iterator(t.Root() / PathFromUtf8("Отчёты")))
    ++count;
  EXPECT_EQ(count, 4u);
}

}  // namespace
}  // namespace brixel::platform
