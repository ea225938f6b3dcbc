// Reading numbers with the signs Windows gives each locale (the shared cases are in the format
// tests, on both legs).
#include <gtest/gtest.h>

#include <cmath>

#include "core/platform/number_parse.h"

namespace brixel {
namespace {

TEST(WindowsNumberParse, GroupSignsAsTheLocaleWritesThem) {
  EXPECT_EQ(ParseLocaleNumber("1\u00A0000,5", "ru_RU"), 1000.5);
  EXPECT_EQ(ParseLocaleNumber("1 000", "ru_RU"), 1000.0);  // a typed space for the no-break space
  EXPECT_EQ(ParseLocaleNumber("12,345,678", "en_US"), 12345678.0);
  EXPECT_EQ(ParseLocaleNumber("1,00", "en_US"), std::nullopt);
  EXPECT_EQ(ParseLocaleNumber("1,,000", "en_US"), std::nullopt);
  EXPECT_EQ(ParseLocaleNumber(",100", "en_US"), std::nullopt);
}

TEST(WindowsNumberParse, SignsAndExponents) {
  EXPECT_EQ(ParseLocaleNumber("-0,5", "ru_RU"), -0.5);
  EXPECT_EQ(ParseLocaleNumber("+7", "en_US"), 7.0);
  EXPECT_EQ(ParseLocaleNumber("2.5e-1", "en_US"), 0.25);
  EXPECT_EQ(ParseLocaleNumber("1e-999", "en_US"), 0.0);
  EXPECT_EQ(ParseLocaleNumber("1e999", "en_US"), HUGE_VAL);
  EXPECT_EQ(ParseLocaleNumber("7.", "en_US"), std::nullopt);
  EXPECT_EQ(ParseLocaleNumber("-", "en_US"), std::nullopt);
}

TEST(WindowsNumberParse, UnknownLocaleReadsAsTheInvariantOne) {
  EXPECT_EQ(ParseLocaleNumber("1,234.5", "xx_NOWHERE"), 1234.5);
}

}  // namespace
}  // namespace brixel
