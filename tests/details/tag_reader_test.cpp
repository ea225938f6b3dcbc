// Tags and durations of real files of every format, against what mutagen read from them
// (fixtures/make_fixtures.py made them and wrote expected.tsv).
#include "core/details/tag_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "tests/details/read_details.h"

namespace brixel {
namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  std::string field;
  while (std::getline(in, field, '\t')) fields.push_back(field);
  if (!line.empty() && line.back() == '\t') fields.emplace_back();
  return fields;
}

std::optional<std::uint32_t> Number(const std::string& text) {
  if (text.empty()) return std::nullopt;
  return static_cast<std::uint32_t>(std::stoul(text));
}

TEST(TagReader, ReadsWhatMutagenReadsInEveryFormatAndEncoding) {
  if (!TagsAvailable()) GTEST_SKIP() << "a build without TagLib";
  std::ifstream expected(std::string(BRIXEL_TAG_FIXTURES) + "/expected.tsv", std::ios::binary);
  ASSERT_TRUE(expected) << BRIXEL_TAG_FIXTURES;
  std::string line;
  int checked = 0;
  while (std::getline(expected, line)) {
    const std::vector<std::string> f = SplitTabs(line);
    ASSERT_EQ(f.size(), 8u) << line;
    SCOPED_TRACE(f[0] + " read as " + f[1]);
    DetailsRequest request{false, true};
    ASSERT_TRUE(ParseTagEncoding(f[1], request.tag_encoding).empty());
    const FileDetails got = test::ReadDetails(BRIXEL_TAG_FIXTURES, f[0], request);
    EXPECT_EQ(got.audio.duration, Number(f[2]));
    EXPECT_EQ(got.audio.artist, f[3]);
    EXPECT_EQ(got.audio.title, f[4]);
    EXPECT_EQ(got.audio.album, f[5]);
    EXPECT_EQ(got.audio.track, Number(f[6]));
    EXPECT_EQ(got.audio.year, Number(f[7]));
    EXPECT_FALSE(got.size) << "size was not asked for";
    ++checked;
  }
  EXPECT_GE(checked, 17);
}

TEST(TagReader, ReadsSizeAndTimeFromTheFileItOpenedForTags) {
  if (!TagsAvailable()) GTEST_SKIP() << "a build without TagLib";
  const FileDetails both = test::ReadDetails(BRIXEL_TAG_FIXTURES, "aac.m4a", {true, true});
  const FileDetails entry = test::ReadDetails(BRIXEL_TAG_FIXTURES, "aac.m4a", {true, false});
  EXPECT_EQ(both.audio.title, "Полковнику");
  ASSERT_TRUE(both.size && entry.size && both.modified && entry.modified);
  EXPECT_EQ(*both.size, *entry.size);
  EXPECT_EQ(both.modified->seconds, entry.modified->seconds);
  EXPECT_TRUE(test::NoAudio(entry));
}

TEST(TagReader, OpensOnlyNamesWithAnAudioExtension) {
  if (!TagsAvailable()) GTEST_SKIP() << "a build without TagLib";
  for (const char* name : {"a.mp3", "B.FLAC", "c.Ogg", "d.opus", "e.m4a", "f.wma", "g.wav", "h.oga"})
    EXPECT_TRUE(HasAudioExtension(name)) << name;
  for (const char* name : {"mp3", "a.mp3.txt", "a.", "a.jpg", ".mp3x"})
    EXPECT_FALSE(HasAudioExtension(name)) << name;
}

}  // namespace
}  // namespace brixel
