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

// The decimal window handle right after the first switch letter `lower`
// (either case), past a colon or blanks; 0 when there is none or it is not
// all digits up to the next blank.
std::uint64_t WindowAfter(std::string_view text, char lower) {
  std::size_t i = 0;
  while (i < text.size() && std::tolower(static_cast<unsigned char>(text[i])) != lower) ++i;
  if (i == text.size()) return 0;
  ++i;
  if (i < text.size() && text[i] == ':') ++i;
  while (i < text.size() && IsBlank(text[i])) ++i;
  std::uint64_t window = 0;
  std::size_t digits = 0;
  for (; i < text.size() && !IsBlank(text[i]); ++i, ++digits) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return 0;
    const unsigned digit = static_cast<unsigned>(text[i] - '0');
    if (window > (UINT64_MAX - digit) / 10) return 0;  // no handle is that large
    window = window * 10 + digit;
  }
  return digits ? window : 0;
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

namespace zelor {

Command ParseCommand(std::string_view argumentText) {
  const Mode mode = ChooseMode(argumentText);
  if (mode == Mode::Options) return {mode, WindowAfter(argumentText, 'c')};
  if (mode != Mode::Exit || !ContainsLetter(argumentText, 'p')) return {mode, 0};
  const std::uint64_t window = WindowAfter(argumentText, 'p');
  return window ? Command{Mode::Preview, window} : Command{Mode::Exit, 0};
}

}  // namespace zelor
