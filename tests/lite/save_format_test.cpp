#include "lite/save_format.h"

#include <gtest/gtest.h>

#include "core/platform/file_path.h"

namespace brixel {
namespace {

TEST(SaveFormatTest, EntriesNameTheirWriterAndExtension) {
  EXPECT_EQ(SaveFormatExtension("*.xls"), ".xls");
  EXPECT_EQ(SaveFormatExtension("*.htm"), ".htm");
  EXPECT_EQ(ListFormatForEntry("*.txt"), ListFormat::Text);
  EXPECT_EQ(ListFormatForEntry("*.xls"), ListFormat::Spreadsheet);
  EXPECT_EQ(ListFormatForEntry("*.htm"), ListFormat::Html);
  EXPECT_EQ(ListFormatForEntry("*.html"), std::nullopt);
  EXPECT_EQ(kSaveFormatEntries[kStartSaveFormatIndex], "*.txt");
}

TEST(SaveFormatTest, FormatChoiceReplacesTheLastFourCharactersWhateverTheyAre) {
  EXPECT_EQ(OutputTextAfterFormatChoice("/opt/brixel/brixel-kzd.txt", "*.xls"), "/opt/brixel/brixel-kzd.xls");
  EXPECT_EQ(OutputTextAfterFormatChoice("/home/u/playlist", "*.htm"), "/home/u/play.htm");
  EXPECT_EQ(OutputTextAfterFormatChoice("abcd", "*.txt"), ".txt");
  // Characters, not bytes: no Cyrillic letter is cut in half.
  EXPECT_EQ(OutputTextAfterFormatChoice("/tmp/список", "*.txt"), "/tmp/сп.txt");
}

TEST(SaveFormatTest, JsonSwapsItsWholeExtensionBothWays) {
  EXPECT_EQ(ListFormatForEntry("*.json"), ListFormat::Json);
  EXPECT_EQ(OutputTextAfterFormatChoice("/home/u/list.txt", "*.json"), "/home/u/list.json");
  EXPECT_EQ(OutputTextAfterFormatChoice("/home/u/list.json", "*.txt"), "/home/u/list.txt");
  EXPECT_EQ(OutputTextAfterFormatChoice("/home/u/list.json", "*.json"), "/home/u/list.json");
  EXPECT_EQ(OutputTextFromDialog("/home/u/list", "*.json"), "/home/u/list.json");
  EXPECT_EQ(DefaultOutputFile("/", "*.json"), "/brixel-kzd.json");
}

TEST(SaveFormatTest, FormatChoiceKeepsAnEmptyBoxEmptyAndAShortTextWhole) {
  EXPECT_EQ(OutputTextAfterFormatChoice("", "*.xls"), "");
  EXPECT_EQ(OutputTextAfterFormatChoice("a", "*.xls"), "a.xls");
  EXPECT_EQ(OutputTextAfterFormatChoice("ёжи", "*.htm"), "ёжи.htm");
}

TEST(SaveFormatTest, DialogNameAlwaysGetsTheExtension) {
  EXPECT_EQ(OutputTextFromDialog("/home/u/list.txt", "*.txt"), "/home/u/list.txt.txt");
  EXPECT_EQ(OutputTextFromDialog("/home/u/list", "*.htm"), "/home/u/list.htm");
}

TEST(SaveFormatTest, DefaultOutputFileJoinsWithOneSeparator) {
  const std::string sep = PreferredSeparator();
  EXPECT_EQ(DefaultOutputFile("/opt/brixel", "*.txt"), "/opt/brixel" + sep + "brixel-kzd.txt");
  EXPECT_EQ(DefaultOutputFile("/", "*.txt"), "/brixel-kzd.txt");
  EXPECT_EQ(DefaultOutputFile("C:" + sep, "*.xls"), "C:" + sep + "brixel-kzd.xls");
}

}  // namespace
}  // namespace brixel
