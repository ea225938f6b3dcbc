// The column list, a row's fields, the text of typed values, the legacy code page's detection and
// the facts of an entry.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "core/details/detail_row.h"
#include "core/details/details_column.h"
#include "core/details/field_text.h"
#include "core/details/tag_encoding.h"
#include "tests/details/read_details.h"
#include "tests/support/temp_tree.h"

namespace brixel {
namespace {

TEST(Columns, ParsesTheListInItsOrderWithTheNameFirstWhenLeftOut) {
  Columns got;
  EXPECT_EQ(ParseColumns("size, Folder ,name", got), "");
  EXPECT_EQ(got, (Columns{Column::Size, Column::Folder, Column::Name}));
  EXPECT_EQ(ParseColumns("year,track", got), "");
  EXPECT_EQ(got, (Columns{Column::Name, Column::Year, Column::Track}));
  EXPECT_EQ(ParseColumns("name,folder,size,modified,duration,artist,title,album,track,year", got), "");
  EXPECT_EQ(got, Columns(kAllColumns.begin(), kAllColumns.end()));
  EXPECT_FALSE(IsNamesOnly(got));
  EXPECT_TRUE(IsNamesOnly({Column::Name}));
}

TEST(Columns, BadListsAreUsageErrorsThatLeaveTheChoiceAlone) {
  Columns kept{Column::Size};
  for (const char* bad : {"", " ", "size,", ",size", "size,,year", "bitrate", "size,size", "name,Name"}) {
    SCOPED_TRACE(bad);
    EXPECT_NE(ParseColumns(bad, kept), "");
    EXPECT_EQ(kept, Columns{Column::Size});
  }
  EXPECT_NE(ParseColumns("bitrate", kept).find("'bitrate'"), std::string::npos);
}

TEST(DetailRow, FieldsFollowTheColumnsAndMissingValuesAreEmpty) {
  FileDetails d;
  d.folder = "Rock/1999";
  d.size = 1234;
  d.audio.track = 7;
  std::vector<Field> row;
  FillRow({Column::Track, Column::Name, Column::Size, Column::Year, Column::Folder, Column::Artist},
          "01 a.mp3", d, row);
  ASSERT_EQ(row.size(), 6u);
  EXPECT_EQ(std::get<Number>(row[0].value).value, 7u);
  EXPECT_EQ(std::get<std::string_view>(row[1].value), "01 a.mp3");
  EXPECT_EQ(std::get<ByteCount>(row[2].value).bytes, 1234u);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(row[3].value));
  EXPECT_EQ(std::get<std::string_view>(row[4].value), "Rock/1999");
  EXPECT_TRUE(std::holds_alternative<std::monostate>(row[5].value));
}

bool SameDetails(const FileDetails& a, const FileDetails& b) {
  return a.folder == b.folder && a.size == b.size && a.modified == b.modified && a.audio == b.audio;
}

TEST(DetailsColumn, KeepsEveryRecordWhateverIsMissingAndFollowsAPermutation) {
  std::vector<FileDetails> records(5);
  records[0] = {"", 0, LocalTime{-86400, -3600}, {0, "", "", "", 0, 0}};  // zeros are values
  records[1] = {"Rock/1999", 5, std::nullopt, {187, "Кино", "Кукушка", "Чёрный альбом", 9, 1990}};
  records[2] = {"Rock/1999", std::nullopt, LocalTime{1709249405, 3 * 3600}, {}};
  records[3] = {"Jazz", 18446744073709551614u, std::nullopt, {std::nullopt, "", "t", "", std::nullopt, 2024}};
  records[4] = records[1];
  DetailsColumn column;
  for (const FileDetails& d : records) column.Append(d);
  ASSERT_EQ(column.Size(), 5u);
  FileDetails got;
  for (std::size_t i = 0; i < records.size(); ++i) {
    column.Read(i, got);
    EXPECT_TRUE(SameDetails(got, records[i])) << i;
  }
  const std::vector<std::uint32_t> order{3, 1, 4, 0, 2};
  column.Permute(order);
  for (std::size_t i = 0; i < order.size(); ++i) {
    column.Read(i, got);
    EXPECT_TRUE(SameDetails(got, records[order[i]])) << i;
  }
  column.Append(records[2]);  // a folder known before the permutation
  column.Read(5, got);
  EXPECT_EQ(got.folder, "Rock/1999");
}

TEST(FieldText, DurationsDatesAndOffsets) {
  EXPECT_EQ(FormatDuration(0), "0:00");
  EXPECT_EQ(FormatDuration(59), "0:59");
  EXPECT_EQ(FormatDuration(3599), "59:59");
  EXPECT_EQ(FormatDuration(3600), "1:00:00");
  EXPECT_EQ(FormatDuration(100 * 3600 + 61), "100:01:01");
  EXPECT_EQ(FormatDurationWithHours(187), "0:03:07");
  // 2024-02-29 23:30:05 UTC: Moscow is already on 1 March, New York still on 29 February.
  const std::int64_t leap = 1709249405;
  EXPECT_EQ(FormatIso8601({leap, 3 * 3600}), "2024-03-01T02:30:05+03:00");
  EXPECT_EQ(FormatIso8601({leap, -5 * 3600}), "2024-02-29T18:30:05-05:00");
  EXPECT_EQ(FormatIso8601({leap, 5 * 3600 + 45 * 60}), "2024-03-01T05:15:05+05:45");
  EXPECT_EQ(FormatLocalDateTime({-1, 0}), "1969-12-31 23:59:59");
  EXPECT_EQ(FormatLocalDateTime({253402300800, 0}), "10000-01-01 00:00:00");
  std::string text;
  AppendFieldText(ByteCount{18446744073709551615u}, text);
  EXPECT_EQ(text, "18446744073709551615");
}

TEST(TagEncodingRule, WindowsCodePageOnlyForItsLettersAndNeverWithAnUndefinedByte) {
  EXPECT_TRUE(LooksLikeCp1251("\xCA\xE8\xED\xEE"));    // "Кино"
  EXPECT_TRUE(LooksLikeCp1251("\xB8\xEB\xEA\xE0 1"));  // "ёлка 1": 0xB8 is defined too
  EXPECT_FALSE(LooksLikeCp1251("plain ASCII"));
  EXPECT_FALSE(LooksLikeCp1251("\xA9 \xAE \xB0"));        // Latin-1 signs only
  EXPECT_FALSE(LooksLikeCp1251("\xCA\xE8\x98\xED\xEE"));  // 0x98: no Windows-1251 text
  EXPECT_EQ(DecodeLegacyTagText("\xCA\xE8\xED\xEE", TagEncoding::Auto), "Кино");
  EXPECT_EQ(DecodeLegacyTagText("\xCA\xE8\xED\xEE", TagEncoding::Latin1), "Êèíî");
  EXPECT_EQ(DecodeLegacyTagText("\xA8", TagEncoding::Cp1251), "Ё");
  EXPECT_EQ(DecodeLegacyTagText("\xA8", TagEncoding::Auto), "¨");
  TagEncoding e = TagEncoding::Auto;
  EXPECT_EQ(ParseTagEncoding("cp1251", e), "");
  EXPECT_EQ(e, TagEncoding::Cp1251);
  EXPECT_NE(ParseTagEncoding("koi8-r", e), "");
  EXPECT_EQ(e, TagEncoding::Cp1251);
}

TEST(EntryFacts, SizeTimeAndTheLocalOffsetOfThatMoment) {
  test::TempTree tree;
  tree.File("a.txt", "12345");
  // 2010-07-01 12:00 UTC, when Moscow kept summer time (+04:00); it keeps +03:00 today.
  const auto when = std::filesystem::file_time_type::clock::now() +
                    (std::chrono::sys_seconds(std::chrono::seconds(1277985600)) -
                     std::chrono::time_point_cast<std::chrono::seconds>(std::chrono::system_clock::now()));
  std::filesystem::last_write_time(tree.Root() / "a.txt", when);
  const FileDetails got = test::ReadDetails(tree.Path(), "a.txt", {true, false});
  ASSERT_TRUE(got.size && got.modified);
  EXPECT_EQ(*got.size, 5u);
  EXPECT_NEAR(static_cast<double>(got.modified->seconds), 1277985600.0, 1.0);
#ifndef _WIN32
  const char* saved = std::getenv("TZ");
  const std::string previous = saved ? saved : "";
  ::setenv("TZ", "Europe/Moscow", 1);
  const std::int32_t summer_2010 = platform::UtcOffsetAt(1277985600);
  const std::int32_t summer_2020 = platform::UtcOffsetAt(1593604800);
  ::setenv("TZ", "America/New_York", 1);
  const std::int32_t winter = platform::UtcOffsetAt(1577880000);  // 2020-01-01 12:00 UTC
  saved ? ::setenv("TZ", previous.c_str(), 1) : ::unsetenv("TZ");
  ::tzset();
  if (!std::filesystem::exists("/usr/share/zoneinfo/Europe/Moscow")) GTEST_SKIP() << "no time zone data";
  EXPECT_EQ(summer_2010, 4 * 3600);
  EXPECT_EQ(summer_2020, 3 * 3600);
  EXPECT_EQ(winter, -5 * 3600);
#endif
}

}  // namespace
}  // namespace brixel
