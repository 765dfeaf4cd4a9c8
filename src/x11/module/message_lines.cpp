#include "x11/module/message_lines.h"

#include <sstream>

namespace zelor {

std::vector<std::string> BreakIntoLines(const std::string& text, int width,
                                        const std::function<int(const std::string&)>& measure) {
  std::vector<std::string> lines;
  std::istringstream paragraphs(text);
  for (std::string paragraph; std::getline(paragraphs, paragraph);) {
    std::istringstream words(paragraph);
    std::string line;
    for (std::string word; words >> word;) {
      const std::string longer = line.empty() ? word : line + " " + word;
      if (line.empty() || measure(longer) <= width) {
        line = longer;
        continue;
      }
      lines.push_back(line);
      line = word;
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace zelor
