#include "core/format/start_number.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace brixel {
namespace {

TEST(StartNumber, RussianLocaleReadsADecimalCommaAndFloors) {
  EXPECT_EQ(ParseStartNumber("7,5", "ru_RU"), 7);
  EXPECT_EQ(ParseStartNumber("-2,5", "ru_RU"), -3);
  EXPECT_EQ(ParseStartNumber("98", "ru_RU"), 98);
  EXPECT_EQ(ParseStartNumber("0", "ru_RU"), 0);
  EXPECT_EQ(ParseStartNumber("7.5", "ru_RU"), std::nullopt);  // not the locale's decimal sign
}

TEST(StartNumber, EnglishLocaleReadsADecimalPoint) {
  EXPECT_EQ(ParseStartNumber("7.5", "en_US"), 7);
  EXPECT_EQ(ParseStartNumber("-2.5", "en_US"), -3);
  EXPECT_EQ(ParseStartNumber("1,000", "en_US"), 1000);
  EXPECT_EQ(ParseStartNumber("7,5", "en_US"), std::nullopt);  // neither 7 nor 75
}

TEST(StartNumber, ExponentFormsAreNumbers) {
  EXPECT_EQ(ParseStartNumber("1e3", "en_US"), 1000);
  EXPECT_EQ(ParseStartNumber("1E3", "ru_RU"), 1000);
  EXPECT_EQ(ParseStartNumber("1e14", "en_US"), 100'000'000'000'000);
}

TEST(StartNumber, WholeTextMustBeOneNumber) {
  for (const char* text : {"", "abc", "7x", "x7", "1e", "7 ", "1.5.5", "7\xFF"})
    EXPECT_EQ(ParseStartNumber(text, "en_US"), std::nullopt) << text;
}

TEST(StartNumber, MagnitudeIsBounded) {
  EXPECT_EQ(ParseStartNumber("999999999999999", "en_US"), 999'999'999'999'999);
  EXPECT_EQ(ParseStartNumber("-999999999999999", "en_US"), -999'999'999'999'999);
  for (const char* text : {"1000000000000000", "-1000000000000000", "1e20", "1e99", "∞", "NaN"})
    EXPECT_EQ(ParseStartNumber(text, "en_US"), std::nullopt) << text;
}

TEST(StartNumber, UserLocaleComesFromTheSession) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows takes the user's locale from its own settings, not from the environment";
#else
  const char* saved = std::getenv("LC_ALL");
  const std::string restore = saved ? saved : "";
  setenv("LC_ALL", "ru_RU.UTF-8", 1);
  EXPECT_EQ(ParseStartNumber("7,5"), 7);
  setenv("LC_ALL", "en_US.UTF-8", 1);
  EXPECT_EQ(ParseStartNumber("7.5"), 7);
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(ParseStartNumber("7.5"), 7);
  if (saved)
    setenv("LC_ALL", restore.c_str(), 1);
  else
    unsetenv("LC_ALL");
#endif
}

}  // namespace
}  // namespace brixel
