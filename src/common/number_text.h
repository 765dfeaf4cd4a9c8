// Text forms of numbers and truth values as the settings and the time label
// use them: up to 15 significant digits, the user's decimal separator, no
// grouping, no trailing zeros; truth values as True and False.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zelor {

// What the core needs to know of the user's locale.
struct NumberLocale {
  char decimalSeparator = '.';
};

constexpr NumberLocale kEnglishLocale{'.'};
constexpr NumberLocale kGermanLocale{','};

// Plain decimal notation while the exponent lies from -4 to 14, exponent
// notation ("1E+15", "1,5E-05") beyond, as the platform's own conversion does.
std::string FormatNumber(double value, NumberLocale locale);

// A text read as a number. Blanks around it, a sign, the locale's decimal
// separator and an exponent are taken. Anything else, including the other
// locale's separator, a digit-group mark and an empty text, is no number. A
// number written so whose size lies beyond the range of a double ("1e400",
// "-1e400") is too large; one too small to be told from 0 is 0.
struct NumberReading {
  enum class Kind { Number, NoNumber, TooLarge };
  Kind kind = Kind::NoNumber;
  double value = 0;  // for a Number
};
NumberReading ReadNumberText(std::string_view text, NumberLocale locale);

// The value of a Number by ReadNumberText; nullopt for any other text.
std::optional<double> ParseNumber(std::string_view text, NumberLocale locale);

// The value rounded away from 0 to that many significant digits: 60.23 to
// 60.3 for 3, 60.3 stays 60.3. A value whose rounding would leave the range of
// a double, or become 0, is given back as it is.
double RoundAwayFromZero(double value, int digits);

std::string FormatBool(bool value);

// True and False in any letter case, or a number (0 is false, any other true).
std::optional<bool> ParseBool(std::string_view text, NumberLocale locale);

}  // namespace zelor
