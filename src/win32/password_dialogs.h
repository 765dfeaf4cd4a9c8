// frmPWEingabe and frmPWAbfrage: setting the password and asking for it.
#pragma once

#include <windows.h>

#include "settings/settings.h"
#include "shell/saver_session.h"

namespace zelor::win32 {

// The modal password entry; returns when it has been closed.
void ShowPasswordEntry(HINSTANCE instance, Settings& settings);

// frmPWAbfrage, held by the saver window that asks: created on first use and
// kept, hidden, between askings, so a wrong entry is still in the box the
// next time; its close box destroys it, and with it the typed text.
class PasswordQuery {
 public:
  // Shows the query modally above `owner` while `session` has it open, and
  // hands it the typed text after OK, or the close.
  void Ask(HINSTANCE instance, HWND owner, SaverSession& session);

 private:
  HWND window_ = nullptr;
};

}  // namespace zelor::win32
