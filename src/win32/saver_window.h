// frmBildschirm: the borderless black window that covers the primary screen,
// or every monitor at once, shows the core's picture with the time label over
// it and hands the user's input to the session. Further monitors it does not
// cover get a plain black window. It is the run's backend: clock, screen,
// input and the password query.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "shell/monitors.h"
#include "win32/password_dialogs.h"
#include "shell/saver_backend.h"
#include "shell/saver_session.h"

namespace zelor::win32 {

class SaverWindow : public SaverBackend {
 public:
  explicit SaverWindow(HINSTANCE instance) : instance_(instance) {}
  ~SaverWindow() override;

  // Form_Load: creates and shows the windows, sizes the canvas to the screen,
  // or to all monitors with `allScreens`. Input goes to `session` from then on.
  void Show(SaverSession& session, bool allScreens);
  HWND Handle() const { return window_; }

  std::int64_t NowMicroseconds() override;
  Canvas& Picture() override { return canvas_; }
  void Present(const std::string& label) override;
  void PollInput() override;
  void WaitForInput(std::int64_t untilUs) override;
  bool HasPasswordQuery() const override { return true; }
  void AskPassword(SaverSession& session) override;
  void ShowError(const std::string& message) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void CoverOtherMonitors(const std::vector<ScreenRect>& areas);
  void Paint();
  void DrawLabel(HDC dc);
  void MouseMove(ScreenPoint p);

  HINSTANCE instance_;
  SaverSession* session_ = nullptr;
  HWND window_ = nullptr;
  PasswordQuery query_;
  SaverWindowPlaces places_;
  std::vector<HWND> blackWindows_;
  HANDLE waitTimer_ = nullptr;  // made at the first wait; runs without a tempo never wait
  HFONT labelFont_ = nullptr;
  RECT labelRect_{};
  std::wstring labelText_ = L"0";
  Canvas canvas_;
};

}  // namespace zelor::win32
