#include "settings/win32/options_dialog.h"

namespace zelor::win32 {

void ShowOptionsDialog(HINSTANCE, Settings&) {}

}  // namespace zelor::win32
