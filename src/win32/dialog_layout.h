// Places a dialog and its controls as their layouts give them in twips, at
// the dots per inch of the monitor the dialog is on.
#pragma once

#include <windows.h>

#include <cstddef>

#include "common/twips.h"

namespace zelor::win32 {

struct ControlPlace {
  int id;
  TwipsRect rect;  // within the client area
};

// Client area of the given size with its top-left corner at the dialogs'
// fixed place on the primary screen; every listed control at its place.
// Also makes the dialog stay clear of the task bar and above the saver.
void LayoutDialog(HWND dialog, int clientWidthTwips, int clientHeightTwips, const ControlPlace* controls,
                  std::size_t count);

// The saver window's and dialogs' message box: caption "Zelor2".
int ShowMessage(HWND owner, const char* utf8Text, UINT style);

}  // namespace zelor::win32
