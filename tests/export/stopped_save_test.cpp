// A stop that comes before the new file takes the old one's place - in a workbook writer's own
// pass over the rows, while the library assembles an .xlsx, as the bytes go to the disk, as the
// file is named, just before the rename - leaves the old file byte for byte as it was and no
// temporary file.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <stop_token>
#include <thread>

#include "core/export/list_writer.h"
#include "core/export/write_list.h"
#include "core/platform/file_path.h"
#include "tests/export/export_test_util.h"
#include "tests/export/failing_file_system.h"
#include "tests/support/temp_tree.h"
#include "tests/support/writing_watcher.h"

namespace brixel {
namespace {

using test::FolderEntries;
using test::ReadBytes;
using test::WriteBytes;

using Case = test::FormatCase;

class StoppedSaveTest : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    if (GetParam().file == std::string("list.xlsx") && !XlsxAvailable())
      GTEST_SKIP() << "no .xlsx in this build";
    for (int i = 0; i < 70000; ++i) names.Append("Песня номер " + std::to_string(i) + ".mp3");
  }

  // Writes the names with a stop that `stop` requests; expects Finish to say so and the folder
  // to hold the old file as it was, and nothing else.
  void ExpectStopped(ListWriterOptions options, std::stop_source& stop, const char* where) {
    SCOPED_TRACE(where);
    WriteBytes(path, old_bytes);
    const auto before = FolderEntries(t.Root());
    options.control.stop = stop.get_token();
    {
      const auto writer = OpenListWriter(GetParam().format, path, test::FullLayout(), options);
      for (std::size_t i = 0; i < names.Size(); ++i) writer->Add(names[i]);
      EXPECT_FALSE(writer->Finish());
    }
    EXPECT_TRUE(stop.stop_requested()) << "the save never came there";
    EXPECT_EQ(ReadBytes(path), old_bytes);
    EXPECT_EQ(FolderEntries(t.Root()), before);
  }

  test::TempTree t;
  std::string path = t.Path(GetParam().file);
  std::string old_bytes = "the list saved before\r\n";
  NameColumn names;
};

TEST_P(StoppedSaveTest, AStopAnywhereBeforeTheCommitLeavesTheOldFile) {
  // At each phase the writer tells: part way through its rows, as the library begins to assemble
  // the workbook, as the commit begins.
  std::vector<WritePhase> told;
  for (const WritePhase phase : {WritePhase::Rows, WritePhase::Assembling, WritePhase::Committing}) {
    std::stop_source stop;
    ListWriterOptions options;
    test::WritingWatcher watcher([&](WritePhase p, std::uint64_t done, std::uint64_t) {
      if (told.empty() || told.back() != p) told.push_back(p);
      if (p == phase && (p != WritePhase::Rows || done > 0)) stop.request_stop();
    });
    options.control.progress = &watcher;
    const bool workbook = GetParam().format == ListFormat::Spreadsheet;
    const bool xlsx = GetParam().file == std::string("list.xlsx");
    if ((phase == WritePhase::Rows && !workbook) || (phase == WritePhase::Assembling && !xlsx)) continue;
    ExpectStopped(options, stop, "phase");
  }
  EXPECT_EQ(told.back(), WritePhase::Committing);

  // Through the file calls of the commit: as the bytes are synced, as the new file is closed, as
  // it gets its temporary name (POSIX), each time just before the stop is looked at.
  std::vector<test::FailingCall> calls{test::FailingCall::Sync, test::FailingCall::Close};
#ifdef _WIN32
  // Two handles cannot share the file here, so the .xlsx file is closed before the library fills
  // it (the stop then comes before the rows) and no sync follows.
  if (GetParam().file == std::string("list.xlsx")) calls = {test::FailingCall::Close};
#else
  calls.push_back(test::FailingCall::Link);
#endif
  for (const auto call : calls) {
    std::stop_source stop;
    const test::FailingFileSystem fs(call, [&] { stop.request_stop(); });
    ListWriterOptions options;
    options.file_system = &fs;
    ExpectStopped(options, stop, "file call");
  }
}

TEST_P(StoppedSaveTest, TheCallersStopAndSinkReachTheWriter) {
  WriteBytes(path, old_bytes);
  std::stop_source stop;
  test::WritingWatcher watcher([&](WritePhase phase, std::uint64_t, std::uint64_t) {
    if (phase == WritePhase::Committing) stop.request_stop();
  });
  EXPECT_FALSE(
      WriteList(GetParam().format, path, names, test::FullLayout(), {}, {stop.get_token(), &watcher}));
  EXPECT_EQ(ReadBytes(path), old_bytes);
  EXPECT_EQ(FolderEntries(t.Root()), std::vector<std::string>{GetParam().file});
}

// A cancel at a random moment, in a loop: where the new file has no name until it is complete
// (ext4, tmpfs) and where it has one from the start (no O_TMPFILE, as on vfat). The moments are
// random but seeded, spread over the time one save takes here.
TEST_P(StoppedSaveTest, ACancelAtARandomMomentLeavesTheOldFileOrTheWholeNewOne) {
  const test::FailingFileSystem named(test::FailingCall::Unnamed);
  std::vector<std::pair<std::string, const platform::FileSystem*>> places{{t.Path("list"), nullptr},
                                                                          {t.Path("named"), &named}};
#ifdef __linux__
  const test::TmpfsMount tmpfs(t.Root() / "tmpfs", "size=64m");
  if (tmpfs.Mounted()) places.emplace_back((t.Root() / "tmpfs" / "list").string(), nullptr);
#endif
  std::mt19937 random(20260);
  for (const auto& [folder, fs] : places) {
    SCOPED_TRACE(folder);
    std::filesystem::create_directories(PathFromUtf8(folder));
    const std::string target = folder + "/" + GetParam().file;
    ListWriterOptions options;
    options.file_system = fs;
    WriteBytes(target, old_bytes);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(WriteList(GetParam().format, target, names, test::FullLayout(), options, {}));
    const auto one_save =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    const std::string complete = ReadBytes(target);
    std::uniform_int_distribution<std::int64_t> after(0, one_save.count() * 3 / 2);
    for (int round = 0; round < 5; ++round) {
      WriteBytes(target, old_bytes);
      std::stop_source stop;
      std::thread cancel([&, wait = after(random)] {
        std::this_thread::sleep_for(std::chrono::microseconds(wait));
        stop.request_stop();
      });
      WorkControl control;
      control.stop = stop.get_token();
      const bool saved = WriteList(GetParam().format, target, names, test::FullLayout(), options, control);
      cancel.join();
      const std::string now = ReadBytes(target);
      // An .xlsx holds its creation time: a whole new one ends with the zip's closing record.
      const bool whole = now == complete || (GetParam().file == std::string("list.xlsx") && now.size() > 22 &&
                                             now.compare(now.size() - 22, 4, "PK\x05\x06") == 0);
      EXPECT_TRUE(saved ? whole : now == old_bytes) << "round " << round << ", saved " << saved;
      EXPECT_EQ(FolderEntries(PathFromUtf8(folder)), std::vector<std::string>{GetParam().file}) << round;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, StoppedSaveTest,
                         ::testing::Values(Case{"text", ListFormat::Text, "list.txt"},
                                           Case{"html", ListFormat::Html, "list.html"},
                                           Case{"xls", ListFormat::Spreadsheet, "list.xls"},
                                           Case{"xlsx", ListFormat::Spreadsheet, "list.xlsx"}),
                         [](const auto& param_info) { return std::string(param_info.param.label); });

}  // namespace
}  // namespace brixel
