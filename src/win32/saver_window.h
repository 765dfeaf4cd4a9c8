// frmBildschirm: the borderless black window that covers the primary screen,
// shows the core's picture with the time label over it and passes the user's
// input to the wake-up rules. Further monitors get a plain black window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "settings/settings.h"
#include "shell/wakeup.h"
#include "sim/canvas.h"

namespace zelor::win32 {

class SaverWindow {
 public:
  SaverWindow(HINSTANCE instance, const Settings& settings, bool& running);
  ~SaverWindow();

  // Form_Load: creates and shows the windows, sizes the canvas to the screen.
  void Show();

  Canvas& Picture() { return canvas_; }
  HWND Handle() const { return window_; }

  // Puts what was drawn since the last time, and the label, on the screen.
  void Present(const std::string& label);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void CoverOtherMonitors();
  void Paint();
  void Blit(HDC dc, const PixelRect& area);
  void DrawLabel(HDC dc);
  void Act(WakeAction action);
  void MouseMove(POINT screenPoint);

  HINSTANCE instance_;
  const Settings& settings_;
  bool& running_;
  HWND window_ = nullptr;
  std::vector<HWND> blackWindows_;
  HFONT labelFont_ = nullptr;
  RECT labelRect_{};
  std::wstring labelText_ = L"0";
  Canvas canvas_;
  WakeupRules wakeup_;
};

}  // namespace zelor::win32
