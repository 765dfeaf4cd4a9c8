// What the end-to-end tests' probes share: finding another program's window
// by the start of its title, and reading texts as UTF-8.
#pragma once

#include <windows.h>

#include <string>

namespace probe {

inline std::string Utf8(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  return out;
}

inline std::wstring TextOf(HWND window) {
  wchar_t buffer[1024] = L"";
  GetWindowTextW(window, buffer, 1024);
  return buffer;
}

// The visible top-level window whose title starts with `start`, waiting up
// to ten seconds for it to come; nullptr when none does.
inline HWND FindWindowByTitleStart(const wchar_t* start) {
  struct Search {
    const wchar_t* start;
    HWND found;
  } search{start, nullptr};
  const WNDENUMPROC byTitle = [](HWND window, LPARAM parameter) -> BOOL {
    auto* s = reinterpret_cast<Search*>(parameter);
    if (!IsWindowVisible(window) || TextOf(window).rfind(s->start, 0) != 0) return TRUE;
    s->found = window;
    return FALSE;
  };
  for (int i = 0; i < 100 && !search.found; ++i) {
    EnumWindows(byTitle, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(100);
  }
  return search.found;
}

}  // namespace probe
