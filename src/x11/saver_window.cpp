#include "x11/saver_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>

#include "shell/time_label.h"
#include "x11/monitor_list.h"
#include "x11/stop_signals.h"
#include "x11/window_message.h"

namespace zelor::x11 {
namespace {

constexpr int kOwnWindowWidth = 800, kOwnWindowHeight = 600;

// A window that goes away under a module (the daemon destroyed it) makes
// the next request fail; Xlib's own handler would end the process without
// storing the run's end.
bool windowGone = false;
int NoteError(Display*, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) windowGone = true;
  return 0;
}

// The 75-dpi bitmap fonts every X server has are named by their pixel size,
// which for them is the point size.
XFontStruct* LoadLabelFont(Display* display) {
  const std::string size = "--" + std::to_string(kTimeLabelPoints) + "-";
  for (const std::string& name : {"-*-helvetica-medium-r-normal" + size + "*-*-*-*-*-iso8859-1",
                                  "-*-*-medium-r-normal" + size + "*-*-*-*-*-iso8859-1", std::string("fixed")})
    if (XFontStruct* font = XLoadQueryFont(display, name.c_str())) return font;
  return nullptr;
}

void HidePointer(Display* display, Window window) {
  const char none = 0;
  const Pixmap empty = XCreateBitmapFromData(display, window, &none, 1, 1);
  XColor black{};
  const Cursor cursor = XCreatePixmapCursor(display, empty, empty, &black, &black, 0, 0);
  XDefineCursor(display, window, cursor);
  XFreeCursor(display, cursor);
  XFreePixmap(display, empty);
}

}  // namespace

SaverWindow::~SaverWindow() {
  image_.reset();
  if (font_) XFreeFont(display_, font_);
  if (messageFont_) XFreeFont(display_, messageFont_);
  if (gc_) XFreeGC(display_, gc_);
  if (ownWindow_ && !windowGone) XDestroyWindow(display_, window_);
  XSync(display_, False);
}

std::string SaverWindow::Open(SaverSession& session, const ModuleOptions& options, bool allScreens) {
  session_ = &session;
  XSetErrorHandler(NoteError);
  allScreens_ = allScreens;
  if (options.target == DrawTarget::OwnWindow) {
    MakeOwnWindow(options.fullscreen);
  } else {
    window_ = options.target == DrawTarget::Root ? DefaultRootWindow(display_) : static_cast<Window>(options.window);
    // Only what any number of clients may watch: input stays with the daemon.
    XSelectInput(display_, window_, ExposureMask | StructureNotifyMask);
  }
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display_, window_, &attributes) || windowGone) {
    char id[32];
    std::snprintf(id, sizeof id, "0x%lx", static_cast<unsigned long>(window_));
    return std::string("Das Fenster ") + id + " gibt es nicht.";
  }
  visual_ = attributes.visual;
  depth_ = attributes.depth;
  gc_ = XCreateGC(display_, window_, 0, nullptr);
  font_ = LoadLabelFont(display_);
  if (font_) XSetFont(display_, gc_, font_->fid);
  white_ = PixelValue(attributes.visual, 0xFFFFFF);
  black_ = PixelValue(attributes.visual, 0);
  const PixelBox label = TimeLabelBox(kUsualScreenDpi);
  labelWidth_ = label.width;
  labelHeight_ = std::max(label.height, font_ ? font_->ascent + font_->descent : 0);
  Fit(attributes.width, attributes.height);
  XSync(display_, False);
  return std::string();
}

