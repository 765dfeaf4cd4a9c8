#include "lock/win32/password_dialogs.h"

namespace zelor::win32 {

void ShowPasswordEntry(HINSTANCE, Settings&) {}

bool AskPassword(HINSTANCE, HWND, const Settings&) { return false; }

}  // namespace zelor::win32
