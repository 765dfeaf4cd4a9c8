// Names, paths and typed texts inside German messages: „…“.
#pragma once

#include <cstddef>
#include <string>

namespace zelor {

inline std::string Quoted(const std::string& utf8) { return "\xE2\x80\x9E" + utf8 + "\xE2\x80\x9C"; }

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
