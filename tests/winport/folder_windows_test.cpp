// The folder scan on Windows: attribute words as the system reports them, paths past MAX_PATH,
// names that are not valid UTF-16.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>

#include "core/listing/folder_scan.h"
#include "core/platform/file_path.h"
#include "core/platform/folder.h"
#include "core/platform/program_folder.h"
#include "core/platform/windows/long_path.h"
#include "tests/listing/scan_names.h"
#include "tests/support/temp_tree.h"
#include "tests/support/wine.h"

namespace brixel {
namespace {

using test::Names;

// Sorted: wine reports entries in another order than Linux does.
Names Scan(const std::string& folder, std::string_view line, bool tree, ScanReport* report = nullptr) {
  Names names = test::ScanNames(folder, line, tree, report);
  std::sort(names.begin(), names.end());
  return names;
}

// Sets the attribute word of an entry and returns what the file system then reports.
DWORD SetAttributes(const test::TempTree& t, const std::string& name, DWORD attributes) {
  const std::wstring path = PathFromUtf8(t.Path(name)).wstring();
  ::SetFileAttributesW(path.c_str(), attributes);
  return ::GetFileAttributesW(path.c_str());
}

TEST(WindowsFolderScan, FilesAreListedByTheirWholeAttributeWord) {
  test::TempTree t;
  t.Files({"ro.mp3", "hidden.mp3", "system.mp3", "ro_system.mp3", "hidden_system.mp3", "all.mp3"});
  const struct {
    const char* name;
    DWORD set;
    DWORD word;  // what the table decides on
  } cases[] = {
      {"ro.mp3", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY, 33},
      {"hidden.mp3", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN, 34},
      {"system.mp3", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM, 36},
      {"ro_system.mp3", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM, 37},
      {"hidden_system.mp3", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, 38},
      {"all.mp3",
       FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, 39},
  };
  for (const auto& c : cases) {
    if (SetAttributes(t, c.name, c.set) != c.word)
      GTEST_SKIP() << "this file system does not keep the attribute word " << c.word << " of " << c.name;
  }
  // 37 (archive, read-only, system) is the one word of these that is not listed.
  EXPECT_EQ(Scan(t.Path(), "*.mp3", false),
            (Names{"all.mp3", "hidden.mp3", "hidden_system.mp3", "ro.mp3", "system.mp3"}));
  for (const auto& c : cases) SetAttributes(t, c.name, FILE_ATTRIBUTE_NORMAL);
}

TEST(WindowsFolderScan, HiddenAndSystemFoldersAreWalked) {
  test::TempTree t;
  t.Files({"hidden/a.mp3", "hidden_system/b.mp3", "plain/c.mp3"});
  if (SetAttributes(t, "hidden", FILE_ATTRIBUTE_HIDDEN) != 18 ||
      SetAttributes(t, "hidden_system", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) != 22)
    GTEST_SKIP() << "this file system does not keep hidden and system folder attributes";
  EXPECT_EQ(Scan(t.Path(), "*.mp3", true), (Names{"a.mp3", "b.mp3", "c.mp3"}));
}

// A chain of folders whose full path is far longer than MAX_PATH, made and removed with "\\?\"
// paths, which the plain Win32 calls and std::filesystem cannot reach on Windows.
class LongChain {
 public:
  LongChain(const std::string& root, int depth) : path_(platform::LongPath(root)) {
    for (int i = 0; i < depth; ++i) {
      path_ = platform::JoinPath(path_, std::wstring(40, static_cast<wchar_t>(L'a' + i % 26)));
      ::CreateDirectoryW(path_.c_str(), nullptr);
      folders_.push_back(path_);
    }
    file_ = platform::JoinPath(path_, L"bottom.mp3");
    ::CloseHandle(
        ::CreateFileW(file_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  ~LongChain() {
    ::DeleteFileW(file_.c_str());
    for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) ::RemoveDirectoryW(it->c_str());
  }
  bool Made() const { return ::GetFileAttributesW(file_.c_str()) != INVALID_FILE_ATTRIBUTES; }
  std::size_t Length() const { return path_.size(); }
  std::string Deepest() const { return PathToUtf8(std::filesystem::path(path_.substr(4))); }  // no "\\?\"

 private:
  std::wstring path_, file_;
  std::vector<std::wstring> folders_;
};

TEST(WindowsFolderScan, PathsLongerThanMaxPathAreWalkedAndListed) {
  test::TempTree t;
  const LongChain chain(t.Path(), 12);
  ASSERT_TRUE(chain.Made());
  ASSERT_GT(chain.Length(), 2u * MAX_PATH);
  EXPECT_EQ(Scan(t.Path(), "*.mp3", true), Names{"bottom.mp3"});
  ScanReport report;
  EXPECT_EQ(Scan(chain.Deepest(), "*.mp3", false, &report), Names{"bottom.mp3"});
  EXPECT_FALSE(report.folder_error);
}

TEST(WindowsFolderScan, UnpairedSurrogateNamesAreListedAndEntered) {
  test::TempTree t;
  const std::wstring root = platform::LongPath(t.Path());
  const std::wstring folder = platform::JoinPath(root, L"f\xD800");
  if (!::CreateDirectoryW(folder.c_str(), nullptr))
    GTEST_SKIP() << "this file system refuses names that are not valid UTF-16"
                 << (test::RunningUnderWine() ? " (wine stores names as UTF-8)" : "");
  const std::wstring file = platform::JoinPath(folder, L"x\xDC00.mp3");
  ::CloseHandle(
      ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_EQ(Scan(t.Path(), "*.mp3", true), Names{"x\xED\xB0\x80.mp3"});
  ::DeleteFileW(file.c_str());
  ::RemoveDirectoryW(folder.c_str());
}

TEST(WindowsFolderScan, DriveRootsAndMissingFolders) {
  ScanReport report;
  Scan("C:\\", "*", false, &report);
  EXPECT_FALSE(report.folder_error);
  Scan("C:/", "*", false, &report);
  EXPECT_FALSE(report.folder_error);
  test::TempTree t;
  t.File("file.mp3");
  Scan(t.Path("missing"), "*", false, &report);
  EXPECT_EQ(report.folder_error.value(), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(report.folder_error, std::errc::no_such_file_or_directory);
  const std::string text = report.folder_error.message();
  EXPECT_FALSE(text.empty());
  EXPECT_NE(text.back(), '\n');
  Scan(t.Path("file.mp3"), "*", false, &report);  // a file is no folder
  EXPECT_TRUE(report.folder_error);
}

TEST(WindowsProgramInfo, ProgramFolderHoldsTheRunningProgram) {
  const std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\');
  EXPECT_TRUE(std::filesystem::exists(PathFromUtf8(folder) / "winport_tests.exe")) << folder;
}

}  // namespace
}  // namespace brixel
