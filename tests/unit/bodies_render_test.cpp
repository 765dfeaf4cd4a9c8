// zelor-bodies render: its PNG shows what the saver's own run draws.
#include <gtest/gtest.h>

#include "commands.h"
#include "fake_file_system.h"
#include "picture.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "shell/run_setup.h"
#include "sim/sim.h"

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace zelor::bodies {
namespace {

#ifdef _WIN32
constexpr bool kMayLackDataFolder = true;  // under Wine the source tree may be out of reach
#else
constexpr bool kMayLackDataFolder = false;
#endif

TEST(RenderGolden, FigureEightAfter2000StepsMatchesTheSaversOwnRunPixelForPixel) {
  const std::string sample = std::string(ZELOR_DATA_DIR) + "/FigureEight.zel";
  const auto bytes = StdFileSystem().ReadFile(sample, 1 << 20);
  if (!bytes) {
    ASSERT_TRUE(kMayLackDataFolder) << "cannot read " << sample;
    GTEST_SKIP();
  }
  FakeFileSystem files;
  files.files["/data/FigureEight.zel"] = *bytes;
  ASSERT_EQ(RunCommand(files, {"render", "/data/FigureEight.zel", "/data/eight.png", "--steps", "2000", "--size",
                               "320x240"}),
            kDone);

  // The saver's path: its settings with their defaults, StartRun, SimStep.
  MemoryStore store;
  store.values[kKeyDatei] = "/data/FigureEight.zel";
  const Settings settings(store, MakeDefaultPaths("/appdata"), kEnglishLocale);
  SimState state;
  Canvas expected;
  expected.Resize(320, 240);
  StartRun(state, settings, files, expected, {});
  for (int k = 0; k < 2000; ++k) SimStep(state, expected);

  const std::vector<unsigned char>& png = files.files.at("/data/eight.png");
  int width = 0, height = 0, channels = 0;
  unsigned char* rgb = stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &width, &height, &channels, 3);
  ASSERT_NE(rgb, nullptr) << "not a PNG";
  ASSERT_EQ(width, 320);
  ASSERT_EQ(height, 240);
  // The label is drawn by the front end in the system's font, over the
  // picture; render puts its own small font there. So inside the label's
  // box only black and white are checked (and some of each, so the text is
  // there), and every other pixel must be the saver's.
  const PixelRect label = LabelBox(TimeLabel(state, kEnglishLocale), width, height);
  int differing = 0, white = 0, black = 0, other = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = rgb + (static_cast<std::size_t>(y) * width + x) * 3;
      const std::uint32_t got = (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
      if (x >= label.left && x < label.right && y >= label.top && y < label.bottom) {
        got == 0xFFFFFF ? ++white : got == 0 ? ++black : ++other;
      } else if (got != expected.PixelAt(x, y)) {
        ++differing;
      }
    }
  }
  stbi_image_free(rgb);
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(other, 0);
  EXPECT_GT(white, 50) << "the label's text";
  EXPECT_GT(black, white);
  EXPECT_GE(label.right - label.left, 137) << "the saver's label is 2055 twips wide";
  // The eight was drawn at all: outside the label more than a few pixels lit.
  int lit = 0;
  for (int y = label.bottom; y < height; ++y)
    for (int x = 0; x < width; ++x) lit += expected.PixelAt(x, y) != 0;
  EXPECT_GT(lit, 500);
}

}  // namespace
}  // namespace zelor::bodies
