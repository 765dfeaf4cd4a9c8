// The command line the screen-saver host, or anybody else, starts us with.
// The argument text is a tail of the command line without leading blanks, and
// the mode follows from the letters in it alone.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "shell/mode.h"

namespace zelor {
namespace {

bool HasLetter(std::string_view text, char lower) {
  for (char c : text)
    if (std::tolower(static_cast<unsigned char>(c)) == lower) return true;
  return false;
}

}  // namespace
}  // namespace zelor

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelor;
  const std::string line(reinterpret_cast<const char*>(data), size);
  const std::string_view argument = ArgumentText(line);
  FUZZ_CHECK(argument.size() <= line.size());
  FUZZ_CHECK(argument.data() == line.data() + (line.size() - argument.size()));
  FUZZ_CHECK(argument.empty() || (argument.front() != ' ' && argument.front() != '\t'));

  const Mode mode = ChooseMode(argument);
  if (HasLetter(argument, 's')) {
    FUZZ_CHECK(mode == Mode::Saver);
  } else if (argument.empty() || HasLetter(argument, 'c')) {
    FUZZ_CHECK(mode == Mode::Options);
  } else if (HasLetter(argument, 'a')) {
    FUZZ_CHECK(mode == Mode::PasswordEntry);
  } else {
    FUZZ_CHECK(mode == Mode::Exit);
  }
  // Lower and upper case choose alike.
  std::string upper(argument);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  FUZZ_CHECK(ChooseMode(upper) == mode);
  return 0;
}
