#include "win32/preview_window.h"

#include <algorithm>
#include <string>

#include "shell/preview.h"
#include "win32/canvas_blit.h"
#include "win32/platform.h"
#include "win32/wide_text.h"
#include "win32/win32_file_system.h"

namespace zelor::win32 {
namespace {

constexpr wchar_t kPreviewClass[] = L"Zelor2Vorschau";
// How often the parent is looked at while waiting for the next frame: the
// preview ends within this much of the settings page closing.
constexpr DWORD kParentCheckMs = 50;

class PreviewWindow : public PreviewBackend {
 public:
  PreviewWindow(HINSTANCE instance, HWND parent) : parent_(parent) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &PreviewWindow::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kPreviewClass;
    RegisterClassExW(&wc);
    RECT area{};
    GetClientRect(parent, &area);
    canvas_.Resize(std::max<LONG>(area.right, 1), std::max<LONG>(area.bottom, 1));
    window_ = CreateWindowExW(0, kPreviewClass, L"Zelor2", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0, area.right,
                              area.bottom, parent, nullptr, instance, this);
  }
  ~PreviewWindow() override {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
  }
  bool Created() const { return window_ != nullptr; }

  std::int64_t NowMicroseconds() override { return SteadyMicroseconds(); }
  Canvas& Picture() override { return canvas_; }

  void Present() override {
    const PixelRect dirty = canvas_.TakeDirty();
    if (dirty.Empty() || !IsWindow(window_)) return;
    HDC dc = GetDC(window_);
    BlitCanvas(dc, canvas_, dirty);
    ReleaseDC(window_, dc);
  }

  void ShowText(const std::string& text) override {
    text_ = Widen(text);
    InvalidateRect(window_, nullptr, FALSE);
  }

  bool WaitUntil(std::int64_t untilUs) override {
    for (;;) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) return false;
        DispatchMessageW(&message);
      }
      if (!IsWindow(parent_) || !IsWindow(window_)) return false;
      const std::int64_t left = untilUs - NowMicroseconds();
      if (left <= 0) return true;
      const DWORD waitMs = static_cast<DWORD>(std::min<std::int64_t>(left / 1000 + 1, kParentCheckMs));
      MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
    }
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PreviewWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
      case WM_ERASEBKGND:
        return 1;  // the picture covers every pixel
      case WM_PAINT:
        if (self) {
          self->Paint(window);
          return 0;
        }
        break;
      case WM_DESTROY:
        if (self) self->window_ = nullptr;
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  void Paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    BlitCanvas(dc, canvas_, {0, 0, canvas_.Width(), canvas_.Height()});
    if (!text_.empty()) {
      RECT box{0, 0, canvas_.Width(), canvas_.Height()};
      SetTextColor(dc, RGB(255, 255, 255));
      SetBkMode(dc, TRANSPARENT);
      SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      DrawTextW(dc, text_.c_str(), static_cast<int>(text_.size()), &box,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    EndPaint(window, &ps);
  }

  HWND parent_;
  HWND window_ = nullptr;
  Canvas canvas_;
  std::wstring text_;
};

}  // namespace

void RunPreviewWindow(HINSTANCE instance, const Settings& settings, HWND parent) {
  if (!IsWindow(parent)) return;
  PreviewWindow window(instance, parent);
  if (!window.Created()) return;
  Win32FileSystem files;
  try {
    RunPreview(window, settings, files, CarriedBodyFile(instance));
  } catch (...) {
    // No message box in someone else's settings page; the preview just ends.
  }
}

}  // namespace zelor::win32
