// Places a dialog and its controls as their layouts give them in twips, at
// the dots per inch of the monitor the dialog is on, with room for every
// caption in the dialog's font.
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
// fixed place on the primary screen; every listed control at its place. Where
// a caption needs more room, its column widens and the dialog with it.
// Also makes the dialog stay clear of the task bar and above the saver.
void LayoutDialog(HWND dialog, int clientWidthTwips, int clientHeightTwips, const ControlPlace* controls,
                  std::size_t count);

// The dots per inch of the monitor the window is on; of the primary screen
// for no window, or where the system cannot tell per monitor.
UINT DpiOf(HWND window);

// Shows a modal dialog from the resources, owned by `owner` when that is a
// window (the screen-saver settings page), else by a window that is never
// shown: a dialog without an owner gets a task-bar button, and this one must
// not. Returns DialogBoxParam's result.
INT_PTR ShowOwnedDialog(HINSTANCE instance, int dialogId, DLGPROC proc, LPARAM parameter, HWND owner = nullptr);

// The saver window's and dialogs' message box: caption "Zelor2".
int ShowMessage(HWND owner, const char* utf8Text, UINT style);

}  // namespace zelor::win32
