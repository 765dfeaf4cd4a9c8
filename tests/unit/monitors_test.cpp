#include "shell/monitors.h"

#include <gtest/gtest.h>

namespace zelor {
namespace {

const ScreenRect kFallback{0, 0, 1920, 1080};

TEST(SaverWindowPlaces, TheSaverTakesThePrimaryMonitorAndEveryOtherGetsABlackWindow) {
  // A monitor to the left of the primary one has negative coordinates.
  const std::vector<MonitorArea> monitors{
      {{-1280, 0, 0, 1024}, false}, {{0, 0, 2560, 1440}, true}, {{2560, -200, 4480, 880}, false}};
  const SaverWindowPlaces places = PlaceSaverWindows(monitors, kFallback);
  EXPECT_EQ(places.saver, (ScreenRect{0, 0, 2560, 1440}));
  EXPECT_EQ(places.black, (std::vector<ScreenRect>{{-1280, 0, 0, 1024}, {2560, -200, 4480, 880}}));
}

TEST(SaverWindowPlaces, ThePrimaryIsTheMarkedOneWhereverItLies) {
  const std::vector<MonitorArea> monitors{{{0, 0, 1920, 1080}, false}, {{1920, 0, 3840, 1080}, true}};
  const SaverWindowPlaces places = PlaceSaverWindows(monitors, kFallback);
  EXPECT_EQ(places.saver, (ScreenRect{1920, 0, 3840, 1080}));
  EXPECT_EQ(places.black, (std::vector<ScreenRect>{{0, 0, 1920, 1080}}));
}

TEST(SaverWindowPlaces, WithoutAMarkedMonitorTheScreenAtTheOriginIsTheSaversAndAMirroredOneGetsNothing) {
  const std::vector<MonitorArea> monitors{{{0, 0, 1920, 1080}, false}, {{0, 0, 1920, 1080}, false},
                                          {{1920, 0, 3200, 1024}, false}};
  const SaverWindowPlaces places = PlaceSaverWindows(monitors, kFallback);
  EXPECT_EQ(places.saver, kFallback);
  EXPECT_EQ(places.black, (std::vector<ScreenRect>{{1920, 0, 3200, 1024}}));
  EXPECT_TRUE(PlaceSaverWindows({}, kFallback).black.empty());
}

TEST(SaverWindowPlaces, APointOnAFurtherMonitorLandsWhereItIsInTheSaversClientPixels) {
  const ScreenRect saver{0, 0, 2560, 1440}, left{-1280, 100, 0, 1124};
  const ScreenPoint p = TranslatePoint({10, 20}, left, saver);
  EXPECT_EQ(p.x, -1270);
  EXPECT_EQ(p.y, 120);
  const ScreenPoint q = TranslatePoint({10, 20}, {1920, 0, 3840, 1080}, {1920, 0, 3840, 1080});
  EXPECT_EQ(q.x, 10);
}

}  // namespace
}  // namespace zelor
