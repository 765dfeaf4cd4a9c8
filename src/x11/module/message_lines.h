// A message laid out for a window: the lines it is shown in.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zelor {

// Breaks the UTF-8 text at spaces into lines no wider than `width` as
// `measure` gives a line's width; a word wider than that stands on a line of
// its own, and a line break in the text is kept.
std::vector<std::string> BreakIntoLines(const std::string& text, int width,
                                        const std::function<int(const std::string&)>& measure);

}  // namespace zelor
