// What both password dialogs do to their text boxes.
#pragma once

#include <windows.h>

namespace zelor::win32 {

// Every character shown as "*", no length limit, no input-method editor.
void PreparePasswordBox(HWND box);

}  // namespace zelor::win32
