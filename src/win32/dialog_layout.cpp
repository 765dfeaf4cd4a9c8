#include "win32/dialog_layout.h"

#include <vector>

#include "common/caption_room.h"
#include "win32/caption_need.h"
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
  std::vector<TwipsRect> rects;
  for (std::size_t i = 0; i < count; ++i) rects.push_back(controls[i].rect);
  PixelDialog pixels = DialogInPixels(clientWidthTwips, clientHeightTwips, rects, dpi);
  std::vector<int> needs;
  for (std::size_t i = 0; i < count; ++i)
    needs.push_back(CaptionNeed(GetDlgItem(dialog, controls[i].id), pixels.controls[i].height));
  MakeRoomForCaptions(pixels, needs, dpi);

  const int left = TwipsToPixels(kDialogLeftTwips, dpi), top = TwipsToPixels(kDialogTopTwips, dpi);
  RECT frame{left, top, left + pixels.width, top + pixels.height};
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  SetWindowPos(dialog, HWND_TOPMOST, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOACTIVATE);
  for (std::size_t i = 0; i < count; ++i) {
    const PixelBox& box = pixels.controls[i];
    MoveWindow(GetDlgItem(dialog, controls[i].id), box.left, box.top, box.width, box.height, FALSE);
  }
}

int ShowMessage(HWND owner, const char* utf8Text, UINT style) {
  return MessageBoxW(owner, Widen(utf8Text).c_str(), L"Zelor2", style | MB_SETFOREGROUND | MB_TOPMOST);
}

}  // namespace zelor::win32
