// The picture on the X server's side: an image the size of the window that
// parts of the canvas are copied into and put on the window from. It lies in
// shared memory where the server offers MIT-SHM (a local server), else it
// travels with XPutImage.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <cstdint>

#include "sim/canvas.h"

namespace zelor::x11 {

// The window's pixel value of a colour 0x00RRGGBB.
unsigned long PixelValue(const Visual* visual, std::uint32_t rgb);

class ServerImage {
 public:
  ServerImage(Display* display, Visual* visual, int depth, int width, int height);
  ~ServerImage();
  ServerImage(const ServerImage&) = delete;
  ServerImage& operator=(const ServerImage&) = delete;

  // Copies the part of the canvas (clipped to both) into the image and puts
  // it on the drawable, the canvas's corner at (atX, atY). The caller flushes.
  void Put(Drawable drawable, GC gc, const Canvas& canvas, PixelRect part, int atX = 0, int atY = 0);
  bool Shared() const { return shared_; }

 private:
  bool TryShared(Visual* visual, int depth, int width, int height);
  void Copy(const Canvas& canvas, const PixelRect& part);

  Display* display_;
  Visual* visual_;
  XImage* image_ = nullptr;
  XShmSegmentInfo segment_{};
  bool shared_ = false;
  bool sameLayout_ = false;  // the canvas's 0x00RRGGBB words can be copied as they are
};

}  // namespace zelor::x11
