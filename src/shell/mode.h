// Which of its things the program does, decided from the command line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zelor {

enum class Mode { Saver, Options, PasswordEntry, Preview, Exit };

// Everything after the program's own name (quoted or not), without the blanks
// that separate it from the name.
std::string_view ArgumentText(std::string_view commandLine);

// Letters anywhere in the text, "s" before "c" or an empty text before "a";
// switches are not parsed, so "/c:123" is the options and "/p 123" nothing.
// (The command below adds the preview.)
Mode ChooseMode(std::string_view argumentText);

struct Command {
  Mode mode = Mode::Exit;
  // The window the platform names after the switch ("/p 123", "/p:123",
  // "/c:123"), in decimal; 0 when there is none.
  std::uint64_t window = 0;
};

// The mode as ChooseMode decides it, except that a "p" with a window to draw
// in is the preview: "/p <window>", "/p:<window>", "-p <window>", any case.
// A preview without a window, with garbage or with window 0 ends at once. The
// options take their owner's window the same way; without one they are the
// options all the same.
Command ParseCommand(std::string_view argumentText);

}  // namespace zelor
