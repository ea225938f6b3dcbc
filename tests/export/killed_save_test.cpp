// A save killed at any moment (kill -9) leaves the old list or the whole new one - never part of
// it - and no temporary file. The kill points are random but seeded, spread over the time one
// save takes here, so every run tries the same moments of the save.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <random>
#include <thread>

#include "core/export/list_writer.h"
#include "tests/export/export_test_util.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_tree.h"

namespace brixel {
namespace {

using test::FolderEntries;
using test::ReadBytes;
using test::SaveList;
using test::WriteBytes;

using Case = test::FormatCase;

class KilledSaveTest : public ::testing::TestWithParam<Case> {
 protected:
  // A text list is written in chunks of a megabyte: this one takes several, so a kill can come
  // between two of them.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    const int count = GetParam().format == ListFormat::Text ? 150000 : 20000;
    for (int i = 0; i < count; ++i) names.push_back("Песня номер " + std::to_string(i) + ".mp3");
    return names;
  }

  test::TempTree t;
  std::string path = t.Path(GetParam().file);
  // Long enough that copying it takes a while: a kill lands inside the copy too.
  std::string old_bytes = std::string(1 << 20, 'o') + "\r\n";
};

TEST_P(KilledSaveTest, LeavesTheOldFileOrTheWholeNewOneAndNoTemporaryFile) {
  const auto names = Names();
  WriteBytes(path, old_bytes);
  const auto start = std::chrono::steady_clock::now();
  SaveList(GetParam().format, path, names);
  const auto one_save = std::chrono::steady_clock::now() - start;
  const std::string complete = ReadBytes(path);

  std::mt19937 random(20130);
  std::uniform_int_distribution<std::int64_t> kill_after(
      0, std::chrono::duration_cast<std::chrono::microseconds>(one_save).count() * 3 / 2);
  int killed = 0;
  for (int round = 0; round < 12; ++round) {
    WriteBytes(path, old_bytes);
    const pid_t child = test::StartChild([&] {
      SaveList(GetParam().format, path, names);
      return 0;
    });
    ASSERT_GT(child, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(kill_after(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) ++killed;
    const std::string now = ReadBytes(path);
    EXPECT_TRUE(now == old_bytes || now == complete)
        << "round " << round << ": " << now.size() << " bytes, not " << old_bytes.size() << " or "
        << complete.size();
    EXPECT_EQ(FolderEntries(t.Root()), std::vector<std::string>{GetParam().file}) << "round " << round;
  }
  EXPECT_GT(killed, 0) << "no kill came before the save ended";
}

TEST_P(KilledSaveTest, NoFileOfTheSaveHasANameBeforeItCompletes) {
  WriteBytes(path, old_bytes);
  const auto writer = OpenListWriter(GetParam().format, path, test::FullLayout());
  for (const auto& name : Names()) writer->Add(name);
  EXPECT_EQ(FolderEntries(t.Root()), std::vector<std::string>{GetParam().file});
  writer->Finish();
  EXPECT_EQ(FolderEntries(t.Root()), std::vector<std::string>{GetParam().file});
}

INSTANTIATE_TEST_SUITE_P(Formats, KilledSaveTest,
                         ::testing::Values(Case{"text", ListFormat::Text, "list.txt"},
                                           Case{"html", ListFormat::Html, "list.html"},
                                           Case{"xls", ListFormat::Spreadsheet, "list.xls"}),
                         [](const auto& param_info) { return std::string(param_info.param.label); });

}  // namespace
}  // namespace brixel
