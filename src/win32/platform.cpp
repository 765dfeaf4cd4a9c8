#include "win32/platform.h"

#include <windows.h>
#include <shlobj.h>

#include "win32/wide_text.h"

namespace zelor::win32 {

NumberLocale UserNumberLocale() {
  wchar_t separator[8] = {};
  NumberLocale locale;
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) > 0 && separator[0] > 0 &&
      separator[0] < 0x80 && separator[1] == 0)
    locale.decimalSeparator = static_cast<char>(separator[0]);
  return locale;
}

std::string ApplicationDataFolder() {
  PWSTR folder = nullptr;
  std::string result;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder))) result = Narrow(folder);
  CoTaskMemFree(folder);
  return result;
}

}  // namespace zelor::win32
