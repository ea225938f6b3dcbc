// The pieces of the .xls writer that readers cannot show directly: container sizing, the cell
// layout arithmetic, the width estimate, and the list that does not fit.
#include <gtest/gtest.h>

#include "core/export/column_width.h"
#include "core/export/compound_file.h"
#include "core/export/save_error.h"
#include "core/export/sheet_layout.h"
#include "core/export/xls_list_writer.h"
#include "core/platform/file_system.h"
#include "tests/support/temp_tree.h"
#include "tests/support/workbook_check.h"

namespace brixel {
namespace {

TEST(CompoundFileTest, FatCoversEverySectorAndDifatStartsPast109FatSectors) {
  for (const std::uint64_t stream : {std::uint64_t{4096}, std::uint64_t{6'000'000}, std::uint64_t{7'200'000},
                                     std::uint64_t{24'000'000}, std::uint64_t{81'000'000}}) {
    const CompoundFile file(stream);
    const std::uint64_t sectors = file.StreamSectors() + file.FatSectors() + file.DifatSectors() + 1;
    EXPECT_GE(file.FatSectors() * 128, sectors) << stream;
    EXPECT_LT((file.FatSectors() - 1) * 128, sectors) << stream;  // no more FAT than needed
    const std::uint64_t beyond_header = file.FatSectors() > 109 ? file.FatSectors() - 109 : 0;
    EXPECT_EQ(file.DifatSectors(), (beyond_header + 126) / 127) << stream;
  }
  EXPECT_EQ(CompoundFile(6'000'000).DifatSectors(), 0u);
  EXPECT_GT(CompoundFile(24'000'000).DifatSectors(), 0u);
}

TEST(CompoundFileTest, OneNameWorkbookIsPaddedPastTheMiniStreamCutoff) {
  test::TempTree t;
  const std::string path = t.Path("one.xls");
  XlsListWriter writer(path, test::FullLayout(), platform::NativeFileSystem());
  writer.Add("a");
  writer.Finish();
  const std::string bytes = test::ReadBytes(path);
  ASSERT_GE(bytes.size(), 512u + 4096u);
  // The Workbook entry (second in the directory, the file's last sector) records the size.
  const std::string dir = bytes.substr(bytes.size() - 512);
  std::uint32_t size = 0;
  for (std::size_t i = 4; i-- > 0;) size = size << 8 | static_cast<unsigned char>(dir[128 + 120 + i]);
  EXPECT_EQ(size, 4096u);
}

TEST(SheetLayoutTest, ColumnsOf65534NamesFromRowTwoOrRowOne) {
  const SheetLayout full(1), lite(0);
  EXPECT_EQ(full.PositionOf(0).row, 1u);
  EXPECT_EQ(full.PositionOf(65533).row, 65534u);  // A65535
  EXPECT_EQ(full.PositionOf(65534).row, 1u);      // B2
  EXPECT_EQ(full.PositionOf(65534).column, 1u);
  EXPECT_EQ(lite.PositionOf(65533).row, 65533u);                        // A65534
  EXPECT_EQ(lite.PositionOf(65534).row, 0u);                            // B1
  EXPECT_EQ(full.PositionOf(SheetLayout::kMaxNames - 1).column, 255u);  // IV
  EXPECT_EQ(full.IndexAt(1, 1), 65534u);
  EXPECT_EQ(SheetLayout::ColumnsFor(65535), 2u);
}

TEST(ColumnWidthTest, WiderTextNeverGivesANarrowerColumn) {
  EXPECT_LT(EstimateTextPixels("iiii"), EstimateTextPixels("0000"));
  EXPECT_LT(EstimateTextPixels("0000"), EstimateTextPixels("WWWW"));
  EXPECT_EQ(EstimateTextPixels("ж"), EstimateTextPixels("W"));
  EXPECT_GT(EstimateTextPixels("日本"), EstimateTextPixels("ab"));
  EXPECT_EQ(EstimateTextPixels("\xFF"), 7u);  // an invalid byte counts as one character

  ColumnWidths widths;
  std::uint16_t last_xls = 0;
  double last_xlsx = 0;
  for (std::uint32_t pixels : {0u, 7u, 70u, 700u, 1800u, 100000u}) {
    widths.Note(0, pixels);
    EXPECT_GE(widths.XlsWidth(0), last_xls);
    EXPECT_GE(widths.XlsxWidth(0), last_xlsx);
    last_xls = widths.XlsWidth(0);
    last_xlsx = widths.XlsxWidth(0);
  }
  EXPECT_EQ(widths.XlsWidth(0), 255 * 256);  // the format's widest column
  EXPECT_EQ(widths.XlsxWidth(0), 255.0);
  widths.Note(2, 70);
  EXPECT_EQ(widths.Count(), 3u);  // a column between keeps its place
}

TEST(XlsListWriterTest, ANameLongerThanACellIsAFailureNotATruncation) {
  test::TempTree t;
  XlsListWriter writer(t.Path("long.xls"), test::FullLayout(), platform::NativeFileSystem());
  writer.Add(std::string(32767, 'x'));
  EXPECT_THROW(writer.Add(std::string(32768, 'x')), SaveError);
}

TEST(XlsListWriterTest, AListPastColumnIVFailsAndLeavesNoFile) {
  test::TempTree t;
  {
    XlsListWriter writer(t.Path("huge.xls"), test::FullLayout(), platform::NativeFileSystem());
    // Empty names take a place each but no string: the quickest way to fill 256 columns.
    for (std::uint64_t i = 0; i < SheetLayout::kMaxNames; ++i) writer.Add("");
    EXPECT_THROW(writer.Add("one too many"), SaveError);
  }
  EXPECT_TRUE(std::filesystem::is_empty(t.Root()));
}

}  // namespace
}  // namespace brixel
