// frmOptionen: the modal options dialog.
#pragma once

#include <windows.h>

#include "settings/settings.h"

namespace zelor::win32 {

// Returns when the dialog has been closed. With an owner (the settings page
// that asked for it) the dialog is modal to that window.
void ShowOptionsDialog(HINSTANCE instance, Settings& settings, HWND owner = nullptr);

}  // namespace zelor::win32
