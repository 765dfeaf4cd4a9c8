// Sets a window's title as the core fits it to the title bar: measured in
// the caption font, in the room between the frame and the close box.
#pragma once

#include <windows.h>

#include <string>

namespace zelor::win32 {

void SetFittedOptionsTitle(HWND window, const std::string& title);

}  // namespace zelor::win32
