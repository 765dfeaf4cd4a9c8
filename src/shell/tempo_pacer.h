// How many steps a run at a set tempo owes at a moment, and when the next
// one falls due. Steps are owed for the time that has passed, so the count
// after T seconds is the tempo times T whatever the frame rate. After a stall
// (a dialog, a suspended machine) the loop makes up at most one frame's worth
// of steps: the picture goes on where it stood instead of racing through hours.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zelor {

class TempoPacer {
 public:
  // A tempo above 0 steps a second; `refreshHz` is the display's rate.
  TempoPacer(double stepsPerSecond, double refreshHz)
      : stepsPerUs_(stepsPerSecond / 1e6),
        frameUs_(refreshHz > 0 ? static_cast<std::int64_t>(1e6 / refreshHz) : 16667),
        stallUs_(std::max({kShortestStallUs, 2 * frameUs_, 2 * LongestWaitUs(stepsPerSecond)})) {}

  // The steps to make now. The first call owes one step, so every run steps
  // at least once.
  std::int64_t StepsDue(std::int64_t nowUs) {
    std::int64_t passedUs = started_ ? nowUs - lastUs_ : 0;
    // A clock that jumps backwards owes nothing for the jump: time starts
    // again from where it now stands.
    if (passedUs < 0) passedUs = 0;
    // A late frame owes its whole time, so a slow frame loses no steps; a
    // stall (a gap far longer than the loop ever sleeps) owes a frame's
    // steps and one frame's worth made up.
    if (passedUs > stallUs_) passedUs = 2 * frameUs_;
    started_ = true;
    lastUs_ = nowUs;
    owed_ += static_cast<double>(passedUs) * stepsPerUs_;
    const double due = std::floor(owed_);
    owed_ -= due;
    return static_cast<std::int64_t>(due);
  }

  // After the last StepsDue: the moment the next step falls due, but never
  // more than a second away, so a very slow tempo still looks at the clock
  // and the input now and then.
  std::int64_t NextStepUs() const {
    const double untilNextStep = std::ceil((1 - owed_) / stepsPerUs_);
    return lastUs_ + static_cast<std::int64_t>(std::min(untilNextStep, 1e6));
  }

 private:
  // Longer than any frame of a loop that keeps up; shorter than a dialog.
  static constexpr std::int64_t kShortestStallUs = 100'000;

  // The time from one step to the next, up to the second after which the
  // loop looks again anyway. A stall is a gap of more than twice as long.
  static std::int64_t LongestWaitUs(double stepsPerSecond) {
    return static_cast<std::int64_t>(std::min(1e6 / stepsPerSecond, 1e6));
  }

  double stepsPerUs_;
  std::int64_t frameUs_;
  std::int64_t stallUs_;
  bool started_ = false;
  std::int64_t lastUs_ = 0;
  double owed_ = 1;
};

}  // namespace zelor
