// zelor-bodies render: its PNG shows what the saver's own run draws, its
// limits, and its progress on a long run.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <sstream>

#if !defined(_WIN32)
#include <sys/resource.h>

#include <fstream>
#endif

#include "body_rows.h"
#include "commands.h"
#include "fake_file_system.h"
#include "memory_store.h"
#include "picture.h"
#include "render_progress.h"
#include "settings/settings.h"
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

struct DecodedPng {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
};

DecodedPng Decode(const std::vector<unsigned char>& png) {
  DecodedPng picture;
  int channels = 0;
  unsigned char* rgb =
      stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &picture.width, &picture.height, &channels, 3);
  if (rgb) picture.rgb.assign(rgb, rgb + static_cast<std::size_t>(picture.width) * picture.height * 3);
  stbi_image_free(rgb);
  return picture;
}

// FigureEight.zel rendered, 2,000 steps at 320 x 240; empty when the sample
// cannot be read where it may lack.
std::optional<DecodedPng> RenderFigureEight(FakeFileSystem& files) {
  const std::string sample = std::string(ZELOR_DATA_DIR) + "/FigureEight.zel";
  const auto bytes = StdFileSystem().ReadFile(sample, 1 << 20);
  if (!bytes) {
    EXPECT_TRUE(kMayLackDataFolder) << "cannot read " << sample;
    return std::nullopt;
  }
  files.files["/data/FigureEight.zel"] = *bytes;
  EXPECT_EQ(RunCommand(files, {"render", "/data/FigureEight.zel", "/data/eight.png", "--steps", "2000", "--size",
                               "320x240"}),
            kDone);
  return Decode(files.files.at("/data/eight.png"));
}

// Not a second computation of the picture: this catches render's own part,
// the saver's settings and defaults it runs with, the PNG's channel order,
// and the label's box, against the saver's own StartRun and SimStep.
TEST(RenderAgainstTheSaversCore, UsesTheSaversDefaultsTheRgbOrderAndTheLabelBox) {
  FakeFileSystem files;
  const auto picture = RenderFigureEight(files);
  if (!picture) GTEST_SKIP() << "the data folder is out of reach";
  ASSERT_EQ(picture->width, 320) << "not a PNG of the size asked for";
  ASSERT_EQ(picture->height, 240);
  const int width = picture->width, height = picture->height;

  // The saver's path: its settings with their defaults, StartRun, SimStep.
  MemoryStore store;
  store.values[kKeyDatei] = "/data/FigureEight.zel";
  const Settings settings(store, MakeDefaultPaths("/appdata"), kEnglishLocale);
  SimState state;
  Canvas expected;
  expected.Resize(320, 240);
  StartRun(state, settings, files, expected, {});
  for (int k = 0; k < 2000; ++k) SimStep(state, expected);

  // The label is drawn by the front end in the system's font, over the
  // picture; render puts its own small font there. So inside the label's
  // box only black and white are checked (and some of each, so the text is
  // there), and every other pixel must be the saver's.
  const PixelRect label = LabelBox(TimeLabel(state, kGermanLocale), width, height);
  int differing = 0, white = 0, black = 0, other = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned char* p = &picture->rgb[(static_cast<std::size_t>(y) * width + x) * 3];
      const std::uint32_t got = (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
      if (x >= label.left && x < label.right && y >= label.top && y < label.bottom) {
        got == 0xFFFFFF ? ++white : got == 0 ? ++black : ++other;
      } else if (got != expected.PixelAt(x, y)) {
        ++differing;
      }
    }
  }
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

#if !defined(_WIN32)
// The picture itself, pinned: a change in the step, the drawing or the
// label shows here even when the saver's core changed alike. Only on the
// native build, whose mathematics library made the number. Round circles
// are on, as in a fresh install.
TEST(RenderChecksum, FigureEightAfter2000StepsIsTheKnownPicture) {
  FakeFileSystem files;
  const auto picture = RenderFigureEight(files);
  ASSERT_TRUE(picture);
  std::uint64_t hash = 0xcbf29ce484222325u;  // FNV-1a
  for (unsigned char byte : picture->rgb) hash = (hash ^ byte) * 0x100000001b3u;
  EXPECT_EQ(picture->rgb.size(), 320u * 240 * 3);
  EXPECT_EQ(hash, 0x8de1d67f32acf8afu) << std::hex << hash;
}
#endif

