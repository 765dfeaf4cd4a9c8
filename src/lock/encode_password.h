// The password is never stored as typed: each character is replaced by
// another one of code page 1252, so the settings store holds no readable text.
#pragma once

#include <string>
#include <string_view>

namespace zelor {

// code -> (code * kEncodeMultiplier + kEncodeAddend) mod 256.
//
// An odd multiplier makes the map one-to-one on the 256 codes. Exactly one
// code then encodes to 0, which a text setting could not keep: with 9 and 13
// that code is 27 (9 * 27 + 13 = 256), Escape. Escape never reaches a
// password box, since the dialogs take it as their cancel key (the query
// ignores it), so a stored password never holds a NUL.
constexpr int kEncodeMultiplier = 9;
constexpr int kEncodeAddend = 13;

// The code of one character, in 16-bit arithmetic: 255 * 9 + 13 = 2308 keeps
// clear of any overflow.
constexpr unsigned char EncodeCode(unsigned char code) {
  const short sum = static_cast<short>(code * kEncodeMultiplier + kEncodeAddend);
  return static_cast<unsigned char>(sum & 0xFF);
}

// UTF-8 in and out. Every character is first taken to its code in 1252 (one
// without a code there becomes '?', as Windows does), so the result has as
// many characters as the text and each depends only on the one at its place.
std::string EncodePassword(std::string_view text);

}  // namespace zelor
