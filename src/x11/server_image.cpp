#include "x11/server_image.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace zelor::x11 {
namespace {

// Set by the handler below while an attach is tried: a remote server
// refuses MIT-SHM with an error, not an answer.
bool attachFailed = false;
int NoteAttachFailure(Display*, XErrorEvent*) {
  attachFailed = true;
  return 0;
}

// An 8-bit channel scaled into the bits of its mask.
unsigned long Channel(std::uint32_t value, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  const unsigned long top = mask >> shift;
  return ((value * top + 127) / 255) << shift;
}

}  // namespace

unsigned long PixelValue(const Visual* visual, std::uint32_t rgb) {
  return Channel((rgb >> 16) & 0xFF, visual->red_mask) | Channel((rgb >> 8) & 0xFF, visual->green_mask) |
         Channel(rgb & 0xFF, visual->blue_mask);
}

ServerImage::ServerImage(Display* display, Visual* visual, int depth, int width, int height)
    : display_(display), visual_(visual) {
  if (!TryShared(visual, depth, width, height)) {
    image_ = XCreateImage(display, visual, depth, ZPixmap, 0, nullptr, width, height, 32, 0);
    if (image_) image_->data = static_cast<char*>(std::calloc(image_->bytes_per_line, height));
  }
  const std::uint32_t probe = 1;
  unsigned char first;
  std::memcpy(&first, &probe, 1);
  const int hostOrder = first == 1 ? LSBFirst : MSBFirst;
  sameLayout_ = image_ && image_->bits_per_pixel == 32 && image_->byte_order == hostOrder &&
                visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF;
}

bool ServerImage::TryShared(Visual* visual, int depth, int width, int height) {
  if (!XShmQueryExtension(display_)) return false;
  image_ = XShmCreateImage(display_, visual, depth, ZPixmap, nullptr, &segment_, width, height);
  if (!image_) return false;
  segment_.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(image_->bytes_per_line) * height, IPC_CREAT | 0600);
  void* memory = segment_.shmid >= 0 ? shmat(segment_.shmid, nullptr, 0) : reinterpret_cast<void*>(-1);
  if (memory != reinterpret_cast<void*>(-1)) {
    segment_.shmaddr = image_->data = static_cast<char*>(memory);
    segment_.readOnly = False;
    attachFailed = false;
    XSync(display_, False);
    const auto previous = XSetErrorHandler(NoteAttachFailure);
    XShmAttach(display_, &segment_);
    XSync(display_, False);
    XSetErrorHandler(previous);
    shared_ = !attachFailed;
  }
  // Removed now, the segment goes away with the last process that uses it,
  // also after a crash.
  if (segment_.shmid >= 0) shmctl(segment_.shmid, IPC_RMID, nullptr);
  if (shared_) return true;
  if (memory != reinterpret_cast<void*>(-1)) shmdt(memory);
  image_->data = nullptr;
  XDestroyImage(image_);
  image_ = nullptr;
  return false;
}

ServerImage::~ServerImage() {
  if (!image_) return;
  if (shared_) {
    XShmDetach(display_, &segment_);
    XSync(display_, False);  // the server lets go before the memory does
    shmdt(segment_.shmaddr);
    image_->data = nullptr;
  }
  XDestroyImage(image_);  // frees the plain image's memory
}

void ServerImage::Copy(const Canvas& canvas, const PixelRect& part) {
  const int width = part.right - part.left;
  for (int y = part.top; y < part.bottom; ++y) {
    const std::uint32_t* from = canvas.Pixels() + static_cast<std::size_t>(y) * canvas.Width() + part.left;
    if (sameLayout_) {
      std::memcpy(image_->data + static_cast<std::size_t>(y) * image_->bytes_per_line + part.left * 4, from,
                  static_cast<std::size_t>(width) * 4);
      continue;
    }
    for (int x = 0; x < width; ++x) XPutPixel(image_, part.left + x, y, PixelValue(visual_, from[x]));
  }
}

void ServerImage::Put(Drawable drawable, GC gc, const Canvas& canvas, PixelRect part, int atX, int atY) {
  if (!image_) return;
  part.left = std::max(part.left, 0);
  part.top = std::max(part.top, 0);
  part.right = std::min({part.right, canvas.Width(), image_->width});
  part.bottom = std::min({part.bottom, canvas.Height(), image_->height});
  if (part.Empty()) return;
  Copy(canvas, part);
  const unsigned width = part.right - part.left, height = part.bottom - part.top;
  if (shared_)
    XShmPutImage(display_, drawable, gc, image_, part.left, part.top, atX + part.left, atY + part.top, width, height,
                 False);
  else
    XPutImage(display_, drawable, gc, image_, part.left, part.top, atX + part.left, atY + part.top, width, height);
}

}  // namespace zelor::x11
