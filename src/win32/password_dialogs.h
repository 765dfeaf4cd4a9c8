// frmPWEingabe and frmPWAbfrage: setting the password and asking for it.
#pragma once

#include <windows.h>

#include "settings/settings.h"
#include "shell/saver_session.h"

namespace zelor::win32 {

// The modal password entry; returns when it has been closed.
void ShowPasswordEntry(HINSTANCE instance, Settings& settings);

// Shows the query modally above `owner` while `session` has it open, and
// hands it the typed text after OK, or the close.
void AskPassword(HINSTANCE instance, HWND owner, SaverSession& session);

}  // namespace zelor::win32
