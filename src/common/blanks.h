// Blanks as the user types them around settings and command-line switches:
// spaces and tabs, nothing else (a line break in a setting is no blank).
#pragma once

#include <algorithm>
#include <string_view>

namespace zelor {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// True for the empty text too.
inline bool IsBlankOnly(std::string_view text) { return std::all_of(text.begin(), text.end(), IsBlank); }

inline std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace zelor
