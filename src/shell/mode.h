// Which of its four things the program does, decided from the command line.
#pragma once

#include <string>
#include <string_view>

namespace zelor {

enum class Mode { Saver, Options, PasswordEntry, Exit };

// Everything after the program's own name (quoted or not), without the blanks
// that separate it from the name.
std::string_view ArgumentText(std::string_view commandLine);

// Letters anywhere in the text, "s" before "c" or an empty text before "a";
// switches are not parsed, so "/c:123" is the options and "/p 123" nothing.
Mode ChooseMode(std::string_view argumentText);

}  // namespace zelor
