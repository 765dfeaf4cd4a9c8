#include "win32/saver_window.h"

#include <windowsx.h>

#include <algorithm>

#include "shell/time_label.h"
#include "win32/canvas_blit.h"
#include "win32/dialog_layout.h"
#include "win32/password_dialogs.h"
#include "win32/platform.h"
#include "win32/resource_ids.h"
#include "win32/system_command.h"
#include "win32/wide_text.h"

namespace zelor::win32 {
namespace {

constexpr wchar_t kSaverClass[] = L"Zelor2Bildschirm";
constexpr wchar_t kBlackClass[] = L"Zelor2Schwarz";
// CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, which older SDK headers lack.
constexpr DWORD kHighResolutionTimer = 0x00000002;

void RegisterClasses(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_TRANSPARENT));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kSaverClass;
  RegisterClassExW(&wc);
  wc.lpszClassName = kBlackClass;
  RegisterClassExW(&wc);
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT area, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  const bool primary = GetMonitorInfoW(monitor, &info) && (info.dwFlags & MONITORINFOF_PRIMARY);
  reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
      {{area->left, area->top, area->right, area->bottom}, primary});
  return TRUE;
}

}  // namespace

SaverWindow::~SaverWindow() {
  if (labelFont_) DeleteObject(labelFont_);
  if (waitTimer_) CloseHandle(waitTimer_);
}

void SaverWindow::Show(SaverSession& session, bool allScreens) {
  session_ = &session;
  RegisterClasses(instance_, &SaverWindow::WindowProc);
  std::vector<MonitorArea> monitors;
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  places_ = PlaceSaverWindows(monitors, {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                              allScreens);
  const ScreenRect& area = places_.saver;
  FitPicture(canvas_, places_);
  const int dpi = static_cast<int>(DpiOf(nullptr));
  const PixelBox label = TimeLabelBox(dpi);
  // At the primary monitor's top left, wherever that lies in the window.
  const PixelRect primary = AreaIn(places_.primary, area);
  labelRect_ = {primary.left + label.left, primary.top + label.top, primary.left + label.left + label.width,
                primary.top + label.top + label.height};
  labelFont_ = CreateFontW(-MulDiv(kTimeLabelPoints, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                           L"MS Sans Serif");
  // A tool window gets no task-bar button; topmost keeps it over everything
  // but the password query it owns.
  window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kSaverClass, L"Form1", WS_POPUP, area.left, area.top,
                            area.Width(), area.Height(), nullptr, nullptr, instance_, this);
  CoverOtherMonitors(places_.black);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(window_);
  UpdateWindow(window_);
}

void SaverWindow::CoverOtherMonitors(const std::vector<ScreenRect>& areas) {
  for (const ScreenRect& area : areas) {
    HWND black = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kBlackClass, L"", WS_POPUP, area.left, area.top,
                                 area.Width(), area.Height(), window_, nullptr, instance_, this);
    ShowWindow(black, SW_SHOWNOACTIVATE);
    blackWindows_.push_back(black);
  }
}

void SaverWindow::MouseMove(ScreenPoint p) {
  const PointerReport report = PointerOnPrimary(p, places_);
  session_->PointerMoved(report.x, report.y, report.width, report.height);
}

std::int64_t SaverWindow::NowMicroseconds() { return SteadyMicroseconds(); }