void SaverWindow::Fit(int width, int height) {
  windowWidth_ = width;
  windowHeight_ = height;
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
  windowArea_ = {x, y, x + width, y + height};
  const WindowPart part = PlaceWindowInSky(ListMonitors(display_), windowArea_, allScreens_);
  places_ = part.places;
  primaryWindow_ = part.primaryWindow;
  showsSky_ = part.ShowsSky();
  image_.reset();
  if (showsSky_) {
    canvas_.Refit(places_.saver.Width(), places_.saver.Height(), AreaIn(places_.primary, places_.saver));
    image_ = std::make_unique<ServerImage>(display_, visual_, depth_, canvas_.Width(), canvas_.Height());
  }
  const PixelRect primary = AreaIn(places_.primary, windowArea_);
  const PixelBox label = TimeLabelBox(kUsualScreenDpi);
  labelLeft_ = primary.left + label.left;
  labelTop_ = primary.top + label.top;
  // Monitors left out of the picture are black, also on the root.
  XSetForeground(display_, gc_, black_);
  XFillRectangle(display_, window_, gc_, 0, 0, width, height);
}

void SaverWindow::MakeOwnWindow(bool fullscreen) {
  const int screen = DefaultScreen(display_);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = BlackPixel(display_, screen);
  attributes.event_mask = ExposureMask | StructureNotifyMask | (fullscreen ? PointerMotionMask | KeyPressMask : 0);
  const int width = fullscreen ? DisplayWidth(display_, screen) : kOwnWindowWidth;
  const int height = fullscreen ? DisplayHeight(display_, screen) : kOwnWindowHeight;
  window_ = XCreateWindow(display_, RootWindow(display_, screen), 0, 0, width, height, 0, CopyFromParent, InputOutput,
                          CopyFromParent, CWBackPixel | CWEventMask, &attributes);
  ownWindow_ = true;
  takesInput_ = fullscreen;
  XStoreName(display_, window_, "Zelor2");
  XClassHint hint{const_cast<char*>("zelor2"), const_cast<char*>("Zelor2")};
  XSetClassHint(display_, window_, &hint);
  deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display_, window_, &deleteWindow_, 1);
  if (fullscreen) {
    // A window manager makes it cover everything; without one it already does.
    Atom state = XInternAtom(display_, "_NET_WM_STATE_FULLSCREEN", False);
    XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&state), 1);
    HidePointer(display_, window_);
  }
  XMapRaised(display_, window_);
}

std::int64_t SaverWindow::NowMicroseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

void SaverWindow::Present(const std::string& label) {
  if (!image_) return;
  const std::vector<PixelRect> dirty = canvas_.TakeDirtyAreas();
  if (dirty.empty() && label == labelText_) return;
  labelText_ = label;
  // The server has taken the last image before this copy into shared memory
  // begins; meanwhile it worked while the run stepped.
  XSync(display_, False);
  const PixelRect picture = AreaIn(places_.saver, windowArea_);
  for (const PixelRect& area : dirty) image_->Put(window_, gc_, canvas_, area, picture.left, picture.top);
  DrawLabel();
  XFlush(display_);
}

void SaverWindow::DrawLabel() {
  if (!primaryWindow_) return;
  const int length = static_cast<int>(labelText_.size());
  const int textWidth = font_ ? XTextWidth(font_, labelText_.data(), length) : 0;
  labelWidth_ = WidenedLabelWidth(labelWidth_, textWidth, labelHeight_);
  XSetForeground(display_, gc_, black_);
  XFillRectangle(display_, window_, gc_, labelLeft_, labelTop_, labelWidth_, labelHeight_);
  if (!font_) return;
  XSetForeground(display_, gc_, white_);
  XDrawString(display_, window_, gc_, labelLeft_ + (labelWidth_ - textWidth) / 2, labelTop_ + font_->ascent,
              labelText_.data(), length);
}

void SaverWindow::PollInput() {
  if (StopRequested() || windowGone) session_->CloseAsked();
  while (XPending(display_)) {
    XEvent event;
    XNextEvent(display_, &event);
    Handle(event);
  }
}

void SaverWindow::WaitForInput(std::int64_t untilUs) {
  PollInput();
  const std::int64_t waitUs = untilUs - NowMicroseconds();
  if (waitUs <= 0 || !session_->Running()) return;
  pollfd watched[2] = {{ConnectionNumber(display_), POLLIN, 0}, {StopSignalFd(), POLLIN, 0}};
  const timespec timeout{static_cast<time_t>(waitUs / 1000000), static_cast<long>(waitUs % 1000000 * 1000)};
  ppoll(watched, StopSignalFd() >= 0 ? 2 : 1, &timeout, nullptr);
  char drained[16];
  while (StopSignalFd() >= 0 && read(StopSignalFd(), drained, sizeof drained) > 0) {
  }
  PollInput();
}

