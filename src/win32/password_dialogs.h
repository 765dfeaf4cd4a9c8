// frmPWEingabe and frmPWAbfrage: setting the password and asking for it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "settings/settings.h"

namespace zelor::win32 {

// The modal password entry; returns when it has been closed.
void ShowPasswordEntry(HINSTANCE instance, Settings& settings);

// Shows the query modally above `owner` and returns when it is hidden or
// closed: the typed text after OK, nullopt after a close.
std::optional<std::string> AskPassword(HINSTANCE instance, HWND owner);

}  // namespace zelor::win32
