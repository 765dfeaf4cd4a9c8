#include "shell/monitors.h"

#include <gtest/gtest.h>

namespace zelor {
namespace {

const ScreenRect kFallback{0, 0, 1920, 1080};

TEST(SaverWindowPlaces, TheSaverTakesThePrimaryMonitorAndEveryOtherGetsABlackWindow) {
  // A monitor to the left of the primary one has negative coordinates.
  const std::vector<MonitorArea> monitors{
      {{-1280, 0, 0, 1024}, false}, {{0, 0, 2560, 1440}, true}, {{2560, -200, 4480, 880}, false}};
  const SaverWindowPlaces places = PlaceSaverWindows(monitors, kFallback, false);
  EXPECT_EQ(places.saver, (ScreenRect{0, 0, 2560, 1440}));
  EXPECT_EQ(places.black, (std::vector<ScreenRect>{{-1280, 0, 0, 1024}, {2560, -200, 4480, 880}}));
}

TEST(SaverWindowPlaces, ThePrimaryIsTheMarkedOneWhereverItLies) {
  const std::vector<MonitorArea> monitors{{{0, 0, 1920, 1080}, false}, {{1920, 0, 3840, 1080}, true}};
  const SaverWindowPlaces places = PlaceSaverWindows(monitors, kFallback, false);
  EXPECT_EQ(places.saver, (ScreenRect{1920, 0, 3840, 1080}));
  EXPECT_EQ(places.black, (std::vector<ScreenRect>{{0, 0, 1920, 1080}}));
}

TEST(SaverWindowPlaces, WithoutAMarkedMonitorTheScreenAtTheOriginIsTheSaversAndAMirroredOneGetsNothing) {
  const std::vector<MonitorArea> monitors{{{0, 0, 1920, 1080}, false}, {{0, 0, 1920, 1080}, false},
                                          {{1920, 0, 3200, 1024}, false}};
  // A stale screen size, unlike every monitor: the monitor at the origin wins.
  const ScreenRect stale{0, 0, 1024, 768};
  const SaverWindowPlaces places = PlaceSaverWindows(monitors, stale, false);
  EXPECT_EQ(places.saver, (ScreenRect{0, 0, 1920, 1080}));
  EXPECT_EQ(places.primary, (ScreenRect{0, 0, 1920, 1080}));
  EXPECT_EQ(places.black, (std::vector<ScreenRect>{{1920, 0, 3200, 1024}}));
  const SaverWindowPlaces none = PlaceSaverWindows({}, stale, false);
  EXPECT_EQ(none.saver, stale);
  EXPECT_TRUE(none.black.empty());
}

// With "alleBildschirme" the saver window covers the box around every
// monitor, the sky's middle stays on the primary, and no monitor is black.
TEST(SaverWindowPlaces, AllScreensCoverTheBoxAroundEveryMonitorUpToTheLargestPicture) {
  struct Case {
    const char* layout;
    std::vector<MonitorArea> monitors;
    ScreenRect saver, primary;
    std::size_t black;
  };
  const std::vector<Case> cases{
      {"two side by side", {{{0, 0, 1920, 1080}, true}, {{1920, 0, 3840, 1080}, false}},
       {0, 0, 3840, 1080}, {0, 0, 1920, 1080}, 0},
      {"three of different sizes, one at negative coordinates",
       {{{-1280, 0, 0, 1024}, false}, {{0, 0, 2560, 1440}, true}, {{2560, -200, 4480, 880}, false}},
       {-1280, -200, 4480, 1440}, {0, 0, 2560, 1440}, 0},
      {"the primary right of a gap", {{{0, 0, 1920, 1080}, false}, {{2000, 100, 3280, 1124}, true}},
       {0, 0, 3280, 1124}, {2000, 100, 3280, 1124}, 0},
      {"one monitor", {{{0, 0, 1280, 800}, true}}, {0, 0, 1280, 800}, {0, 0, 1280, 800}, 0},
      {"two of 8192 make the largest picture", {{{0, 0, 8192, 4320}, true}, {{8192, 0, 16384, 4320}, false}},
       {0, 0, 16384, 4320}, {0, 0, 8192, 4320}, 0},
      {"one pixel wider is too large", {{{0, 0, 8192, 4320}, true}, {{8193, 0, 16385, 4320}, false}},
       {0, 0, 8192, 4320}, {0, 0, 8192, 4320}, 1},
      {"stacked too high", {{{0, 0, 3840, 2160}, true}, {{0, -16000, 3840, -13840}, false}},
       {0, 0, 3840, 2160}, {0, 0, 3840, 2160}, 1},
  };
  for (const Case& c : cases) {
    const SaverWindowPlaces places = PlaceSaverWindows(c.monitors, kFallback, true);
    EXPECT_EQ(places.saver, c.saver) << c.layout;
    EXPECT_EQ(places.primary, c.primary) << c.layout;
    EXPECT_EQ(places.black.size(), c.black) << c.layout;
  }
}

// A window given by a saver daemon: one covering a monitor shows that
// monitor's part of the sky over all of them; any other is a screen of its own.
TEST(WindowPart, AWindowOfOneMonitorShowsItsPartAndOnlyThePrimarysHasTheLabel) {
  const std::vector<MonitorArea> two{{{0, 0, 800, 600}, true}, {{800, 0, 1600, 600}, false}};
  const std::vector<MonitorArea> huge{{{0, 0, 8192, 4320}, true}, {{8193, 0, 16385, 4320}, false}};
  struct Case {
    const char* window;
    std::vector<MonitorArea> monitors;
    ScreenRect area;
    bool allScreens;
    ScreenRect saver, primary;
    bool primaryWindow;
  };
  const std::vector<Case> cases{
      {"the primary's", two, {0, 0, 800, 600}, true, {0, 0, 800, 600}, {0, 0, 800, 600}, true},
      {"the second's", two, {800, 0, 1600, 600}, true, {800, 0, 1600, 600}, {0, 0, 800, 600}, false},
      {"the second's, all screens off", two, {800, 0, 1600, 600}, false, {}, {0, 0, 800, 600}, false},
      {"the root", two, {0, 0, 1600, 600}, false, {0, 0, 800, 600}, {0, 0, 800, 600}, true},
      {"a preview inside the primary", two, {200, 150, 600, 450}, true, {200, 150, 600, 450}, {200, 150, 600, 450},
       true},
      {"beside a sky too large", huge, {8193, 0, 16385, 4320}, true, {}, {0, 0, 8192, 4320}, false},
      {"on a server without monitors", {}, {0, 0, 640, 480}, true, {0, 0, 640, 480}, {0, 0, 640, 480}, true},
  };
  for (const Case& c : cases) {
    const WindowPart part = PlaceWindowInSky(c.monitors, c.area, c.allScreens);
    EXPECT_EQ(part.places.saver, c.saver) << c.window;
    EXPECT_EQ(part.places.primary, c.primary) << c.window;
    EXPECT_EQ(part.primaryWindow, c.primaryWindow) << c.window;
    EXPECT_EQ(part.ShowsSky(), c.saver.Width() > 0) << c.window;
  }
}

TEST(SaverWindowPlaces, APointOnAFurtherMonitorLandsWhereItIsInTheSaversClientPixels) {
  const ScreenRect saver{0, 0, 2560, 1440}, left{-1280, 100, 0, 1124};
  const ScreenPoint p = TranslatePoint({10, 20}, left, saver);
  EXPECT_EQ(p.x, -1270);
  EXPECT_EQ(p.y, 120);
  const ScreenPoint q = TranslatePoint({10, 20}, {1920, 0, 3840, 1080}, {1920, 0, 3840, 1080});
  EXPECT_EQ(q.x, 10);
  // The session judges every move in the primary monitor's pixels and size.
  const SaverWindowPlaces across{{-1280, -200, 4480, 1440}, {0, 0, 2560, 1440}, {}};
  const PointerReport r = PointerOnPrimary({1280 + 2560 + 5, 200 + 7}, across);
  EXPECT_EQ(r.x, 2565);
  EXPECT_EQ(r.y, 7);
  EXPECT_EQ(r.width, 2560);
  EXPECT_EQ(r.height, 1440);
}

}  // namespace
}  // namespace zelor
