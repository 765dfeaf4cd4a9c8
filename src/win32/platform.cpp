#include "win32/platform.h"

#include <windows.h>
#include <shlobj.h>

#include "win32/resource_ids.h"
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

std::vector<unsigned char> CarriedBodyFile(HINSTANCE instance) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDR_CARRIED_VOYAGER), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(instance, found);
  const auto* bytes = static_cast<const unsigned char*>(LockResource(loaded));
  if (!bytes) return {};
  return std::vector<unsigned char>(bytes, bytes + SizeofResource(instance, found));
}

std::int64_t SteadyMicroseconds() {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<std::int64_t>(now.QuadPart / frequency * 1000000 + now.QuadPart % frequency * 1000000 / frequency);
}

}  // namespace zelor::win32
