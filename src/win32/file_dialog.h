// The common open and save dialogs for body files.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace zelor::win32 {

enum class FileDialogKind { Open, Save };

// Shows the dialog preset with the given file name; the chosen path, or
// nullopt when the user cancelled (or the dialog could not be shown, which
// has then been reported in a message box).
std::optional<std::string> ChooseZelorFile(HWND owner, FileDialogKind kind, const std::string& preset);

}  // namespace zelor::win32
