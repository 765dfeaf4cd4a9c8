// Measuring the saver loop for a given time: what the benchmark and the X11
// module's "-measure-seconds" report.
#pragma once

#include <cstdint>

#include "shell/saver_run.h"

namespace zelor {

// Ends the loop after `seconds` as if the user had woken the saver, and counts
// how often it stepped, showed the picture, asked for input and slept.
class SaverLoopMeasure : public SaverLoopObserver {
 public:
  explicit SaverLoopMeasure(double seconds) : seconds_(seconds) {}

  std::int64_t StopAtUs(std::int64_t startUs) override;
  void Stepped() override { ++steps; }
  void Presented(std::int64_t tookUs) override {
    ++presents;
    presentUs_ += tookUs;
  }
  void Polled(std::int64_t tookUs) override {
    ++polls;
    pollUs_ += tookUs;
  }
  void Waited() override { ++waits; }
  void Ended(std::int64_t nowUs) override;

  std::int64_t steps = 0;
  std::int64_t presents = 0;
  std::int64_t polls = 0;
  std::int64_t waits = 0;     // sleeps of a run with a tempo
  double elapsedSeconds = 0;  // from the first step to the end of the loop
  double presentSeconds = 0;  // of that, showing the picture
  double pollSeconds = 0;     // and handling input

 private:
  double seconds_;
  std::int64_t startUs_ = 0, presentUs_ = 0, pollUs_ = 0;
};

}  // namespace zelor
