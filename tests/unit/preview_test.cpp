// The preview through a fake window: it draws the run's picture at its pace,
// writes nothing, and ends when its window goes.
#include "shell/preview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "fake_file_system.h"
#include "memory_store.h"
#include "sim/body_file.h"

namespace zelor {
namespace {

constexpr double kAU = 1.5e11;

struct FakePreview : PreviewBackend {
  explicit FakePreview(int frames) : framesLeft(frames) { canvas.Resize(152, 112); }
  // Each look at the clock moves it on by `tick`: the time the work takes.
  std::int64_t NowMicroseconds() override { return now += tick; }
  Canvas& Picture() override { return canvas; }
  void Present() override {
    ++presents;
    longestWork = std::max(longestWork, now - frameStart);
    if (Lit() > 0 && firstLitFrame == 0) firstLitFrame = presents;
  }
  void ShowText(const std::string& shown) override { text = shown; }
  bool WaitUntil(std::int64_t untilUs) override {
    waits.push_back(untilUs);
    now = std::max(now, untilUs);
    if (static_cast<int>(waits.size()) == lateWait) now += lateUs;  // the machine was busy
    frameStart = now;
    return --framesLeft > 0;
  }
  int Lit() const {
    int lit = 0;
    for (int y = 0; y < canvas.Height(); ++y)
      for (int x = 0; x < canvas.Width(); ++x) lit += canvas.PixelAt(x, y) != 0;
    return lit;
  }

  int framesLeft;
  std::int64_t now = 1000, tick = 0, frameStart = 1000, longestWork = 0;
  int firstLitFrame = 0;
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

// A large file costs the page no more than a small one: each frame computes
// for a bounded time and goes on with the step in the next.
TEST(Preview, EachFrameWorksForABoundedTimeAndALargeFileDevelopsOverManyFrames) {
  PreviewRun run;
  std::vector<BodyRecord> cloud;  // 63 blocks of bodies a step
  for (int k = 0; k < 1000; ++k) {
    BodyRecord body;
    body.Mass = 1;
    body.X = (k % 40 - 20) * 0.02 * kAU;
    body.Y = (k / 40 - 12) * 0.03 * kAU;
    body.Speed = 1000;
    body.Color = 0x0000FF00;
    cloud.push_back(body);
  }
  run.files.files[run.defaultFile].resize(cloud.size() * kBodyRecordSize);
  for (std::size_t k = 0; k < cloud.size(); ++k) EncodeBodyRecord(cloud[k], &run.files.files[run.defaultFile][k * kBodyRecordSize]);
  FakePreview window(30);
  window.tick = 100;  // one block of bodies costs a tenth of a millisecond
  RunPreview(window, run.settings, run.files, {});
  EXPECT_EQ(window.presents, 30);
  EXPECT_LE(window.longestWork, kPreviewWorkPerFrameUs + 3 * window.tick);
  EXPECT_GT(window.firstLitFrame, 2);  // the first step took several frames
  EXPECT_GT(window.Lit(), 100);        // and the steps went on after it
}

// A file or setting the preview cannot show gets a short text that names
// the cause, until the window goes; nothing is written.
TEST(Preview, WhatCannotBeShownGetsAShortTextNamingTheCause) {
  const struct {
    const char* what;
    std::function<void(PreviewRun&)> spoil;
    const char* text;
  } cases[] = {
      {"missing file", [](PreviewRun& r) { r.store.values[kKeyDatei] = "/appdata/Zelor2/fehlt.zel"; },
       "Zelor-Datei fehlt"},
      {"part of a record", [](PreviewRun& r) { r.files.files[r.defaultFile].resize(10); }, "Zelor-Datei fehlerhaft"},
      {"too many bodies",
       [](PreviewRun& r) { r.files.files[r.defaultFile].resize(32767 * kBodyRecordSize); },
       "Mehr als 32.766 Körper"},
      {"no number", [](PreviewRun& r) { r.store.values[kKeyBreite] = "breit"; }, "Einstellung „Breite“ ungültig"},
      {"a sky of 0", [](PreviewRun& r) { r.store.values[kKeyHoehe] = "0"; }, "Einstellung „Höhe“ ungültig"},
  };
  for (const auto& broken : cases) {
    SCOPED_TRACE(broken.what);
    PreviewRun run;
    run.files.files[run.defaultFile] = SunAndEarth();
    broken.spoil(run);
    FakePreview window(5);
    RunPreview(window, run.settings, run.files, SunAndEarth());
    EXPECT_EQ(window.text, broken.text);
    EXPECT_EQ(window.presents, 0);
    EXPECT_EQ(window.framesLeft, 0);  // it waited for the window to go
    // a frame at a time, asleep: each wait ends later than the one before
    for (std::size_t k = 1; k < window.waits.size(); ++k) EXPECT_GT(window.waits[k], window.waits[k - 1]);
    EXPECT_EQ(run.files.Changes(), 0);
  }
}

TEST(Preview, AFaultInAStepKeepsThePictureAndSaysWhy) {
  PreviewRun run;
  BodyRecord a, b;
  a.Mass = b.Mass = 1e300;
  b.X = 1e3;
  run.files.files[run.defaultFile].resize(2 * kBodyRecordSize);
  EncodeBodyRecord(a, &run.files.files[run.defaultFile][0]);
  EncodeBodyRecord(b, &run.files.files[run.defaultFile][kBodyRecordSize]);
  FakePreview window(5);
  RunPreview(window, run.settings, run.files, {});
  EXPECT_EQ(window.text, "Rechenfehler");
  EXPECT_EQ(window.framesLeft, 0);
  EXPECT_EQ(run.files.Changes(), 0);
}

}  // namespace
}  // namespace zelor
