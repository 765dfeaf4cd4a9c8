// The preview in the screen-saver settings: a child window filling the given
// window, drawing the core's picture until that window goes.
#pragma once

#include <windows.h>

#include "settings/settings.h"

namespace zelor::win32 {

// Returns when the parent window is gone; never shows a message.
void RunPreviewWindow(HINSTANCE instance, const Settings& settings, HWND parent);

}  // namespace zelor::win32
