// The walk with details read beside it: every file's details stay with its name through reader
// threads, chunks, batches and sorting; a stop or a failing target ends the readers at once.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <stop_token>
#include <string>

#include "core/listing/detailed_listing.h"
#include "core/platform/file_path.h"
#include "core/platform/folder_path.h"
#include "tests/listing/scan_names.h"
#include "tests/support/temp_tree.h"

namespace brixel {
namespace {

// More files in one folder than a batch and many chunks, so the readers finish out of order.
constexpr int kBigFolderFiles = 4500;
const DetailsRequest kEntry{.entry = true};

struct CollectRows : DetailedTarget {
  test::Names names;
  std::vector<FileDetails> rows;
  void Append(std::string_view name, const FileDetails& details) override {
    names.emplace_back(name);
    rows.push_back(details);
  }
};

// Each file's size is the number in its name: a record that moved to another name shows.
class DetailsWalkTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    tree_ = new test::TempTree;
    for (int i = 0; i < kBigFolderFiles; ++i) AddFile("big", i, i % 3 ? ".dat" : ".bin");
    for (int f = 0; f < 40; ++f)
      for (int i = 0; i < 3; ++i) AddFile("small/" + std::to_string(f), 10000 + f * 10 + i, ".dat");
  }
  static void TearDownTestSuite() { delete tree_; }

  static void AddFile(const std::string& folder, int number, const char* extension) {
    const std::string relative = folder + "/" + std::to_string(number) + extension;
    tree_->File(relative);
    std::filesystem::resize_file(PathFromUtf8(tree_->Path(relative)), static_cast<std::uintmax_t>(number));
  }

  static void ExpectRowsFollowNames(const test::Names& names, const std::vector<FileDetails>& rows) {
    ASSERT_EQ(names.size(), rows.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
      const std::uint64_t number = std::stoull(names[i]);
      ASSERT_EQ(rows[i].size, number) << names[i];
      ASSERT_EQ(rows[i].folder, number < 10000 ? std::string("big")
                                               : "small" + std::string(PreferredSeparator()) +
                                                     std::to_string((number - 10000) / 10))
          << names[i];
      ASSERT_TRUE(rows[i].modified.has_value()) << names[i];
    }
  }

  static ScanRequest Request(ScanOrder order = ScanOrder::AsFound) {
    return {.folder = tree_->Path(), .mask_line = "*.dat; *.bin", .subfolders = true, .order = order};
  }

  static test::TempTree* tree_;
};

test::TempTree* DetailsWalkTest::tree_ = nullptr;

TEST_F(DetailsWalkTest, EachRecordStaysWithItsNameInScanAndSortedOrder) {
  CollectRows found;
  const ScanReport report = ScanWithDetails(Request(), kEntry, found);
  EXPECT_FALSE(report.stopped);
  EXPECT_EQ(found.names, test::ScanNames(tree_->Path(), "*.dat; *.bin", true));
  ExpectRowsFollowNames(found.names, found.rows);

  DetailedListing sorted;
  ListWithDetails(Request(ScanOrder::Sorted), kEntry, sorted);
  CollectRows rows;
  FileDetails row;
  for (std::size_t i = 0; i < sorted.names.Size(); ++i) {
    sorted.details.Read(i, row);
    rows.Append(sorted.names[i], row);
  }
  ExpectRowsFollowNames(rows.names, rows.rows);
}

TEST_F(DetailsWalkTest, AStopOrAFailingTargetEndsTheReadersAtOnce) {
  struct StopAfter : CollectRows {
    std::stop_source source;
    void Append(std::string_view name, const FileDetails& details) override {
      CollectRows::Append(name, details);
      if (names.size() == 100) source.request_stop();
    }
  } stopping;
  const ScanReport report =
      ScanWithDetails(Request(), kEntry, stopping, {.stop = stopping.source.get_token()});
  EXPECT_TRUE(report.stopped);
  EXPECT_EQ(stopping.names.size(), 100u);  // nothing is handed on after the stop

  struct FailAfter : DetailedTarget {
    int appended = 0;
    void Append(std::string_view, const FileDetails&) override {
      if (++appended == 100) throw std::runtime_error("disk full");
    }
  } failing;
  EXPECT_THROW(ScanWithDetails(Request(), kEntry, failing), std::runtime_error);
}

}  // namespace
}  // namespace brixel
