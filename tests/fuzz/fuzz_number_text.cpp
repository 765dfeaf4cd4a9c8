// The text forms of numbers and truth values, as they come out of the
// settings store where anybody may have written anything. Whatever parses is
// finite; a number written out and read back in the same locale is the same
// number to 15 digits and writes out to the same text again.
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "common/number_text.h"

namespace zelor {
namespace {

void CheckRoundTrip(double value, NumberLocale locale) {
  const std::string text = FormatNumber(value, locale);
  const auto back = ParseNumber(text, locale);
  FUZZ_CHECK(back.has_value());
  // 15 significant digits: half a unit in the 15th digit, or the nearest
  // subnormal for the tiniest values.
  FUZZ_CHECK(std::fabs(*back - value) <= 1e-14 * std::fabs(value) + DBL_TRUE_MIN);
  FUZZ_CHECK(FormatNumber(*back, locale) == text);
  const char other = locale.decimalSeparator == '.' ? ',' : '.';
  FUZZ_CHECK(text.find(other) == std::string::npos);
}

void CheckText(std::string_view text, NumberLocale locale) {
  const auto number = ParseNumber(text, locale);
  if (number) {
    FUZZ_CHECK(std::isfinite(*number));
    CheckRoundTrip(*number, locale);
  }
  const auto truth = ParseBool(text, locale);
  if (number) {
    FUZZ_CHECK(truth.has_value() && *truth == (*number != 0));
  }
  if (truth) {
    FUZZ_CHECK(ParseBool(FormatBool(*truth), locale) == truth);
  }
}

}  // namespace
}  // namespace zelor

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelor;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const NumberLocale locale : {kEnglishLocale, kGermanLocale}) {
    CheckText(text, locale);
    // The same bytes as doubles: reaches every exponent and every digit pattern.
    for (std::size_t at = 0; at + sizeof(double) <= size; at += sizeof(double)) {
      double value;
      std::memcpy(&value, data + at, sizeof value);
      if (std::isfinite(value)) CheckRoundTrip(value, locale);
    }
  }
  return 0;
}
