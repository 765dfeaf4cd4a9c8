#include "win32/fitted_title.h"

#include "settings/options_title.h"
#include "win32/wide_text.h"

namespace zelor::win32 {
namespace {

// The width the title text may take: the window less its frame on both sides,
// the close box, and a box's width of margin around the text.
int TitleRoom(HWND window) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return 0;
  const int frame = GetSystemMetrics(SM_CXFIXEDFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
  return rect.right - rect.left - 2 * frame - 2 * GetSystemMetrics(SM_CXSIZE);
}

}  // namespace

void SetFittedOptionsTitle(HWND window, const std::string& title) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  HFONT font = SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)
                   ? CreateFontIndirectW(&metrics.lfCaptionFont)
                   : nullptr;
  HDC dc = GetDC(window);
  const HGDIOBJ before = font ? SelectObject(dc, font) : nullptr;
  const TextWidth measure = [dc](const std::string& text) {
    const std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return static_cast<int>(size.cx);
  };
  const std::string fitted = FitOptionsTitle(title, TitleRoom(window), measure);
  if (before) SelectObject(dc, before);
  ReleaseDC(window, dc);
  if (font) DeleteObject(font);
  SetWindowTextW(window, Widen(fitted).c_str());
}

}  // namespace zelor::win32