void SaverWindow::PollInput() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void SaverWindow::WaitForInput(std::int64_t untilUs) {
  const std::int64_t waitUs = untilUs - NowMicroseconds();
  if (waitUs <= 0) return PollInput();
  // A high-resolution timer wakes the loop on time for the next frame; the
  // default timer ticks only every 15.6 ms. Where it is missing, a plain one.
  if (!waitTimer_) waitTimer_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
  if (!waitTimer_) waitTimer_ = CreateWaitableTimerW(nullptr, TRUE, nullptr);
  LARGE_INTEGER due;
  due.QuadPart = -waitUs * 10;  // relative, in 100 ns
  // MWMO_INPUTAVAILABLE: input already waiting ends the wait at once.
  if (waitTimer_ && SetWaitableTimer(waitTimer_, &due, 0, nullptr, nullptr, FALSE))
    MsgWaitForMultipleObjectsEx(1, &waitTimer_, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  else
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>((waitUs + 999) / 1000), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  PollInput();
}

void SaverWindow::AskPassword(SaverSession& session) { query_.Ask(instance_, window_, session); }

void SaverWindow::ShowError(const std::string& message) {
  ShowMessage(window_, message.c_str(), MB_ICONERROR | MB_OK);
}

void SaverWindow::Present(const std::string& label) {
  // Each place drawn on goes to the screen by itself: the bodies' few new
  // pixels each frame lie far apart, and the area around all of them would
  // be most of the screen.
  const std::vector<PixelRect> dirty = canvas_.TakeDirtyAreas();
  const std::wstring text = Widen(label);
  const bool labelChanged = text != labelText_;
  if (dirty.empty() && !labelChanged) return;
  labelText_ = text;
  HDC dc = GetDC(window_);
  for (const PixelRect& area : dirty) BlitCanvas(dc, canvas_, area);
  DrawLabel(dc);
  ReleaseDC(window_, dc);
}

void SaverWindow::DrawLabel(HDC dc) {
  const HGDIOBJ oldFont = SelectObject(dc, labelFont_);
  SIZE extent{};
  if (GetTextExtentPoint32W(dc, labelText_.c_str(), static_cast<int>(labelText_.size()), &extent))
    labelRect_.right = labelRect_.left + WidenedLabelWidth(labelRect_.right - labelRect_.left,
                                                           static_cast<int>(extent.cx), static_cast<int>(extent.cy));
  // The label is opaque: black behind white text, over whatever was drawn.
  FillRect(dc, &labelRect_, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, OPAQUE);
  RECT box = labelRect_;
  DrawTextW(dc, labelText_.c_str(), static_cast<int>(labelText_.size()), &box,
            DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}

void SaverWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  const PixelRect area{std::max<int>(ps.rcPaint.left, 0), std::max<int>(ps.rcPaint.top, 0),
                       std::min<int>(ps.rcPaint.right, canvas_.Width()),
                       std::min<int>(ps.rcPaint.bottom, canvas_.Height())};
  if (!area.Empty()) BlitCanvas(dc, canvas_, area);
  DrawLabel(dc);
  EndPaint(window_, &ps);
}

LRESULT CALLBACK SaverWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<SaverWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self || message == WM_NCCREATE) return DefWindowProcW(window, message, wParam, lParam);
  if (window != self->window_ && self->window_) {
    // The black windows of further monitors: painted by their class brush;
    // their input counts like input on the saver window.
    if (message == WM_MOUSEMOVE) {
      for (std::size_t i = 0; i < self->blackWindows_.size(); ++i) {
        if (self->blackWindows_[i] != window) continue;
        self->MouseMove(TranslatePoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, self->places_.black[i],
                                       self->places_.saver));
        return 0;
      }
    }
    if (message == WM_CHAR || message == WM_CLOSE || message == WM_SYSCOMMAND)
      return self->Handle(message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

LRESULT SaverWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the picture covers every pixel
    case WM_MOUSEMOVE:
      MouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_CHAR:
      session_->CharacterTyped();
      return 0;
    case WM_SYSCHAR:  // Alt with a letter types nothing
      session_->KeyWithoutCharacter(KeyKind::Other);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const bool modifier =
          wParam == VK_SHIFT || wParam == VK_CONTROL || wParam == VK_MENU || wParam == VK_LWIN || wParam == VK_RWIN;
      // TranslateMessage has already queued the character a key types: the
      // key comes to the session as that character. F4 goes to the system,
      // which turns Alt+F4 into the close command.
      MSG typed;
      const bool characterFollows = PeekMessageW(&typed, window_, WM_CHAR, WM_DEADCHAR, PM_NOREMOVE) ||
                                    PeekMessageW(&typed, window_, WM_SYSCHAR, WM_SYSDEADCHAR, PM_NOREMOVE);
      if (!modifier && (characterFollows || wParam == VK_F4)) break;
      session_->KeyWithoutCharacter(modifier ? KeyKind::Modifier : KeyKind::Other);
      return 0;
    }
    case WM_SYSCOMMAND:
      switch (SystemCommandOf(wParam)) {
        case SystemCommand::CloseAsked:
          session_->CloseAsked();
          return 0;
        case SystemCommand::ScreenSaveAsked:
          if (session_->ScreenSaveAsked()) break;
          return 0;
        case SystemCommand::MenuKey:  // the saver has no menu; the keys went to the session as they went down
          return 0;
        case SystemCommand::Other:
          break;
      }
      break;
    case WM_CLOSE:
      // Never destroyed from outside: the session decides what a close does.
      session_->CloseAsked();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace zelor::win32
