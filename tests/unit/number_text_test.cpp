#include "common/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace zelor {
namespace {

TEST(NumberTextFormat, WholeNumbersShowNoSeparator) {
  EXPECT_EQ(FormatNumber(2, kGermanLocale), "2");
  EXPECT_EQ(FormatNumber(-40, kEnglishLocale), "-40");
  EXPECT_EQ(FormatNumber(0, kGermanLocale), "0");
  EXPECT_EQ(FormatNumber(-0.0, kGermanLocale), "0");
  EXPECT_EQ(FormatNumber(123456789012345, kEnglishLocale), "123456789012345");
  EXPECT_EQ(FormatNumber(1e14, kEnglishLocale), "100000000000000");  // no decimals at all: no zeros to drop
}

TEST(NumberTextFormat, FractionsUseTheLocaleSeparatorAndDropTrailingZeros) {
  EXPECT_EQ(FormatNumber(2.5, kGermanLocale), "2,5");
  EXPECT_EQ(FormatNumber(2.5, kEnglishLocale), "2.5");
  EXPECT_EQ(FormatNumber(4.4, kEnglishLocale), "4.4");
  EXPECT_EQ(FormatNumber(0.0001, kEnglishLocale), "0.0001");
}

TEST(NumberTextFormat, RoundsToFifteenSignificantDigits) {
  EXPECT_EQ(FormatNumber(3 * 0.1, kEnglishLocale), "0.3");
  EXPECT_EQ(FormatNumber(3 * 0.1, kGermanLocale), "0,3");
  EXPECT_EQ(FormatNumber(1.0 / 3, kEnglishLocale), "0.333333333333333");
  EXPECT_EQ(FormatNumber(2.0 / 3 * 1e6, kEnglishLocale), "666666.666666667");
  EXPECT_EQ(FormatNumber(999999999999999.9, kEnglishLocale), "1E+15");
}

TEST(NumberTextFormat, SwitchesToExponentForVeryLargeAndSmallValues) {
  EXPECT_EQ(FormatNumber(1e15, kEnglishLocale), "1E+15");
  EXPECT_EQ(FormatNumber(1.5e-5, kGermanLocale), "1,5E-05");
  EXPECT_EQ(FormatNumber(-2.25e300, kEnglishLocale), "-2.25E+300");
}

TEST(NumberTextParse, AcceptsTheLocaleFormWithBlanksAroundIt) {
  EXPECT_EQ(ParseNumber(" 2,50 ", kGermanLocale), 2.5);
  EXPECT_EQ(ParseNumber(" 2.50 ", kEnglishLocale), 2.5);
  EXPECT_EQ(ParseNumber("\t7 ", kGermanLocale), 7);  // one blank at the end
  EXPECT_EQ(ParseNumber("-3", kGermanLocale), -3);
  EXPECT_EQ(ParseNumber(",5", kGermanLocale), 0.5);
  EXPECT_EQ(ParseNumber("1E+15", kEnglishLocale), 1e15);
  EXPECT_EQ(ParseNumber("1,5e-5", kGermanLocale), 1.5e-5);
  // Too small for a double is a number all the same: as near to it as one
  // gets, a 0 of its sign.
  EXPECT_EQ(ParseNumber("1e-400", kEnglishLocale), 0);
  EXPECT_EQ(ParseNumber("-1,5e-400", kGermanLocale), 0);
  EXPECT_FALSE(std::signbit(ParseNumber("1e-400", kEnglishLocale).value_or(-1)));
  EXPECT_TRUE(std::signbit(ParseNumber("-1,5e-400", kGermanLocale).value_or(1)));
  // A text that ends where more digits follow in memory is read to its end only.
  EXPECT_EQ(ParseNumber(std::string_view("12,5", 2), kGermanLocale), 12);
  EXPECT_EQ(ParseNumber(std::string_view("12e5", 2), kEnglishLocale), 12);
}

TEST(NumberTextParse, RejectsWhatIsNotANumberInTheLocale) {
  EXPECT_EQ(ParseNumber("2.5", kGermanLocale), std::nullopt);  // never 25
  EXPECT_EQ(ParseNumber("2,5", kEnglishLocale), std::nullopt);
  EXPECT_EQ(ParseNumber("", kEnglishLocale), std::nullopt);
  EXPECT_EQ(ParseNumber("   ", kEnglishLocale), std::nullopt);
  EXPECT_EQ(ParseNumber("abc", kEnglishLocale), std::nullopt);
  EXPECT_EQ(ParseNumber("2 5", kEnglishLocale), std::nullopt);
  EXPECT_EQ(ParseNumber("1e", kEnglishLocale), std::nullopt);
  EXPECT_EQ(ParseNumber(".", kEnglishLocale), std::nullopt);
  EXPECT_EQ(ParseNumber("1e999", kEnglishLocale), std::nullopt);
  EXPECT_EQ(ParseNumber("nan", kEnglishLocale), std::nullopt);
  EXPECT_EQ(ParseNumber("inf", kEnglishLocale), std::nullopt);
  EXPECT_EQ(ParseNumber("0x10", kEnglishLocale), std::nullopt);
}

TEST(NumberTextParse, ReadsBackWhatItWrote) {
  for (double v : {2.0, 4.4, -0.3, 1.0 / 3, 123456.789, 6.02e23, 1.5e-7, 60.0}) {
    for (NumberLocale locale : {kEnglishLocale, kGermanLocale}) {
      const auto back = ParseNumber(FormatNumber(v, locale), locale);
      ASSERT_TRUE(back.has_value()) << v;
      EXPECT_NEAR(*back, v, std::fabs(v) * 1e-14) << v;
      EXPECT_EQ(FormatNumber(*back, locale), FormatNumber(v, locale));
    }
  }
}

TEST(BoolText, WritesTrueAndFalse) {
  EXPECT_EQ(FormatBool(true), "True");
  EXPECT_EQ(FormatBool(false), "False");
}

TEST(BoolText, ReadsWordsInAnyCaseAndNumbers) {
  EXPECT_EQ(ParseBool("True", kEnglishLocale), true);
  EXPECT_EQ(ParseBool("tRUE", kGermanLocale), true);
  EXPECT_EQ(ParseBool("FALSE", kEnglishLocale), false);
  EXPECT_EQ(ParseBool(" false ", kEnglishLocale), false);  // the blank after it is no letter of it
  EXPECT_EQ(ParseBool("1", kEnglishLocale), true);
  EXPECT_EQ(ParseBool("0", kGermanLocale), false);
  EXPECT_EQ(ParseBool("-1", kGermanLocale), true);
  EXPECT_EQ(ParseBool("0,5", kGermanLocale), true);
  EXPECT_EQ(ParseBool("ja", kGermanLocale), std::nullopt);
  EXPECT_EQ(ParseBool("", kGermanLocale), std::nullopt);
}

// Number texts at the edge of the range of a double: whatever the program
// writes as a setting, it must be able to read back.
// The largest doubles round up to 1.79769313486232E+308 at 15 digits, which
// lies beyond the range of a double; the options dialog stores such a width
// when it is typed, and the next run would call it no number.
// Up, away from 0, so a rounded sky still holds everything; a value that
// already has three digits stays.
TEST(NumberTextRound, RoundsAwayFromZeroToThreeSignificantDigits) {
  const struct {
    double value;
    const char* text;
  } cases[] = {{60.2306801395998, "60.3"}, {2.0201, "2.03"}, {0.13601, "0.137"}, {-2.0201, "-2.03"},
               {60.3, "60.3"},             {0.137, "0.137"}, {4, "4"},             {999.01, "1000"},
               {1234567, "1240000"},       {1e-7, "1E-07"}};
  for (const auto& c : cases) {
    const double rounded = RoundAwayFromZero(c.value, 3);
    EXPECT_EQ(FormatNumber(rounded, kEnglishLocale), c.text) << c.value;
    EXPECT_GE(std::fabs(rounded), std::fabs(c.value)) << c.value;
  }
  // Where rounding would reach infinity or 0, the value stays as it is.
  for (const double value : {DBL_MAX, -DBL_MAX, DBL_TRUE_MIN, 0.0}) EXPECT_EQ(RoundAwayFromZero(value, 3), value);
}

TEST(NumberTextRange, TheLargestDoublesReadBackAfterWriting) {
  for (const NumberLocale locale : {kEnglishLocale, kGermanLocale}) {
    for (const double value : {DBL_MAX, -DBL_MAX, std::nextafter(DBL_MAX, 0.0)}) {
      const auto back = ParseNumber(FormatNumber(value, locale), locale);
      ASSERT_TRUE(back.has_value()) << FormatNumber(value, locale);
      EXPECT_NEAR(*back / value, 1.0, 1e-14);
    }
  }
}

// Beyond the range of a double a number is too large, whichever way it is
// written; too small to be told from 0, it is 0.
TEST(NumberTextRange, ANumberBeyondTheRangeOfADoubleIsTooLargeNotNoNumber) {
  using Kind = NumberReading::Kind;
  const std::string zeros(400, '0');
  const std::pair<std::string, Kind> cases[] = {
      {"1e400", Kind::TooLarge},          {"-1,5E+309", Kind::TooLarge},       {"1" + zeros, Kind::TooLarge},
      {"0," + zeros + "1e800", Kind::TooLarge}, {"1e99999999999999999999", Kind::TooLarge},
      {"0," + std::string(150000, '0') + "1e1000000", Kind::TooLarge},  // 1e849999: the exponent outweighs the zeros
      {"1e-400", Kind::Number},           {"0," + zeros + "1e5", Kind::Number}, {"-1" + zeros + "e-800", Kind::Number},
      {"1,7976931348623157e308", Kind::Number}, {"1e", Kind::NoNumber},         {"1e400x", Kind::NoNumber},
  };
  for (const auto& [text, kind] : cases) {
    const NumberReading reading = ReadNumberText(text, kGermanLocale);
    EXPECT_EQ(reading.kind, kind) << text.substr(0, 30);
    if (kind == Kind::Number && text.find("e-") != std::string::npos) {
      EXPECT_EQ(reading.value, 0) << text.substr(0, 30);
    }
  }
}

TEST(NumberTextRange, TheSmallestDoublesReadBackAfterWriting) {
  for (const NumberLocale locale : {kEnglishLocale, kGermanLocale}) {
    for (const double value : {DBL_MIN, DBL_TRUE_MIN, -DBL_TRUE_MIN}) {
      const auto back = ParseNumber(FormatNumber(value, locale), locale);
      ASSERT_TRUE(back.has_value()) << FormatNumber(value, locale);
      EXPECT_NEAR(*back, value, 1e-14 * std::fabs(value) + DBL_TRUE_MIN);
    }
  }
}

}  // namespace
}  // namespace zelor

