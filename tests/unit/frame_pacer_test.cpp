#include "shell/frame_pacer.h"

#include <gtest/gtest.h>

namespace zelor {
namespace {

TEST(FramePacer, PollsAtMostOnceAMillisecond) {
  FramePacer pacer(60, 1000);
  int polls = 0;
  for (std::int64_t t = 0; t < 10000; t += 10) polls += pacer.PollDue(t);
  EXPECT_EQ(polls, 10);
}

TEST(FramePacer, PresentsAtTheDisplaysPace) {
  FramePacer pacer(50, 1000);
  int frames = 0;
  for (std::int64_t t = 0; t < 1000000; t += 100) frames += pacer.PresentDue(t);
  EXPECT_EQ(frames, 50);
}

TEST(FramePacer, ALongStallDoesNotCauseABurst) {
  FramePacer pacer(60, 1000);
  EXPECT_TRUE(pacer.PresentDue(0));
  EXPECT_TRUE(pacer.PresentDue(5000000));  // five seconds in one step
  EXPECT_FALSE(pacer.PresentDue(5000100));
}

TEST(FramePacer, AnUnknownRefreshRateMeansSixtyHertz) {
  FramePacer pacer(0, 1000);
  EXPECT_TRUE(pacer.PresentDue(0));
  EXPECT_FALSE(pacer.PresentDue(16666));
  EXPECT_TRUE(pacer.PresentDue(16667));
  EXPECT_EQ(FramePacer(1, 1000).FrameUs(), 1000000);  // any known rate counts, however slow
}

}  // namespace
}  // namespace zelor
