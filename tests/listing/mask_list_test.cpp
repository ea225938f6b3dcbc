#include "core/listing/mask_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_tree.h"

namespace brixel {
namespace {

using Lines = std::vector<std::string>;

TEST(MaskList, BuiltInLinesInOrder) {
  EXPECT_EQ(BuiltInMaskLines(), (Lines{"*.mp3; *.wav", "*.mp3", "*.wav", "*.txt", "*.jpg", "*.bmp",
                                       "*.png", "*.jpg; *.png"}));
}

TEST(MaskList, AnyMixOfLineEndsGivesTheSameLines) {
  const Lines expected{"*.ogg", "*.flac; *.ape"};
  for (const char* bytes : {"*.ogg\r\n*.flac; *.ape\r\n", "*.ogg\n*.flac; *.ape\n",
                            "*.ogg\r*.flac; *.ape\r", "*.ogg\r\n\r\n\n\n*.flac; *.ape"})
    EXPECT_EQ(ParseMaskFile(bytes), expected) << bytes;
  EXPECT_EQ(ParseMaskFile(std::string("*.ogg\0*.flac; *.ape\0", 21)), expected);
}

TEST(MaskList, SpacesTrimmedAfterTheEmptinessTestTabsKept) {
  EXPECT_EQ(ParseMaskFile("  *.ogg  \n   \n\t*.a\t\n"), (Lines{"*.ogg", "", "\t*.a\t"}));
  EXPECT_TRUE(ParseMaskFile("").empty());
  EXPECT_TRUE(ParseMaskFile("\r\n\n\r").empty());
}

TEST(MaskList, LastLineWithoutLineEndIsAdded) {
  EXPECT_EQ(ParseMaskFile("*.a\n*.b"), (Lines{"*.a", "*.b"}));
}

TEST(MaskList, Utf16FileIsCutIntoOneCharacterLines) {
  // "*.a" in UTF-16LE with a byte-order mark: a NUL after every ASCII character.
  const std::string bytes("\xFF\xFE*\0.\0a\0", 8);
  const Lines lines = ParseMaskFile(bytes);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], ".");
  EXPECT_EQ(lines[2], "a");
}

TEST(MaskList, Utf8AndWindows1251Files) {
  EXPECT_EQ(ParseMaskFile("*.песня\n"), (Lines{"*.песня"}));
  EXPECT_EQ(ParseMaskFile("\xEF\xBB\xBF*.ё\n"), (Lines{"*.ё"}));
  EXPECT_EQ(ParseMaskFile("*.\xEF\xE5\xF1\xED\xFF\r\n"), (Lines{"*.песня"}));  // Windows-1251
}

TEST(MaskList, LoadCreatesAMissingFileEmpty) {
  test::TempTree tree;
  EXPECT_EQ(LoadMaskList(tree.Path()), BuiltInMaskLines());
  EXPECT_TRUE(std::filesystem::exists(tree.Root() / "rasshirenia.txt"));
  test::WriteBytes(tree.Path("rasshirenia.txt"), "*.ogg\r\n*.mid\r\n");
  const Lines lines = LoadMaskList(tree.Path());
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[8], "*.ogg");
  EXPECT_EQ(lines[9], "*.mid");
}

TEST(MaskList, UnusableFolderLeavesTheBuiltInLinesSilently) {
  test::TempTree tree;
  EXPECT_EQ(LoadMaskList(tree.Path("no/such/folder")), BuiltInMaskLines());
}

TEST(MaskList, SplitGivesOneMaskPerSemicolonPlusOne) {
  EXPECT_EQ(SplitMaskLine("*.mp3; *.wav"), (Lines{"*.mp3", "*.wav"}));
  EXPECT_EQ(SplitMaskLine(" *.a ;;*.b; "), (Lines{"*.a", "", "*.b", ""}));
  EXPECT_EQ(SplitMaskLine(""), (Lines{""}));
  EXPECT_EQ(SplitMaskLine("\t*.a"), (Lines{"\t*.a"}));
}

}  // namespace
}  // namespace brixel
