// How wide a control must be to show its caption whole in its own font, as
// the platform measures it. Deciding what to do with it is the core's.
#pragma once

#include <windows.h>

namespace zelor::win32 {

// In pixels; 0 for a control without a caption (a text box). A label that
// breaks its caption at words gets the narrowest width at which the caption
// still fits into as many lines as `height` holds.
int CaptionNeed(HWND control, int height);

}  // namespace zelor::win32
