#include "shell/mode.h"

#include <cctype>

#include "common/blanks.h"

namespace zelor {
namespace {

bool ContainsLetter(std::string_view text, char lower) {
  for (char c : text)
    if (std::tolower(static_cast<unsigned char>(c)) == lower) return true;
  return false;
}

}  // namespace

std::string_view ArgumentText(std::string_view commandLine) {
  size_t i = 0;
  if (!commandLine.empty() && commandLine[0] == '"') {
    const size_t close = commandLine.find('"', 1);
    i = close == std::string_view::npos ? commandLine.size() : close + 1;
  } else {
    while (i < commandLine.size() && !IsBlank(commandLine[i])) ++i;
  }
  while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
  return commandLine.substr(i);
}

Mode ChooseMode(std::string_view argumentText) {
  if (ContainsLetter(argumentText, 's')) return Mode::Saver;
  if (argumentText.empty() || ContainsLetter(argumentText, 'c')) return Mode::Options;
  if (ContainsLetter(argumentText, 'a')) return Mode::PasswordEntry;
  return Mode::Exit;
}

}  // namespace zelor
