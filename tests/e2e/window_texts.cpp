// Tells the end-to-end tests what a window of another program says: its
// title and the text of every visible control in it, as the platform hands
// them to a screen reader (GetWindowText), so a test can check captions that
// are not X windows of their own.
//   window_texts.exe <title start>
// Prints "title [<title>]", then one line per visible child with a text:
//   <class> [<text>]
// Exit status 0, or 2 when no visible top-level window has such a title.
#include <windows.h>

#include <cstdio>
#include <string>

#include "probe_windows.h"

namespace {

using probe::TextOf;
using probe::Utf8;

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
  const std::wstring text = TextOf(control);
  if (!IsWindowVisible(control) || text.empty()) return TRUE;
  wchar_t kind[64] = L"";
  GetClassNameW(control, kind, 64);
  // One line per control: a line break in a caption is shown as \n.
  std::string line = Utf8(text);
  for (std::string::size_type at = 0; (at = line.find_first_of("\r\n", at)) != std::string::npos;)
    line.replace(at, 1, line[at] == '\n' ? "\\n" : "\\r");
  std::printf("%s [%s]\n", Utf8(kind).c_str(), line.c_str());
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: window_texts <title start>\n", stderr);
    return 2;
  }
  HWND found = probe::FindWindowByTitleStart(argv[1]);
  if (!found) {
    std::fputs("window_texts: no such window\n", stderr);
    return 2;
  }
  std::printf("title [%s]\n", Utf8(TextOf(found)).c_str());
  EnumChildWindows(found, PrintControl, 0);
  return 0;
}
