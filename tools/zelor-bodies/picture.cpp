#include "picture.h"

#include <algorithm>
#include <limits>

#include "shell/time_label.h"

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_easy_font.h>
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace zelor::bodies {
namespace {

// The stroke font's digits are 7 units tall; the saver's are about two thirds
// of its text's size (32 pixels at 24 points), so three pixels a unit.
constexpr int kFontUnitHeight = 7;
constexpr int kFontScale = kTimeLabelPoints * kUsualScreenDpi / 72 * 2 / 3 / kFontUnitHeight;

int TextWidth(const std::string& text) {
  std::string copy = text;
  return stb_easy_font_width(copy.data()) * kFontScale;
}

void FillRect(Picture& picture, const PixelRect& r, unsigned char value) {
  for (int y = std::max(r.top, 0); y < std::min(r.bottom, picture.height); ++y)
    for (int x = std::max(r.left, 0); x < std::min(r.right, picture.width); ++x)
      std::fill_n(&picture.rgb[(static_cast<std::size_t>(y) * picture.width + x) * 3], 3, value);
}

void DrawText(Picture& picture, const std::string& text, int left, int top) {
  struct Vertex {
    float x, y, z;
    unsigned char color[4];
  };
  std::vector<Vertex> quads(text.size() * 70 * 4 + 4);
  std::string copy = text;
  const int count = stb_easy_font_print(0, 0, copy.data(), nullptr, quads.data(),
                                        static_cast<int>(quads.size() * sizeof(Vertex)));
  for (int q = 0; q < count; ++q) {
    const Vertex& a = quads[q * 4];
    const Vertex& c = quads[q * 4 + 2];
    FillRect(picture,
             {left + static_cast<int>(a.x * kFontScale), top + static_cast<int>(a.y * kFontScale),
              left + static_cast<int>(c.x * kFontScale), top + static_cast<int>(c.y * kFontScale)},
             0xFF);
  }
}

}  // namespace

PixelRect LabelBox(const std::string& label, int width, int height) {
  const PixelBox box = TimeLabelBox(kUsualScreenDpi);
  const int right = box.left + WidenedLabelWidth(box.width, TextWidth(label), kFontUnitHeight * kFontScale);
  return {box.left, box.top, std::min(right, width), std::min(box.top + box.height, height)};
}

Picture PictureOf(const Canvas& canvas, const std::string& label) {
  Picture picture{canvas.Width(), canvas.Height(), {}};
  picture.rgb.resize(static_cast<std::size_t>(picture.width) * picture.height * 3);
  unsigned char* out = picture.rgb.data();
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::uint32_t pixel = canvas.PixelAt(x, y);  // 0x00RRGGBB
      *out++ = static_cast<unsigned char>(pixel >> 16);
      *out++ = static_cast<unsigned char>(pixel >> 8);
      *out++ = static_cast<unsigned char>(pixel);
    }
  }
  const PixelRect box = LabelBox(label, picture.width, picture.height);
  FillRect(picture, box, 0);
  const PixelRect whole = LabelBox(label, std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
  DrawText(picture, label, whole.left + (whole.right - whole.left - TextWidth(label)) / 2, whole.top + kFontScale);
  return picture;
}

std::vector<unsigned char> EncodePng(const Picture& picture) {
  std::vector<unsigned char> bytes;
  const auto append = [](void* context, void* data, int size) {
    auto* into = static_cast<std::vector<unsigned char>*>(context);
    const auto* from = static_cast<const unsigned char*>(data);
    into->insert(into->end(), from, from + size);
  };
  if (!stbi_write_png_to_func(append, &bytes, picture.width, picture.height, 3, picture.rgb.data(),
                              picture.width * 3))
    bytes.clear();
  return bytes;
}

}  // namespace zelor::bodies
