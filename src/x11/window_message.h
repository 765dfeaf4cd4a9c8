// A German message written into a window, for a module that cannot run: in
// the largest of a few core fonts the server has, white, broken into lines
// that fit the area and centred in it.
#pragma once

#include <X11/Xlib.h>

#include <string>

#include "sim/canvas.h"

namespace zelor::x11 {

// A font with the message's characters at a size that reads well, else the
// server's "fixed"; nullptr when the server has no font at all.
XFontStruct* LoadMessageFont(Display* display);

// Draws the UTF-8 message in the GC's foreground colour. Characters the font
// lacks become the nearest plain ones ("„" a straight quote) or "?".
void DrawMessage(Display* display, Drawable drawable, GC gc, XFontStruct* font, const PixelRect& area,
                 const std::string& message);

}  // namespace zelor::x11
