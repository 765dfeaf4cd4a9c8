#include "win32/dialog_layout.h"

#include "win32/wide_text.h"

namespace zelor::win32 {

UINT DpiOf(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpi) {
    const UINT dpi = getDpi(window);
    if (dpi) return dpi;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

INT_PTR ShowOwnedDialog(HINSTANCE instance, int dialogId, DLGPROC proc, LPARAM parameter, HWND owner) {
  if (owner && IsWindow(owner)) return DialogBoxParamW(instance, MAKEINTRESOURCEW(dialogId), owner, proc, parameter);
  const HWND hidden =
      CreateWindowExW(0, L"STATIC", L"Zelor2", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  const INT_PTR result = DialogBoxParamW(instance, MAKEINTRESOURCEW(dialogId), hidden, proc, parameter);
  if (hidden) DestroyWindow(hidden);
  return result;
}

void LayoutDialog(HWND dialog, int clientWidthTwips, int clientHeightTwips, const ControlPlace* controls,
                  std::size_t count) {
  const int dpi = static_cast<int>(DpiOf(dialog));
  const PixelBox client = ToPixels({kDialogLeftTwips, kDialogTopTwips, clientWidthTwips, clientHeightTwips}, dpi);
  RECT frame{client.left, client.top, client.left + client.width, client.top + client.height};
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  SetWindowPos(dialog, HWND_TOPMOST, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOACTIVATE);
  for (std::size_t i = 0; i < count; ++i) {
    const PixelBox box = ToPixels(controls[i].rect, dpi);
    MoveWindow(GetDlgItem(dialog, controls[i].id), box.left, box.top, box.width, box.height, FALSE);
  }
}

int ShowMessage(HWND owner, const char* utf8Text, UINT style) {
  return MessageBoxW(owner, Widen(utf8Text).c_str(), L"Zelor2", style | MB_SETFOREGROUND | MB_TOPMOST);
}

}  // namespace zelor::win32