void SaverWindow::ShowError(const std::string& message) {
  std::fprintf(stderr, "Zelor2: %s\n", message.c_str());
  // A window of its own goes, and the exit status tells; a module's window
  // is the daemon's, which would cover the message with "crashed" at once.
  if (ownWindow_) return;
  message_ = message;
  WaitUntilEnded();
}

void SaverWindow::WaitUntilEnded() {
  still_ = true;
  PaintStill();
  for (;;) {
    while (!windowGone && XPending(display_)) {
      XEvent event;
      XNextEvent(display_, &event);
      Handle(event);
    }
    if (StopRequested() || windowGone) return;
    pollfd watched[2] = {{ConnectionNumber(display_), POLLIN, 0}, {StopSignalFd(), POLLIN, 0}};
    poll(watched, StopSignalFd() >= 0 ? 2 : 1, -1);
  }
}

void SaverWindow::PaintStill() {
  XSetForeground(display_, gc_, black_);
  XFillRectangle(display_, window_, gc_, 0, 0, windowWidth_, windowHeight_);
  if (message_.empty()) return;
  if (!messageFont_) messageFont_ = LoadMessageFont(display_);
  XSetForeground(display_, gc_, white_);
  DrawMessage(display_, window_, gc_, messageFont_,
              primaryWindow_ ? AreaIn(places_.primary, windowArea_) : PixelRect{0, 0, windowWidth_, windowHeight_},
              message_);
  if (font_) XSetFont(display_, gc_, font_->fid);
}

void SaverWindow::Handle(const XEvent& event) {
  switch (event.type) {
    case Expose: {
      const XExposeEvent& e = event.xexpose;
      if (still_ || !image_) {
        if (e.count == 0) PaintStill();
        break;
      }
      const PixelRect picture = AreaIn(places_.saver, windowArea_);
      XSetForeground(display_, gc_, black_);
      XFillRectangle(display_, window_, gc_, e.x, e.y, e.width, e.height);
      image_->Put(window_, gc_, canvas_,
                  {e.x - picture.left, e.y - picture.top, e.x + e.width - picture.left, e.y + e.height - picture.top},
                  picture.left, picture.top);
      if (e.count == 0) DrawLabel();
      break;
    }
    case ConfigureNotify:
      // A window manager makes a full-screen window its real size only after
      // it appears; the root grows with a monitor added.
      if (event.xconfigure.window == window_ &&
          (event.xconfigure.width != windowWidth_ || event.xconfigure.height != windowHeight_)) {
        Fit(event.xconfigure.width, event.xconfigure.height);
        if (still_) PaintStill();
      }
      break;
    case MotionNotify:
      if (takesInput_) {
        const PointerReport report = PointerOnPrimary(
            TranslatePoint({event.xmotion.x, event.xmotion.y}, windowArea_, places_.saver), places_);
        session_->PointerMoved(report.x, report.y, report.width, report.height);
      }
      break;
    case KeyPress: {
      if (!takesInput_) break;
      char typed[8];
      KeySym key = 0;
      if (XLookupString(const_cast<XKeyEvent*>(&event.xkey), typed, sizeof typed, &key, nullptr) > 0)
        session_->CharacterTyped();
      else
        session_->KeyWithoutCharacter(IsModifierKey(key) ? KeyKind::Modifier : KeyKind::Other);
      break;
    }
    case ClientMessage:
      if (ownWindow_ && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_) session_->CloseAsked();
      break;
    case DestroyNotify:
      if (event.xdestroywindow.window == window_) {
        windowGone = true;
        session_->CloseAsked();
      }
      break;
    default:
      break;
  }
}

}  // namespace zelor::x11
