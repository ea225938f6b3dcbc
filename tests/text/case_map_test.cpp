#include "core/text/case_map.h"

#include <gtest/gtest.h>

namespace brixel {
namespace {

std::string Upper(const CaseMapper& m, std::string_view s) {
  std::string out;
  m.Upper(s, out);
  return out;
}
std::string Lower(const CaseMapper& m, std::string_view s) {
  std::string out;
  m.Lower(s, out);
  return out;
}

TEST(CaseMapper, UnicodeFullMappings) {
  const CaseMapper ru("ru_RU");
  EXPECT_EQ(Upper(ru, "песня ёлка.mp3"), "ПЕСНЯ ЁЛКА.MP3");
  EXPECT_EQ(Lower(ru, "ПЕСНЯ Ё.MP3"), "песня ё.mp3");
#ifdef _WIN32
  EXPECT_EQ(Upper(ru, "straße"), "STRAßE");  // Windows maps one UTF-16 unit to one: no "SS"
#else
  EXPECT_EQ(Upper(ru, "straße"), "STRASSE");
#endif
}

TEST(CaseMapper, TurkishDottedI) {
  const CaseMapper tr("tr_TR");
  EXPECT_EQ(Upper(tr, "istanbul"), "İSTANBUL");
  EXPECT_EQ(Lower(tr, "ISTANBUL"), "ıstanbul");
  const CaseMapper en("en_US");
  EXPECT_EQ(Upper(en, "istanbul"), "ISTANBUL");
}

TEST(CaseMapper, AsciiFastPathAgreesWithIcu) {
  const CaseMapper en("en_US");
  std::string ascii;
  for (int c = 0x20; c < 0x7F; ++c) ascii += static_cast<char>(c);
  // Appending a Cyrillic letter forces the ICU path; the ASCII part must map identically.
  const std::string via_icu_upper = Upper(en, ascii + "ж");
  const std::string via_icu_lower = Lower(en, ascii + "Ж");
  EXPECT_EQ(Upper(en, ascii) + "Ж", via_icu_upper);
  EXPECT_EQ(Lower(en, ascii) + "ж", via_icu_lower);
}

TEST(CaseMapper, InvalidBytesPassThrough) {
  const CaseMapper en("en_US");
  // A hex escape ends with its literal: the next letter is a literal of its own.
  // clang-format off
  EXPECT_EQ(Upper(en, "ab\xFF" "ц"), "AB\xFF" "Ц");
  // clang-format on
}

}  // namespace
}  // namespace brixel
