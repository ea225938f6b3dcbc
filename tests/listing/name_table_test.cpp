#include "core/listing/name_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/listing/name_column.h"
#include "core/platform/collation.h"
#include "tests/support/temp_tree.h"

namespace brixel {
namespace {

// Columns grow by reallocation far past any first size, and copies, moves and swaps keep every
// name, the empty one too.
TEST(NameColumn, GrowsCopiesAndSwapsWholeNames) {
  NameColumn column;
  std::vector<std::string> names;
  for (std::size_t i = 0; i < 100000; ++i)
    names.push_back(i % 1000 == 0 ? "" : std::string(i % 37, static_cast<char>('a' + i % 26)));
  for (const auto& n : names) column.Append(n);
  NameColumn copy = column;
  NameColumn moved = std::move(copy);
  NameColumn other;
  other.Append("x");
  other.Swap(moved);
  ASSERT_EQ(other.Size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) ASSERT_EQ(other[i], names[i]);
  EXPECT_EQ(moved.Size(), 1u);
  EXPECT_EQ(moved[0], "x");
  other = moved;
  EXPECT_EQ(other.Size(), 1u);
  column.Clear();
  EXPECT_TRUE(column.Empty());
  EXPECT_EQ(column.ByteSize(), 0u);
}

TEST(NameTable, BlankRowAndCountText) {
  NameTable table;
  table.StartListing();
  table.FinishListing();
  EXPECT_EQ(table.RowCount(), 1u);
  EXPECT_EQ(table.AsFound()[0], "");
  EXPECT_EQ(table.CountText(), "0");

  table.StartListing();
  for (int i = 1; i <= 12; ++i) table.Append(std::string("n").append(std::to_string(i)));
  table.FinishListing();
  EXPECT_EQ(table.RowCount(), 12u);
  EXPECT_EQ(table.CountText(), " 12");
}

TEST(NameTable, ListingSortsTheWholeTreeOnce) {
  test::TempTree t;
  t.Files({"b.mp3", "sub/a.mp3", "sub/c.wav", "a.wav"});
  NameTable table;
  const Collator root("");
  RunListing(table, {t.Path(), "*.mp3; *.wav", true, ScanOrder::Sorted, &root});
  ASSERT_EQ(table.RowCount(), 4u);
  EXPECT_EQ(table.AsFound()[0], "a.mp3");
  EXPECT_EQ(table.AsFound()[1], "a.wav");
  EXPECT_EQ(table.AsFound()[3], "c.wav");
  EXPECT_EQ(table.CountText(), " 4");
  RunListing(table, {t.Path(), "*.mp3", false, ScanOrder::Sorted, &root});
  EXPECT_EQ(table.CountText(), " 1");
}

}  // namespace
}  // namespace brixel
