// frmOptionen: the modal options dialog.
#pragma once

#include <windows.h>

#include "settings/settings.h"

namespace zelor::win32 {

// Returns when the dialog has been closed.
void ShowOptionsDialog(HINSTANCE instance, Settings& settings);

}  // namespace zelor::win32
