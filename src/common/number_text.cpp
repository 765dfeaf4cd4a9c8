#include "common/number_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

#include "common/blanks.h"

namespace zelor {
namespace {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// Removes trailing zeros of a fraction, and the separator if nothing is left.
void StripTrailingZeros(std::string& mantissa) {
  if (mantissa.find('.') == std::string::npos) return;
  while (mantissa.back() == '0') mantissa.pop_back();
  if (mantissa.back() == '.') mantissa.pop_back();
}

// The shortest-round-trip-free forms of std::to_chars: neither they nor
// from_chars look at the C library's locale, which a host program or a
// library may have changed; the user's separator is put in explicitly.
std::string ToChars(double value, std::chars_format format, int precision) {
  char buffer[400];  // the widest fixed form of a double
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
  return std::string(buffer, result.ptr);
}

// Where the first digit other than 0 of "-12.5e3" stands: 5 for it, 0 for
// "0.5", -1 for "0.05". Only its sign matters, for numbers beyond the range
// of a double, so an exponent of many digits stops counting once it outweighs
// any place a digit of the text can stand at.
long DecimalOrder(const std::string& plain) {
  const std::size_t e = std::min(plain.find('e'), plain.size());
  const std::size_t point = std::min(plain.find('.'), e);
  const std::size_t first = plain.find_first_of("123456789");
  if (first == std::string::npos || first > e) return 0;  // 0, never out of range
  long order = first < point ? static_cast<long>(point - first) : -static_cast<long>(first - point - 1);
  long exponent = 0;
  for (std::size_t i = e + 1; i < plain.size(); ++i)
    if (std::isdigit(static_cast<unsigned char>(plain[i])) && exponent <= static_cast<long>(plain.size()))
      exponent = exponent * 10 + (plain[i] - '0');
  return order + (e + 1 < plain.size() && plain[e + 1] == '-' ? -exponent : exponent);
}

// A number in the form "-12.5e3", without a leading '+'.
NumberReading ReadPlain(const std::string& plain) {
  double value = 0;
  const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (result.ptr != plain.data() + plain.size()) return {};
  if (result.ec == std::errc::result_out_of_range) {
    // Too small to be told from 0 is 0.
    if (DecimalOrder(plain) > 0) return {NumberReading::Kind::TooLarge};
    return {NumberReading::Kind::Number, plain[0] == '-' ? -0.0 : 0.0};
  }
  if (result.ec != std::errc()) return {};
  if (!std::isfinite(value)) return {NumberReading::Kind::TooLarge};
  return {NumberReading::Kind::Number, value};
}

std::optional<double> FromChars(const std::string& plain) {
  const NumberReading reading = ReadPlain(plain);
  if (reading.kind != NumberReading::Kind::Number) return std::nullopt;
  return reading.value;
}

}  // namespace

std::string FormatNumber(double value, NumberLocale locale) {
  if (value == 0) return "0";  // also -0
  std::string text = ToChars(value, std::chars_format::scientific, 14);  // 15 significant digits
  if (!FromChars(text)) {
    // The largest doubles round up past the range of a double; cut their
    // digits instead, so the text reads back as a number.
    text = ToChars(value, std::chars_format::scientific, 16);
    const auto e17 = text.find('e');
    text.erase(e17 - 2, 2);
  }
  const auto e = text.find('e');
  const int exponent = std::atoi(text.c_str() + e + 1);
  std::string result;
  if (exponent < -4 || exponent > 14) {
    std::string mantissa = text.substr(0, e);
    StripTrailingZeros(mantissa);
    const std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    result = mantissa + "E" + (exponent < 0 ? "-" : "+") + (digits.size() < 2 ? "0" : "") + digits;
  } else {
    // The rounded value printed with just enough decimals for 15 digits.
    result = ToChars(*FromChars(text), std::chars_format::fixed, 14 - exponent);
    StripTrailingZeros(result);
  }
  for (char& c : result)
    if (c == '.') c = locale.decimalSeparator;
  return result;
}

std::optional<double> ParseNumber(std::string_view text, NumberLocale locale) {
  const NumberReading reading = ReadNumberText(text, locale);
  if (reading.kind != NumberReading::Kind::Number) return std::nullopt;
  return reading.value;
}

NumberReading ReadNumberText(std::string_view text, NumberLocale locale) {
  text = TrimBlanks(text);
  std::string plain;  // the same number in from_chars's form
  size_t i = 0;
  auto digits = [&] {
    const size_t start = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) plain += text[i++];
    return i - start;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') plain += '-';
    ++i;
  }
  size_t mantissaDigits = digits();
  if (i < text.size() && text[i] == locale.decimalSeparator) {
    plain += '.';
    ++i;
    mantissaDigits += digits();
  }
  if (mantissaDigits == 0) return {};
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    if (digits() == 0) return {};
  }
  if (i != text.size()) return {};
  return ReadPlain(plain);
}

double RoundAwayFromZero(double value, int digits) {
  if (value == 0 || !std::isfinite(value) || digits < 1) return value;
  const double size = std::fabs(value);
  // The nearest decimal of that many digits, e.g. "6.02e+01"; when it lies
  // below the value, the next one up. The double nearest to a decimal above
  // the value is never below it.
  std::string text = ToChars(size, std::chars_format::scientific, digits - 1);
  std::optional<double> rounded = FromChars(text);
  if (rounded && *rounded < size) {
    const auto e = text.find('e');
    std::string mantissa = text.substr(0, e);
    mantissa.erase(std::remove(mantissa.begin(), mantissa.end(), '.'), mantissa.end());
    const int exponent = std::atoi(text.c_str() + e + 1) - (digits - 1);
    rounded = FromChars(std::to_string(std::stoll(mantissa) + 1) + "e" + std::to_string(exponent));
  }
  if (!rounded || *rounded == 0) return value;
  return std::copysign(*rounded, value);
}

std::string FormatBool(bool value) { return value ? "True" : "False"; }

std::optional<bool> ParseBool(std::string_view text, NumberLocale locale) {
  const std::string_view word = TrimBlanks(text);
  if (EqualsIgnoringCase(word, "true")) return true;
  if (EqualsIgnoringCase(word, "false")) return false;
  if (const auto number = ParseNumber(word, locale)) return *number != 0;
  return std::nullopt;
}

}  // namespace zelor
