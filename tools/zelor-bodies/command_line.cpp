#include "command_line.h"

namespace zelor::bodies {

CommandLine ParseCommandLine(const std::vector<std::string>& words, const std::set<std::string>& known,
                             const std::set<std::string>& flags) {
  CommandLine line;
  for (std::size_t k = 0; k < words.size(); ++k) {
    const std::string& word = words[k];
    if (word.size() < 3 || word.compare(0, 2, "--") != 0) {
      line.arguments.push_back(word);
      continue;
    }
    const std::string name = word.substr(2);
    if (flags.count(name)) {
      line.options[name] = "";
      continue;
    }
    if (!known.count(name)) {
      line.error = "unbekannte Option " + word;
    } else if (k + 1 == words.size()) {
      line.error = word + " braucht einen Wert";
    } else {
      line.options[name] = words[++k];
      continue;
    }
    return line;
  }
  return line;
}

}  // namespace zelor::bodies
