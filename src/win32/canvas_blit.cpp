#include "win32/canvas_blit.h"

namespace zelor::win32 {

BITMAPINFO CanvasBitmapInfo(const Canvas& canvas) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = canvas.Width();
  info.bmiHeader.biHeight = -canvas.Height();  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

void BlitCanvas(HDC dc, const Canvas& canvas, const PixelRect& area) {
  const BITMAPINFO info = CanvasBitmapInfo(canvas);
  // With a top-down DIB, the start scan line counts from the top as well;
  // hand over exactly the rows of the area.
  const int rows = area.bottom - area.top;
  SetDIBitsToDevice(dc, area.left, area.top, static_cast<DWORD>(area.right - area.left), static_cast<DWORD>(rows),
                    area.left, 0, 0, static_cast<UINT>(rows),
                    canvas.Pixels() + static_cast<std::size_t>(area.top) * canvas.Width(), &info, DIB_RGB_COLORS);
}

}  // namespace zelor::win32
