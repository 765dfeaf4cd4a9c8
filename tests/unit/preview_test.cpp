// The preview through a fake window: it draws the run's picture at its pace,
// writes nothing, and ends when its window goes.
#include "shell/preview.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_file_system.h"
#include "sim/body_file.h"

namespace zelor {
namespace {

constexpr double kAU = 1.5e11;

struct FakePreview : PreviewBackend {
  explicit FakePreview(int frames) : framesLeft(frames) { canvas.Resize(152, 112); }
  std::int64_t NowMicroseconds() override { return now; }
  Canvas& Picture() override { return canvas; }
  void Present() override { ++presents; }
  void ShowText(const std::string& shown) override { text = shown; }
  bool WaitUntil(std::int64_t untilUs) override {
    waits.push_back(untilUs);
    now = std::max(now, untilUs);
    if (static_cast<int>(waits.size()) == lateWait) now += lateUs;  // the machine was busy
    return --framesLeft > 0;
  }
  int Lit() const {
    int lit = 0;
    for (int y = 0; y < canvas.Height(); ++y)
      for (int x = 0; x < canvas.Width(); ++x) lit += canvas.PixelAt(x, y) != 0;
    return lit;
  }

  int framesLeft;
  std::int64_t now = 1000;
  Canvas canvas;
  int presents = 0;
  std::string text;
  std::vector<std::int64_t> waits;
  int lateWait = 0;
  std::int64_t lateUs = 0;
};

std::vector<unsigned char> SunAndEarth() {
  BodyRecord sun, earth;
  sun.Name = "Sonne";
  sun.Mass = 332946;
  earth.Name = "Erde";
  earth.Mass = 1;
  earth.X = 0.8 * kAU;
  earth.Speed = 33300;
  earth.Direction = 90;
  std::vector<unsigned char> bytes(2 * kBodyRecordSize);
  EncodeBodyRecord(sun, &bytes[0]);
  EncodeBodyRecord(earth, &bytes[kBodyRecordSize]);
  return bytes;
}

struct PreviewRun {
  PreviewRun() : settings(store, MakeDefaultPaths("/appdata"), kEnglishLocale) {
    files.folders.insert("/appdata/Zelor2");
  }
  MemoryStore store;
  Settings settings;
  FakeFileSystem files;
  const std::string defaultFile = "/appdata/Zelor2/Voyager.zel";
};

TEST(Preview, DrawsTheRunsPictureAtThirtyFramesASecondAndWritesNothing) {
  PreviewRun run;
  run.files.files[run.defaultFile] = SunAndEarth();
  const auto storeBefore = run.store.values;
  FakePreview window(60);
  RunPreview(window, run.settings, run.files, {});
  EXPECT_EQ(window.presents, 60);
  EXPECT_GT(window.Lit(), 30);  // a ring, not a dot
  for (std::size_t i = 1; i < window.waits.size(); ++i) EXPECT_EQ(window.waits[i] - window.waits[i - 1], 33333);
  EXPECT_EQ(run.store.values, storeBefore);
  EXPECT_EQ(run.files.Changes(), 0);
  EXPECT_EQ(window.text, "");
}

// A frame that comes late is not made up with a burst of frames: the next
// one starts then, and the pace goes on from there.
TEST(Preview, ALateFrameIsNotMadeUp) {
  PreviewRun run;
  run.files.files[run.defaultFile] = SunAndEarth();
  FakePreview window(5);
  window.lateWait = 2;
  window.lateUs = 100000;
  RunPreview(window, run.settings, run.files, {});
  const std::vector<std::int64_t> expected = {1000 + 33333, 1000 + 66666, 1000 + 166666, 1000 + 199999,
                                              1000 + 233332};
  EXPECT_EQ(window.waits, expected);
}

TEST(Preview, AFreshMachineSeesTheCarriedSampleWithoutItBeingWritten) {
  PreviewRun run;
  FakePreview window(30);
  RunPreview(window, run.settings, run.files, SunAndEarth());
  EXPECT_GT(window.Lit(), 30);
  EXPECT_FALSE(run.files.Exists(run.defaultFile));
  EXPECT_EQ(run.files.Changes(), 0);
}

TEST(Preview, ABrokenBodyFileOrSettingShowsAShortTextUntilTheWindowGoes) {
  for (const char* broken : {"file", "setting"}) {
    SCOPED_TRACE(broken);
    PreviewRun run;
    run.files.files[run.defaultFile] = SunAndEarth();
    if (broken == std::string("file")) run.files.files[run.defaultFile].resize(10);
    else run.store.values[kKeyBreite] = "breit";
    FakePreview window(5);
    RunPreview(window, run.settings, run.files, SunAndEarth());
    EXPECT_EQ(window.text, "Keine Zelor-Datei");
    EXPECT_EQ(window.presents, 0);
    EXPECT_EQ(window.framesLeft, 0);  // it waited for the window to go
    EXPECT_EQ(run.files.Changes(), 0);
  }
}

}  // namespace
}  // namespace zelor
