// frmPWEingabe and frmPWAbfrage: setting the password and asking for it.
#pragma once

#include <windows.h>

#include "settings/settings.h"

namespace zelor::win32 {

// The modal password entry; returns when it has been closed.
void ShowPasswordEntry(HINSTANCE instance, Settings& settings);

// Shows the query modally above `owner` and returns when it is hidden or
// closed: true when the typed password matched the stored one.
bool AskPassword(HINSTANCE instance, HWND owner, const Settings& settings);

}  // namespace zelor::win32
