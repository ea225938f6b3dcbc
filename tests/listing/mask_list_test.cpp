#include "core/listing/mask_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "tests/support/temp_tree.h"

namespace brixel {
namespace {

using Lines = std::vector<std::string>;

TEST(MaskList, BuiltInLinesInOrder) {
  EXPECT_EQ(BuiltInMaskLines(),
            (Lines{"*.mp3; *.wav", "*.mp3", "*.wav", "*.txt", "*.jpg", "*.bmp", "*.png", "*.jpg; *.png"}));
}

TEST(MaskList, AnyMixOfLineEndsGivesTheSameLines) {
  const Lines expected{"*.ogg", "*.flac; *.ape"};
  for (const char* bytes : {"*.ogg\r\n*.flac; *.ape\r\n", "*.ogg\n*.flac; *.ape\n", "*.ogg\r*.flac; *.ape\r",
                            "*.ogg\r\n\r\n\n\n*.flac; *.ape"})
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
  EXPECT_TRUE(LoadMaskFile(tree.Path()).empty());
  EXPECT_TRUE(std::filesystem::exists(tree.Root() / "rasshirenia.txt"));
  test::WriteBytes(tree.Path("rasshirenia.txt"), "*.ogg\r\n*.mid\r\n");
  EXPECT_EQ(LoadMaskFile(tree.Path()), (Lines{"*.ogg", "*.mid"}));
}

TEST(MaskList, UnusableFolderGivesNoLinesSilently) {
  test::TempTree tree;
  EXPECT_TRUE(LoadMaskFile(tree.Path("no/such/folder")).empty());
}

TEST(MaskList, WhatIsNoRegularFileGivesNoLinesSilently) {
  test::TempTree tree;
  for (const auto kind : {test::NotAFile::Folder, test::NotAFile::Fifo, test::NotAFile::EndlessDevice}) {
    const std::string folder = tree.Path(std::to_string(static_cast<int>(kind)));
    tree.Folder(std::to_string(static_cast<int>(kind)));
    if (!test::MakeNotAFile(folder + "/rasshirenia.txt", kind)) continue;  // no FIFOs on Windows
    EXPECT_TRUE(LoadMaskFile(folder).empty()) << static_cast<int>(kind);
  }
#ifndef _WIN32
  // A link that leads nowhere is not followed to create its target.
  tree.Folder("dangling");
  ASSERT_EQ(::symlink(tree.Path("target.txt").c_str(), tree.Path("dangling/rasshirenia.txt").c_str()), 0);
  EXPECT_TRUE(LoadMaskFile(tree.Path("dangling")).empty());
  EXPECT_FALSE(std::filesystem::exists(tree.Root() / "target.txt"));
#endif
}

TEST(MaskList, OnlyTheFirstBytesAreReadAndTheLineCutThereIsDropped) {
  // 1,682-byte lines of Cyrillic after one empty line (fewer lines than the line limit fill the
  // bytes): the limit falls inside a letter, which would make the whole file invalid UTF-8 (and so
  // read as Windows-1251) if it were kept.
  const std::string line = "*." + [] {
    std::string s;
    for (int i = 0; i < 840; ++i) s += "ж";
    return s;
  }();
  const std::size_t whole_lines = (kMaskFileLimit - 1) / (line.size() + 1);
  ASSERT_EQ((kMaskFileLimit - 1) % (line.size() + 1) % 2, 1u) << "the limit must cut a letter";
  std::string bytes = "\n";
  for (std::size_t i = 0; i < whole_lines + 10; ++i) bytes += line + "\n";
  test::TempTree tree;
  test::WriteBytes(tree.Path("rasshirenia.txt"), bytes);
  const Lines lines = LoadMaskFile(tree.Path());
  ASSERT_EQ(lines.size(), whole_lines);
  EXPECT_EQ(lines.front(), line);
  EXPECT_EQ(lines.back(), line);
}

TEST(MaskList, OnlyTheFirstTenThousandLinesAreRead) {
  // Short lines past the limit, as a runaway script writes them; the bytes past it do not count
  // for the encoding either.
  std::string bytes = "*.песня\n";
  for (std::size_t i = 1; i < kMaskFileLineLimit + 5; ++i) bytes += "*.a" + std::to_string(i) + "\r\n";
  bytes += "*.\xFF\n";
  test::TempTree tree;
  test::WriteBytes(tree.Path("rasshirenia.txt"), bytes);
  const MaskFileLines read = ReadMaskFile(tree.Path());
  EXPECT_TRUE(read.cut);
  ASSERT_EQ(read.lines.size(), kMaskFileLineLimit);
  EXPECT_EQ(read.lines.front(), "*.песня");
  EXPECT_EQ(read.lines.back(), "*.a" + std::to_string(kMaskFileLineLimit - 1));
  test::WriteBytes(tree.Path("rasshirenia.txt"), "*.a\n*.b\n");
  EXPECT_FALSE(ReadMaskFile(tree.Path()).cut);
}

TEST(MaskList, SplitGivesOneMaskPerSemicolonPlusOne) {
  EXPECT_EQ(SplitMaskLine("*.mp3; *.wav"), (Lines{"*.mp3", "*.wav"}));
  EXPECT_EQ(SplitMaskLine(" *.a ;;*.b; "), (Lines{"*.a", "", "*.b", ""}));
  EXPECT_EQ(SplitMaskLine(""), (Lines{""}));
  EXPECT_EQ(SplitMaskLine("\t*.a"), (Lines{"\t*.a"}));
}

}  // namespace
}  // namespace brixel
