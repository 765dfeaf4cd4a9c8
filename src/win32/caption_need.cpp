#include "win32/caption_need.h"

#include <commctrl.h>

#include <string>

namespace zelor::win32 {
namespace {

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Measures in the control's font, as the control draws.
class TextMeasure {
 public:
  explicit TextMeasure(HWND control)
      : control_(control), dc_(GetDC(control)),
        old_(SelectObject(dc_, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)))),
        text_(TextOf(control)) {}
  ~TextMeasure() {
    SelectObject(dc_, old_);
    ReleaseDC(control_, dc_);
  }
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;

  bool Empty() const { return text_.empty(); }
  int OneLine() const {
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc_, text_.c_str(), static_cast<int>(text_.size()), &size);
    return size.cx;
  }
  // Whether the caption, broken at words as a label breaks it, fits the box.
  bool WrapsInto(int width, int height, UINT format) const {
    RECT rect{0, 0, width, height};
    DrawTextW(dc_, text_.c_str(), static_cast<int>(text_.size()), &rect, format | DT_CALCRECT | DT_WORDBREAK);
    return rect.right <= width && rect.bottom <= height;
  }

 private:
  HWND control_;
  HDC dc_;
  HGDIOBJ old_;
  std::wstring text_;
};

bool IsClass(HWND control, const wchar_t* name) {
  wchar_t kind[32] = L"";
  GetClassNameW(control, kind, 32);
  return _wcsicmp(kind, name) == 0;
}

}  // namespace

int CaptionNeed(HWND control, int height) {
  const bool button = IsClass(control, WC_BUTTONW);
  if (!button && !IsClass(control, WC_STATICW)) return 0;
  const TextMeasure text(control);
  if (text.Empty()) return 0;
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (button) {
    // The button's own measure takes in its edges or its check mark; without
    // the common controls of version 6 (no manifest) only the text is known.
    SIZE ideal{0, 0};
    if (SendMessageW(control, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal))) return ideal.cx;
    return text.OneLine();
  }
  const int oneLine = text.OneLine();
  if ((style & SS_TYPEMASK) != SS_LEFT) return oneLine;  // never breaks its caption
  const UINT format = DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
  int narrow = 1, wide = oneLine;  // one line is always wide enough
  while (narrow < wide) {
    const int middle = narrow + (wide - narrow) / 2;
    if (text.WrapsInto(middle, height, format))
      wide = middle;
    else
      narrow = middle + 1;
  }
  return wide;
}

}  // namespace zelor::win32
