#include "win32/saver_run.h"

#include <vector>

#include "win32/platform.h"
#include "win32/saver_window.h"
#include "win32/win32_file_system.h"

namespace zelor::win32 {
namespace {

double DisplayRefreshHz() {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  if (EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode) && mode.dmDisplayFrequency > 1)
    return mode.dmDisplayFrequency;
  return 60;
}

}  // namespace

int RunSaver(HINSTANCE instance, Settings& settings, SaverLoopObserver* observer) {
  SaverWindow window(instance);
  SaverSession session(settings, window);
  window.Show(session, ReadSwitch(settings, kKeyAlleBildschirme));
  Win32FileSystem files;
  return zelor::RunSaver(window, session, settings, files, CarriedBodyFile(instance), DisplayRefreshHz(), observer);
}

}  // namespace zelor::win32
