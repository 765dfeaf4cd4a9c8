// The X11 saver window as the run's backend: draws the core's picture and
// the time label into the root window, a given window (the daemon's) or a
// window of its own, and hands input to the session only where the window is
// its own and full-screen. The sky lies over the monitors as
// PlaceWindowInSky says: centred on the primary monitor, going on across the
// others or leaving them black, also where the daemon gives each monitor a
// window and a process of its own. A stop signal or the window's end asks
// the session to close, so the run's end is stored (by the primary window).
#pragma once

#include <memory>
#include <string>

// Before Xlib, which defines None as a macro.
#include "x11/module/module_options.h"
#include "shell/monitors.h"
#include "shell/saver_backend.h"
#include "shell/saver_session.h"

#include <X11/Xlib.h>

#include "x11/server_image.h"

namespace zelor::x11 {

class SaverWindow : public SaverBackend {
 public:
  explicit SaverWindow(Display* display) : display_(display) {}
  ~SaverWindow() override;

  // Finds or makes the window and sizes the canvas to it, or, with
  // `allScreens`, to the monitors it covers. Input goes to `session` from
  // then on. A German message when there is no such window; empty on success.
  std::string Open(SaverSession& session, const ModuleOptions& options, bool allScreens);

  std::int64_t NowMicroseconds() override;
  Canvas& Picture() override { return canvas_; }
  void Present(const std::string& label) override;
  void PollInput() override;
  void WaitForInput(std::int64_t untilUs) override;
  // A module does not lock: that belongs to the saver daemon.
  bool HasPasswordQuery() const override { return false; }
  void AskPassword(SaverSession&) override {}
  // Only the primary window's run stores its end.
  bool StoresTheRunsEnd() const override { return primaryWindow_; }
  // On stderr; in the root or a given window also in the window, which then
  // shows it until a stop signal or the window's end.
  void ShowError(const std::string& message) override;

  // False for a window of a monitor the sky leaves black: it has nothing to run.
  bool ShowsSky() const { return showsSky_; }
  // Keeps a window that shows no picture (black, or a message) as it is
  // until a stop signal or the window's end.
  void WaitUntilEnded();

 private:
  void MakeOwnWindow(bool fullscreen);
  // Places the picture for a window of this size and clears it.
  void Fit(int width, int height);
  void Handle(const XEvent& event);
  void DrawLabel();
  // Black, with the message, if any, over the primary monitor or the window.
  void PaintStill();

  Display* display_;
  SaverSession* session_ = nullptr;
  Window window_ = 0;
  bool ownWindow_ = false;
  bool takesInput_ = false;  // -fullscreen: keys and pointer moves go to the session
  bool allScreens_ = true;
  bool primaryWindow_ = true;  // the label and the run's end are this window's
  bool showsSky_ = true;
  bool still_ = false;         // showing no picture: black, or the message
  std::string message_;
  Visual* visual_ = nullptr;
  int depth_ = 0;
  int windowWidth_ = 0, windowHeight_ = 0;
  // The window in root pixels, and where the picture and the primary monitor lie.
  ScreenRect windowArea_;
  SaverWindowPlaces places_;
  Atom deleteWindow_ = 0;
  GC gc_ = nullptr;
  XFontStruct* font_ = nullptr;
  XFontStruct* messageFont_ = nullptr;
  unsigned long white_ = 0, black_ = 0;
  std::unique_ptr<ServerImage> image_;
  int labelLeft_ = 0, labelTop_ = 0, labelWidth_ = 0, labelHeight_ = 0;
  std::string labelText_ = "0";
  Canvas canvas_;
};

}  // namespace zelor::x11
