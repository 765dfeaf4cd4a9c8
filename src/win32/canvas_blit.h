// Puts part of the core's picture into a device context.
#pragma once

#include <windows.h>

#include "sim/canvas.h"

namespace zelor::win32 {

// The canvas's pixels as the platform reads them: 32 bits, rows from the top.
BITMAPINFO CanvasBitmapInfo(const Canvas& canvas);

// The area, in the canvas's pixels, at the same place in the device context.
void BlitCanvas(HDC dc, const Canvas& canvas, const PixelRect& area);

}  // namespace zelor::win32