namespace zelor {
namespace {

// A host program or a library may switch the C library's number format; the
// stored texts must not follow it.
class UnderCLocale : public ::testing::TestWithParam<std::vector<const char*>> {
 protected:
  void SetUp() override {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    saved_ = previous ? previous : "C";
    for (const char* name : GetParam())
      if (std::setlocale(LC_NUMERIC, name)) return;
    FAIL() << "none of the locales can be set, first " << GetParam().front();
  }
  void TearDown() override { std::setlocale(LC_NUMERIC, saved_.c_str()); }
  std::string saved_;
};

TEST_P(UnderCLocale, NumbersAreWrittenAndReadInTheUsersFormOnly) {
  EXPECT_EQ(FormatNumber(2, kEnglishLocale), "2");
  EXPECT_EQ(FormatNumber(2.5, kEnglishLocale), "2.5");
  EXPECT_EQ(FormatNumber(-2.5, kGermanLocale), "-2,5");
  EXPECT_EQ(FormatNumber(1.5e-5, kGermanLocale), "1,5E-05");
  EXPECT_EQ(ParseNumber("2.5", kEnglishLocale), 2.5);
  EXPECT_EQ(ParseNumber("2,5", kGermanLocale), 2.5);
  EXPECT_EQ(ParseNumber("2,5", kEnglishLocale), std::nullopt);
  EXPECT_EQ(ParseNumber("2.5", kGermanLocale), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(German, UnderCLocale,
                         ::testing::Values(std::vector<const char*>{"de_DE.UTF-8", "de_DE.utf8", "German_Germany.1252",
                                                                    "German"}));
INSTANTIATE_TEST_SUITE_P(English, UnderCLocale,
                         ::testing::Values(std::vector<const char*>{"en_US.UTF-8", "en_US.utf8", "English_United States.1252",
                                                                    "English", "C"}));

}  // namespace
}  // namespace zelor
