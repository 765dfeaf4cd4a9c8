#include "x11/window_message.h"

#include <algorithm>
#include <vector>

#include "x11/module/message_lines.h"

namespace zelor::x11 {
namespace {

// Room left free on each side of the lines, in pixels, and the characters
// a line holds at most: longer lines are hard to follow.
constexpr int kMargin = 24;
constexpr int kLineCharacters = 64;

// Plain characters for those an iso8859-1 font lacks.
struct StandIn {
  unsigned long code;
  char plain;
};
constexpr StandIn kStandIns[] = {{0x201C, '"'},  {0x201D, '"'},  {0x201E, '"'}, {0x2018, '\''},
                                 {0x2019, '\''}, {0x201A, '\''}, {0x2013, '-'}, {0x2014, '-'}};

unsigned long StandInFor(unsigned long code) {
  for (const StandIn& standIn : kStandIns)
    if (standIn.code == code) return static_cast<unsigned char>(standIn.plain);
  return '?';
}

// The code points of the UTF-8 text as the font's two-byte characters; a
// font of 256 characters (iso8859-1) gets plain stand-ins for the others.
std::vector<XChar2b> FontCharacters(const std::string& utf8, const XFontStruct* font) {
  const bool wide = font->max_byte1 > 0;
  std::vector<XChar2b> characters;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead >> 5 == 6 ? 2 : lead >> 4 == 14 ? 3 : lead >> 3 == 30 ? 4 : 1;
    unsigned long code = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int k = 1; k < length && i + k < utf8.size(); ++k) code = code << 6 | (utf8[i + k] & 0x3F);
    i += length;
    if (code > 0xFFFF || (!wide && code > 0xFF)) code = StandInFor(code);
    characters.push_back({static_cast<unsigned char>(code >> 8), static_cast<unsigned char>(code & 0xFF)});
  }
  return characters;
}

int TextWidth(XFontStruct* font, const std::string& utf8) {
  std::vector<XChar2b> characters = FontCharacters(utf8, font);
  return XTextWidth16(font, characters.data(), static_cast<int>(characters.size()));
}

}  // namespace

XFontStruct* LoadMessageFont(Display* display) {
  for (const char* name : {"-*-helvetica-bold-r-normal--24-*-*-*-*-*-iso10646-1",
                           "-*-dejavu sans-medium-r-normal--20-*-*-*-*-*-iso10646-1",
                           "-misc-fixed-medium-r-normal--20-*-*-*-*-*-iso10646-1",
                           "-misc-fixed-medium-r-normal--18-*-*-*-*-*-iso10646-1",
                           "-*-helvetica-bold-r-normal--24-*-*-*-*-*-iso8859-1", "fixed"})
    if (XFontStruct* font = XLoadQueryFont(display, name)) return font;
  return nullptr;
}

void DrawMessage(Display* display, Drawable drawable, GC gc, XFontStruct* font, const PixelRect& area,
                 const std::string& message) {
  if (!font) return;
  XSetFont(display, gc, font->fid);
  const int lineHeight = font->ascent + font->descent;
  const int width = std::min(area.right - area.left - 2 * kMargin, kLineCharacters * TextWidth(font, "n"));
  const std::vector<std::string> lines =
      BreakIntoLines(message, width, [&](const std::string& line) { return TextWidth(font, line); });
  int top = area.top + (area.bottom - area.top - lineHeight * static_cast<int>(lines.size())) / 2;
  for (const std::string& line : lines) {
    std::vector<XChar2b> characters = FontCharacters(line, font);
    const int lineWidth = XTextWidth16(font, characters.data(), static_cast<int>(characters.size()));
    XDrawString16(display, drawable, gc, area.left + (area.right - area.left - lineWidth) / 2, top + font->ascent,
                  characters.data(), static_cast<int>(characters.size()));
    top += lineHeight;
  }
}

}  // namespace zelor::x11
