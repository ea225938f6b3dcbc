// Every way a save can fail must give SaveError naming the file, leave an existing file
// byte-identical and leave no temporary file behind.
#include <gtest/gtest.h>

#include "core/export/list_writer.h"
#include "core/export/save_error.h"
#include "tests/export/export_test_util.h"
#include "tests/export/failing_file_system.h"
#include "tests/support/temp_tree.h"

namespace brixel {
namespace {

using test::FolderEntries;
using test::ReadBytes;
using test::SaveList;
using test::WriteBytes;

using Case = test::FormatCase;

const Case kCases[] = {
    {"text", ListFormat::Text, "list.txt"},
    {"html", ListFormat::Html, "list.html"},
    {"xls", ListFormat::Spreadsheet, "list.xls"},
    {"xlsx", ListFormat::Spreadsheet, "list.xlsx"},
};

std::vector<std::string> ManyNames(std::size_t count) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < count; ++i) names.push_back("Песня номер " + std::to_string(i) + ".mp3");
  return names;
}

class SaveFailureTest : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    if (GetParam().file == std::string("list.xlsx") && !XlsxAvailable())
      GTEST_SKIP() << "no .xlsx in this build";
    WriteBytes(path, old_bytes);
  }
  bool Replaces() const { return GetParam().format != ListFormat::Text; }

  // Saves, expects a SaveError naming the target, and the folder as it was.
  void ExpectCleanFailure(const std::string& target, const std::vector<std::string>& names,
                          const ListWriterOptions& options = {}) {
    const auto before = FolderEntries(t.Root());
    try {
      SaveList(GetParam().format, target, names, test::FullLayout(), options);
      ADD_FAILURE() << "the save did not fail";
    } catch (const SaveError& e) {
      EXPECT_NE(std::string(e.what()).find(target), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadBytes(path), old_bytes);
    EXPECT_EQ(FolderEntries(t.Root()), before);
  }

  test::TempTree t;
  std::string path = t.Path(GetParam().file);
  std::string old_bytes = "the list saved before\r\n";
};

TEST_P(SaveFailureTest, TargetThatIsAFolderOrInAMissingOrFileFolder) {
  t.Folder("folder");
  ExpectCleanFailure(t.Path("folder"), {"a"});
  EXPECT_TRUE(std::filesystem::is_directory(t.Root() / "folder"));
  ExpectCleanFailure(t.Path("missing/list"), {"a"});
  ExpectCleanFailure(path + "/list", {"a"});  // the "folder" is a regular file
#ifndef _WIN32
  ExpectCleanFailure(path + "/", {"a"});
#endif
}

TEST_P(SaveFailureTest, ReadOnlyTargetIsRefusedEvenForRoot) {
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  ExpectCleanFailure(path, {"a"});
}

TEST_P(SaveFailureTest, FullDiskDevice) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  // A workbook or page is never renamed over a device; the text list meets the full disk.
  EXPECT_THROW(SaveList(GetParam().format, "/dev/full", {"a", "b"}), SaveError);
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST_P(SaveFailureTest, EachFailingFileCallLeavesTheOldFile) {
  const auto names = ManyNames(70000);
  // A text list whose copy cannot be made or given the old file's owner is appended in place
  // instead (TextListTest), so those calls fail only the replacements.
  std::vector<test::FailingCall> calls{test::FailingCall::Replace};
#ifndef _WIN32
  calls.push_back(test::FailingCall::Link);  // Windows has no files without a name to link
#endif
  if (Replaces()) {
    calls.push_back(test::FailingCall::Create);
    calls.push_back(test::FailingCall::Owner);
  }
  if (GetParam().file != std::string("list.xlsx")) {  // libxlsxwriter writes its file itself
    calls.push_back(test::FailingCall::Write);
    calls.push_back(test::FailingCall::Sync);
    calls.push_back(test::FailingCall::Close);
  }
  for (const auto call : calls) {
    SCOPED_TRACE(static_cast<int>(call));
    const test::FailingFileSystem fs(call, 100000);
    ListWriterOptions options;
    options.file_system = &fs;
    ExpectCleanFailure(path, names, options);
  }
}

TEST_P(SaveFailureTest, AFileSystemWithoutPermissionsStillTakesTheSave) {
  const test::FailingFileSystem fs(test::FailingCall::Mode);  // fchmod: ENOSYS, as FUSE FAT answers
  ListWriterOptions options;
  options.file_system = &fs;
  SaveList(GetParam().format, path, {"a"}, test::FullLayout(), options);
  EXPECT_NE(ReadBytes(path), old_bytes);
  EXPECT_EQ(FolderEntries(t.Root()), std::vector<std::string>{GetParam().file});
}

TEST_P(SaveFailureTest, UnfinishedWriterLeavesNoTrace) {
  const auto before = FolderEntries(t.Root());
  {
    const auto writer = OpenListWriter(GetParam().format, path, test::FullLayout());
    for (const auto& name : ManyNames(1000)) writer->Add(name);
  }
  EXPECT_EQ(ReadBytes(path), old_bytes);
  EXPECT_EQ(FolderEntries(t.Root()), before);
}

#ifdef __linux__
// A real full disk: a tiny tmpfs, where mounting is allowed (root on Linux).
TEST_P(SaveFailureTest, FullFileSystem) {
  const auto mount_point = t.Root() / "tiny";
  const test::TmpfsMount tiny(mount_point, "size=64k");
  if (!tiny.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";

  const std::string target = (mount_point / GetParam().file).string();
  WriteBytes(target, old_bytes);
  const auto before = FolderEntries(mount_point);
  // The error names the cause, and nothing else reaches stderr (libxlsxwriter prints its own
  // "[ERROR]" lines unless kept from it).
  testing::internal::CaptureStderr();
  try {
    SaveList(GetParam().format, target, ManyNames(20000));
    ADD_FAILURE() << "the save did not fail";
  } catch (const SaveError& e) {
    EXPECT_NE(std::string(e.what()).find(std::make_error_code(std::errc::no_space_on_device).message()),
              std::string::npos)
        << e.what();
  }
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(ReadBytes(target), old_bytes);
  EXPECT_EQ(FolderEntries(mount_point), before);
}
#endif

INSTANTIATE_TEST_SUITE_P(Formats, SaveFailureTest, ::testing::ValuesIn(kCases),
                         [](const auto& param_info) { return std::string(param_info.param.label); });

}  // namespace
}  // namespace brixel
