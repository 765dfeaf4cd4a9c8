// The arithmetic of a paced run, on a clock the test moves by hand.
#include "shell/tempo_pacer.h"

#include <gtest/gtest.h>

namespace zelor {
namespace {

constexpr std::int64_t kSecond = 1'000'000;

// Calls StepsDue every `frameUs` from `fromUs` up to `untilUs`; the sum.
std::int64_t StepsOver(TempoPacer& pacer, std::int64_t fromUs, std::int64_t untilUs, std::int64_t frameUs) {
  std::int64_t steps = 0;
  for (std::int64_t t = fromUs; t <= untilUs; t += frameUs) steps += pacer.StepsDue(t);
  return steps;
}

TEST(TempoPacer, MakesTheStepsDueForTheTimeThatPassedWhateverTheFrameRate) {
  // 1 + tempo x seconds: the first look owes the run's first step.
  // A loop that manages only every second or sixth frame loses no steps.
  for (const std::int64_t frameUs : {1000, 16667, 33333, 100000}) {
    TempoPacer pacer(200, 60);
    EXPECT_EQ(StepsOver(pacer, 0, 5 * kSecond - 1, frameUs) + pacer.StepsDue(5 * kSecond), 1001) << frameUs;
  }
  TempoPacer fractional(0.5, 60);
  EXPECT_EQ(StepsOver(fractional, 0, 10 * kSecond, 10000), 1 + 5);
  TempoPacer fast(10'000'000, 60);
  EXPECT_EQ(fast.StepsDue(0), 1);
  EXPECT_EQ(fast.StepsDue(1000), 10'000);
}

TEST(TempoPacer, AfterAStallMakesUpAtMostOneFrame) {
  TempoPacer pacer(1000, 50);  // 20 steps a frame
  EXPECT_EQ(StepsOver(pacer, 0, kSecond, 20000), 1001);
  // An hour in a dialog or asleep: one frame's own steps and one frame made up.
  EXPECT_EQ(pacer.StepsDue(3601 * kSecond), 40);
  EXPECT_EQ(pacer.StepsDue(3601 * kSecond + 20000), 20);

  // A slow tempo goes on at its pace, without the hour's 3600 steps.
  TempoPacer slow(1, 60);
  EXPECT_EQ(slow.StepsDue(0), 1);
  EXPECT_EQ(slow.StepsDue(3600 * kSecond), 0);
  EXPECT_EQ(StepsOver(slow, 3600 * kSecond, 3610 * kSecond, 10000), 10);

  // An unknown refresh rate counts as 60 Hz: a frame of 16,667 µs.
  TempoPacer unknown(1e6, 0);
  EXPECT_EQ(unknown.StepsDue(0), 1);
  EXPECT_EQ(unknown.StepsDue(3600 * kSecond), 2 * 16667);
}

TEST(TempoPacer, AClockThatJumpsBackwardsOwesNothingForTheJump) {
  TempoPacer pacer(100, 60);
  EXPECT_EQ(StepsOver(pacer, 0, kSecond, 10000), 101);
  EXPECT_EQ(pacer.StepsDue(-3600 * kSecond), 0);
  // From the new reading on, time counts again as before.
  EXPECT_EQ(pacer.StepsDue(-3600 * kSecond + kSecond / 20), 5);
  // and the next of 100 steps a second falls due a hundredth later.
  EXPECT_NEAR(pacer.NextStepUs(), -3600 * kSecond + kSecond / 20 + kSecond / 100, 1);
}

TEST(TempoPacer, TellsWhenTheNextStepFallsDueButLooksAgainWithinASecond) {
  TempoPacer pacer(4, 60);
  pacer.StepsDue(0);
  EXPECT_EQ(pacer.NextStepUs(), 250000);
  pacer.StepsDue(100000);  // 0.4 of the next step owed; rounding may make it a microsecond late
  EXPECT_NEAR(static_cast<double>(pacer.NextStepUs()), 250000, 1);
  // A loop that sleeps until each step falls due makes each one.
  TempoPacer slow(1, 60);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(slow.StepsDue(slow.NextStepUs()), 1) << i;
  TempoPacer crawling(0.001, 60);
  crawling.StepsDue(0);
  EXPECT_EQ(crawling.NextStepUs(), kSecond);
}

}  // namespace
}  // namespace zelor
