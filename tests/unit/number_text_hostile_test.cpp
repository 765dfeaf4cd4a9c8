// Number texts at the edge of the range of a double: whatever the program
// writes as a setting, it must be able to read back.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "settings/number_text.h"

namespace zelor {
namespace {

// The largest doubles round up to 1.79769313486232E+308 at 15 digits, which
// lies beyond the range of a double; the options dialog stores such a width
// when it is typed, and the next run would call it no number.
TEST(NumberTextHostile, TheLargestDoublesReadBackAfterWriting) {
  for (const NumberLocale locale : {kEnglishLocale, kGermanLocale}) {
    for (const double value : {DBL_MAX, -DBL_MAX, std::nextafter(DBL_MAX, 0.0)}) {
      const auto back = ParseNumber(FormatNumber(value, locale), locale);
      ASSERT_TRUE(back.has_value()) << FormatNumber(value, locale);
      EXPECT_NEAR(*back / value, 1.0, 1e-14);
    }
  }
}

TEST(NumberTextHostile, TheSmallestDoublesReadBackAfterWriting) {
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
