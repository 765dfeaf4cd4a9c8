#include "win32/system_command.h"

namespace zelor::win32 {

SystemCommand SystemCommandOf(WPARAM command) {
  // The low four bits are the system's own.
  switch (command & 0xFFF0) {
    case SC_CLOSE:
      return SystemCommand::CloseAsked;
    case SC_SCREENSAVE:
      return SystemCommand::ScreenSaveAsked;
    case SC_KEYMENU:
      return SystemCommand::MenuKey;
    default:
      return SystemCommand::Other;
  }
}

}  // namespace zelor::win32
