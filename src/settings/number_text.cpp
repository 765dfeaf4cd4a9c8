#include "settings/number_text.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zelor {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

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

}  // namespace

std::string FormatNumber(double value, NumberLocale locale) {
  if (value == 0) return "0";  // also -0
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);  // 15 significant digits
  std::string text(buffer);
  if (!std::isfinite(std::strtod(text.c_str(), nullptr))) {
    // The largest doubles round up past the range of a double; cut their
    // digits instead, so the text reads back as a number.
    std::snprintf(buffer, sizeof buffer, "%.16e", value);
    text = buffer;
    const auto e17 = text.find('e');
    text.erase(e17 - 2, 2);
  }
  const auto e = text.find('e');
  const int exponent = std::atoi(text.c_str() + e + 1);
  std::string result;
  if (exponent < -4 || exponent > 14) {
    std::string mantissa = text.substr(0, e);
    StripTrailingZeros(mantissa);
    std::snprintf(buffer, sizeof buffer, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    result = mantissa + buffer;
  } else {
    // The rounded value printed with just enough decimals for 15 digits.
    const double rounded = std::strtod(text.c_str(), nullptr);
    std::snprintf(buffer, sizeof buffer, "%.*f", 14 - exponent, rounded);
    result = buffer;
    StripTrailingZeros(result);
  }
  for (char& c : result)
    if (c == '.') c = locale.decimalSeparator;
  return result;
}

std::optional<double> ParseNumber(std::string_view text, NumberLocale locale) {
  text = TrimBlanks(text);
  std::string plain;  // the same number in the C locale's form
  size_t i = 0;
  auto digits = [&] {
    const size_t start = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) plain += text[i++];
    return i - start;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
  size_t mantissaDigits = digits();
  if (i < text.size() && text[i] == locale.decimalSeparator) {
    plain += '.';
    ++i;
    mantissaDigits += digits();
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    if (digits() == 0) return std::nullopt;
  }
  if (i != text.size()) return std::nullopt;
  errno = 0;
  const double value = std::strtod(plain.c_str(), nullptr);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
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
