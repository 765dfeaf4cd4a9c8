#include <windows.h>
// After <windows.h>, which it needs.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "console.h"
#include "win32/win32_file_system.h"

namespace zelor::bodies {

std::vector<std::string> Utf8Arguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> words;
  for (int k = 1; wide && k < count; ++k) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide[k], -1, nullptr, 0, nullptr, nullptr);
    std::string word(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, wide[k], -1, word.data(), size, nullptr, nullptr);
    words.push_back(word);
  }
  LocalFree(wide);
  return words;
}

void PrepareConsole() {
  SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

FileSystem& ConsoleFiles() {
  static win32::Win32FileSystem files;
  return files;
}

}  // namespace zelor::bodies
