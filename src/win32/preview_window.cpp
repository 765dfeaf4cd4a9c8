#include "win32/preview_window.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "shell/preview.h"
#include "win32/canvas_blit.h"
#include "win32/picture_file.h"
#include "win32/platform.h"
#include "win32/wide_text.h"
#include "win32/win32_file_system.h"

namespace zelor::win32 {
namespace {

constexpr wchar_t kPreviewClass[] = L"Zelor2Vorschau";
// How often the parent is looked at while waiting for the next frame: the
// preview ends within this much of the settings page closing.
constexpr DWORD kParentCheckMs = 50;
// Set by the end-to-end tests only: the file that receives, a few times a
// second, the picture this window shows.
constexpr wchar_t kPictureFileVariable[] = L"ZELOR_PREVIEW_PICTURE";
constexpr std::int64_t kPictureEveryUs = 250000;

std::wstring PictureFileFromEnvironment() {
  wchar_t path[MAX_PATH] = L"";
  const DWORD n = GetEnvironmentVariableW(kPictureFileVariable, path, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(path, n) : std::wstring();
}

class PreviewWindow : public PreviewBackend {
 public:
  PreviewWindow(HINSTANCE instance, HWND parent) : parent_(parent), pictureFile_(PictureFileFromEnvironment()) {
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
    if (!CreateFrame()) return;
    window_ = CreateWindowExW(0, kPreviewClass, L"Zelor2", WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0, area.right,
                              area.bottom, parent, nullptr, instance, this);
  }
  ~PreviewWindow() override {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    if (frameDc_) {
      SelectObject(frameDc_, frameBefore_);
      DeleteDC(frameDc_);
    }
    if (frameBitmap_) DeleteObject(frameBitmap_);
  }
  bool Created() const { return window_ != nullptr; }

  std::int64_t NowMicroseconds() override { return SteadyMicroseconds(); }
  Canvas& Picture() override { return canvas_; }

  void Present() override {
    const PixelRect dirty = canvas_.TakeDirty();
    if (dirty.Empty() || !IsWindow(window_)) return;
    ComposeFrame(dirty);
    HDC dc = GetDC(window_);
    ShowFrame(dc, text_.empty() ? dirty : WholeFrame());
    ReleaseDC(window_, dc);
  }

  void ShowText(const std::string& text) override {
    text_ = Widen(text);
    ComposeFrame(WholeFrame());
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
      WritePictureWhenDue();
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
          PAINTSTRUCT ps;
          HDC dc = BeginPaint(window, &ps);
          self->ShowFrame(dc, self->WholeFrame());
          EndPaint(window, &ps);
          return 0;
        }
        break;
      case WM_DESTROY:
        if (self) self->window_ = nullptr;
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  // The window shows a frame composed in memory: the picture with the text
  // over it. The tests' picture file is that same frame.
  bool CreateFrame() {
    const BITMAPINFO info = CanvasBitmapInfo(canvas_);
    void* bits = nullptr;
    frameBitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    frameDc_ = CreateCompatibleDC(nullptr);
    if (!frameBitmap_ || !frameDc_) return false;
    framePixels_ = static_cast<const std::uint32_t*>(bits);
    frameBefore_ = SelectObject(frameDc_, frameBitmap_);
    return true;
  }

  PixelRect WholeFrame() const { return {0, 0, canvas_.Width(), canvas_.Height()}; }

  void ComposeFrame(const PixelRect& area) {
    BlitCanvas(frameDc_, canvas_, area);
    if (text_.empty()) return;
    // Centred, in as many lines as the monitor's width needs.
    constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    SetTextColor(frameDc_, RGB(255, 255, 255));
    SetBkMode(frameDc_, TRANSPARENT);
    SelectObject(frameDc_, GetStockObject(DEFAULT_GUI_FONT));
    RECT box{4, 0, canvas_.Width() - 4, canvas_.Height()};
    DrawTextW(frameDc_, text_.c_str(), static_cast<int>(text_.size()), &box, kFormat | DT_CALCRECT);
    const int textHeight = box.bottom - box.top;
    box = RECT{4, (canvas_.Height() - textHeight) / 2, canvas_.Width() - 4, canvas_.Height()};
    DrawTextW(frameDc_, text_.c_str(), static_cast<int>(text_.size()), &box, kFormat);
  }

  void ShowFrame(HDC dc, const PixelRect& area) {
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, frameDc_, area.left, area.top,
           SRCCOPY);
  }

  void WritePictureWhenDue() {
    if (pictureFile_.empty() || NowMicroseconds() < nextPictureUs_) return;
    GdiFlush();
    WritePictureFile(pictureFile_, canvas_.Width(), canvas_.Height(), framePixels_);
    nextPictureUs_ = NowMicroseconds() + kPictureEveryUs;
  }

  HWND parent_;
  HWND window_ = nullptr;
  Canvas canvas_;
  std::wstring text_;
  HDC frameDc_ = nullptr;
  HBITMAP frameBitmap_ = nullptr;
  HGDIOBJ frameBefore_ = nullptr;
  const std::uint32_t* framePixels_ = nullptr;
  std::wstring pictureFile_;
  std::int64_t nextPictureUs_ = 0;
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
