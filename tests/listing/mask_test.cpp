#include "core/listing/mask.h"

#include <gtest/gtest.h>

namespace brixel {
namespace {

TEST(MaskTest, EndingInAnyLetterCase) {
  const Mask mp3("*.mp3");
  EXPECT_TRUE(mp3.Matches("song.mp3"));
  EXPECT_TRUE(mp3.Matches("SONG.MP3"));
  EXPECT_TRUE(mp3.Matches("x.Mp3"));
  EXPECT_TRUE(mp3.Matches(".mp3"));
  EXPECT_FALSE(mp3.Matches("mp3"));
  EXPECT_FALSE(mp3.Matches("song.mp3.bak"));
  EXPECT_TRUE(Mask("*.MP3").Matches("song.mp3"));
}

TEST(MaskTest, HtmDoesNotListHtml) {
  EXPECT_FALSE(Mask("*.htm").Matches("page.html"));
  EXPECT_TRUE(Mask("*.htm").Matches("page.HTM"));
}

TEST(MaskTest, StarAloneListsEveryName) {
  const Mask all("*");
  EXPECT_TRUE(all.Matches("README"));
  EXPECT_TRUE(all.Matches("a.b.c"));
  EXPECT_TRUE(all.Matches("\xFF"));
}

TEST(MaskTest, OtherWildcardsOrNoLeadingStarListNothing) {
  for (const char* m : {"*.m?3", "*.*", "**", "song.mp3", "?.mp3", "", "mp3*"}) {
    const Mask mask(m);
    EXPECT_FALSE(mask.Matches("song.mp3")) << m;
    EXPECT_FALSE(mask.Matches("*.m?3")) << m;
  }
}

TEST(MaskTest, CyrillicAndCaseMappingCountCharacters) {
  EXPECT_TRUE(Mask("*.пЕсНя").Matches("моя.ПЕСНЯ"));
  EXPECT_TRUE(Mask("*ё").Matches("ЕЛЬЁ"));
  EXPECT_FALSE(Mask("*.mp3").Matches("песня.mp4"));
  // The mask test counts characters: a two-byte letter before the ending does not shift it.
  EXPECT_TRUE(Mask("*ж.mp3").Matches("Ж.MP3"));
  // Turkish users too get "*.mid" matching "SONG.MID": masks do not follow the locale.
  EXPECT_TRUE(Mask("*.mid").Matches("SONG.MID"));
}

TEST(MaskTest, InvalidUtf8NamesAreTestedNotDropped) {
  EXPECT_TRUE(Mask("*.mp3").Matches("\xFF\xFE.mp3"));
  EXPECT_FALSE(Mask("*.mp3").Matches("a.mp\xFF"));
}

}  // namespace
}  // namespace brixel
