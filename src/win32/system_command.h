// What a WM_SYSCOMMAND means to a saver run, in the session's terms.
#pragma once

#include <windows.h>

namespace zelor::win32 {

enum class SystemCommand {
  CloseAsked,       // Alt+F4 and the window menu's close
  ScreenSaveAsked,  // the system would start a screen saver
  MenuKey,          // Alt alone or F10 would open the window menu
  Other,            // for the system to carry out
};

SystemCommand SystemCommandOf(WPARAM command);

}  // namespace zelor::win32
