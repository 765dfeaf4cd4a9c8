// Conversion between UTF-8 text (what the core works in) and the single-byte
// Windows code page 1252, in which body names and passwords are kept. The core
// converts by itself so that Linux tools and Windows read the same bytes alike.
#pragma once

#include <string>
#include <string_view>

namespace zelor {

// The byte a character without a code in 1252 becomes, as Windows does.
constexpr unsigned char kCp1252DefaultChar = '?';

// Each byte becomes one character.
std::string Cp1252ToUtf8(std::string_view bytes);

// Each character becomes one byte; characters outside the code page, and
// broken UTF-8 sequences, become kCp1252DefaultChar.
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace zelor
