// Tells the end-to-end tests whether every caption of an open dialog of
// Zelor2.scr shows whole. It finds the dialog among the top-level windows by
// the start of its title, builds a hidden twin of it from the same template in
// Zelor2.scr's resources (same font, same manifest, so the same controls) and
// lets the platform say what each caption needs in that font: DrawText for a
// label, BCM_GETIDEALSIZE for a button or check box. Each need is compared
// with the size of the control in the real dialog.
//   caption_probe.exe <Zelor2.scr> <dialog template id> <title start>
// Prints "dpi <n>", then one line per caption:
//   <id> "<caption>" needs <w>x<h> has <w>x<h> ok|CUT
// Exit status 0 when every caption fits, 1 when one is cut, 2 when it cannot
// look (no dialog, no template, no caption at all).
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "probe_windows.h"

namespace {

using probe::TextOf;
using probe::Utf8;

INT_PTR CALLBACK TwinProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// What the caption of `twin` needs, laid out in `room` as the control
// itself lays it out; {0, 0} for a control without a caption.
SIZE Need(HWND twin, SIZE room) {
  wchar_t kind[32] = L"";
  GetClassNameW(twin, kind, 32);
  const LONG style = GetWindowLongW(twin, GWL_STYLE);
  if (_wcsicmp(kind, L"Button") == 0) {
    SIZE ideal{0, 0};
    if (!SendMessageW(twin, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal))) return {-1, -1};
    return ideal;
  }
  if (_wcsicmp(kind, L"Static") != 0) return {0, 0};
  const std::wstring text = TextOf(twin);
  HDC dc = GetDC(twin);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(twin, WM_GETFONT, 0, 0)));
  RECT rect{0, 0, room.cx, room.cy};
  // As a static control draws: SS_LEFT breaks lines at words, SS_LEFTNOWORDWRAP does not.
  UINT format = DT_CALCRECT | DT_EXPANDTABS | ((style & SS_TYPEMASK) == SS_LEFT ? DT_WORDBREAK : 0);
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  DrawTextW(dc, text.c_str(), -1, &rect, format);
  SelectObject(dc, old);
  ReleaseDC(twin, dc);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fputs("usage: caption_probe <Zelor2.scr> <template id> <title start>\n", stderr);
    return 2;
  }
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  // The saver's own manifest, so the twin's controls are the same
  // generation of common controls as the saver's.
  ACTCTXW context{};
  context.cbSize = sizeof context;
  context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  context.lpSource = argv[1];
  context.lpResourceName = MAKEINTRESOURCEW(1);
  HANDLE activation = CreateActCtxW(&context);
  ULONG_PTR cookie = 0;
  if (activation == INVALID_HANDLE_VALUE || !ActivateActCtx(activation, &cookie)) {
    std::fputs("caption_probe: no manifest in the program\n", stderr);
    return 2;
  }
  InitCommonControls();
  HMODULE saver = LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  const int templateId = _wtoi(argv[2]);
  HWND found = probe::FindWindowByTitleStart(argv[3]);
  HWND twin = saver ? CreateDialogParamW(saver, MAKEINTRESOURCEW(templateId), nullptr, TwinProc, 0) : nullptr;
  if (!found || !twin) {
    std::fprintf(stderr, "caption_probe: %s\n", found ? "no such dialog template" : "no such window");
    return 2;
  }
  std::printf("dpi %u\n", GetDpiForWindow(found));
  int captions = 0, cut = 0;
  for (HWND control = GetWindow(twin, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(control);
    HWND real = GetDlgItem(found, id);
    if (!real) {
      std::printf("%d missing in the dialog\n", id);
      ++cut;
      continue;
    }
    const std::wstring caption = TextOf(real);
    RECT box;
    GetWindowRect(real, &box);
    const SIZE has{box.right - box.left, box.bottom - box.top};
    SetWindowTextW(control, caption.c_str());
    SetWindowPos(control, nullptr, 0, 0, has.cx, has.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const SIZE needs = Need(control, has);
    if (needs.cx == 0 || caption.empty()) continue;
    const bool fits = needs.cx > 0 && needs.cx <= has.cx && needs.cy <= has.cy;
    ++captions;
    if (!fits) ++cut;
    std::printf("%d \"%s\" needs %ldx%ld has %ldx%ld %s\n", id, Utf8(caption).c_str(), needs.cx, needs.cy, has.cx,
                has.cy, fits ? "ok" : "CUT");
  }
  std::fflush(stdout);
  DestroyWindow(twin);
  if (captions == 0) {
    std::fputs("caption_probe: the dialog has no caption to look at\n", stderr);
    return 2;
  }
  return cut ? 1 : 0;
}