TEST(RenderLimits, AreUsageErrorsThatSayTheLimit) {
  const struct {
    std::vector<std::string> options;
    const char* message;
  } cases[] = {
      {{"--steps", "1000000001"}, "--steps \xE2\x80\x9E" "1000000001\xE2\x80\x9C: eine ganze Zahl von 0 bis 1000000000"},
      {{"--steps", "2.5"}, "eine ganze Zahl von 0 bis"},
      {{"--steps", "-1"}, "eine ganze Zahl von 0 bis"},
      {{}, "--steps fehlt"},
      {{"--steps", "1", "--size", "16385x10"}, "1 bis 16384 je Seite"},
      {{"--steps", "1", "--size", "0x10"}, "1 bis 16384 je Seite"},
      {{"--steps", "1", "--size", "8192x8193"}, "h\xC3\xB6" "chstens 67108864 Pixel"},
      {{"--steps", "1", "--interval", "zwei"}, "--interval \xE2\x80\x9Ezwei"},
      {{"--steps", "1", "--sky", "3x0"}, "--sky \xE2\x80\x9E" "3x0"},
  };
  for (const auto& c : cases) {
    FakeFileSystem files;
    files.files["/data/x.zel"] = std::vector<unsigned char>(kBodyRecordSize);
    std::vector<std::string> words = {"render", "/data/x.zel", "/data/x.png"};
    words.insert(words.end(), c.options.begin(), c.options.end());
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunCommand(files, words), kUsage) << c.message;
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(c.message), std::string::npos) << said;
    EXPECT_FALSE(files.files.count("/data/x.png"));
  }
}

#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)
// Run in a child whose address space ends a little above what it uses now,
// so that the picture cannot be had.
TEST(RenderLimits, APictureTooLargeForTheMemoryIsRefusedWithAMessage) {
  FakeFileSystem files;
  const auto sample = StdFileSystem().ReadFile(std::string(ZELOR_DATA_DIR) + "/FigureEight.zel", 1 << 20);
  ASSERT_TRUE(sample);
  files.files["/data/eight.zel"] = *sample;
  const auto starved = [&] {
    std::size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t limit = pages * 4096 + (rlim_t{96} << 20);
    const rlimit bound{limit, limit};
    setrlimit(RLIMIT_AS, &bound);
    std::exit(RunCommand(files, {"render", "/data/eight.zel", "/data/eight.png", "--steps", "10", "--size",
                                 "8192x8192"}));
  };
  EXPECT_EXIT(starved(), testing::ExitedWithCode(kRefused), "zu wenig Speicher f..r ein Bild von 8192x8192 Pixeln");
}
#endif

TEST(RenderProgressLine, ShowsStepsRateAndTimeLeftOnlyOnceARunTakesASecond) {
  double now = 100;
  const auto run = [&](std::int64_t steps) {
    std::ostringstream out;
    RenderProgress progress(steps, out, [&] { return now; });
    progress.Done(0);
    for (std::int64_t k = 1; k <= steps; ++k) {
      now += 0.0005;  // 2000 steps a second
      progress.Done(k);
    }
    progress.Finish();
    return out.str();
  };
  EXPECT_EQ(run(1900), "") << "under a second";
  const std::string shown = run(10000);
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back(), '\n');
  // Lines rewritten in place, about one a second.
  int lines = 0;
  for (std::size_t at = shown.find('\r'); at != std::string::npos; at = shown.find('\r', at + 1)) {
    ++lines;
    long long done = 0, total = 0, percent = 0, rate = 0, left = 0;
    ASSERT_EQ(std::sscanf(shown.c_str() + at, "\rSchritt %lld von %lld (%lld %%), %lld Schritte/s, noch %lld s", &done,
                          &total, &percent, &rate, &left),
              5)
        << shown.substr(at);
    EXPECT_GE(done, 2000 * lines) << "not before a second has passed";
    EXPECT_EQ(total, 10000);
    EXPECT_EQ(percent, done * 100 / 10000);
    EXPECT_EQ(rate, 2000);
    EXPECT_EQ(left, (10000 - done + 1999) / 2000);
  }
  EXPECT_GE(lines, 3);
  EXPECT_LE(lines, 5);
}

}  // namespace
}  // namespace zelor::bodies
