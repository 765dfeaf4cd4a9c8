// Names, paths and typed texts inside German messages: „…“.
#pragma once

#include <cstddef>
#include <string>

namespace zelor {

// Control characters shown as '?': a NUL would end the message where the
// platform takes it as a C string, and the others are invisible or break
// it up. C1 controls (U+0080 to U+009F) count too.
inline std::string Visible(const std::string& utf8) {
  std::string shown;
  shown.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const bool c1 = c == 0xC2 && i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xE0) == 0x80;
    if (c < 0x20 || c == 0x7F || c1) {
      shown += '?';
      if (c1) ++i;
    } else {
      shown += utf8[i];
    }
  }
  return shown;
}

inline std::string Quoted(const std::string& utf8) { return "\xE2\x80\x9E" + Visible(utf8) + "\xE2\x80\x9C"; }

// A text someone typed or stored is cut after `characters` characters: a
// pasted page of text would otherwise push the message box off the screen.
inline std::string QuotedShort(const std::string& utf8, std::size_t characters = 40) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const bool startsCharacter = (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80;
    if (startsCharacter && ++seen > characters) return Quoted(utf8.substr(0, i) + "\xE2\x80\xA6");  // an ellipsis
  }
  return Quoted(utf8);
}

}  // namespace zelor
