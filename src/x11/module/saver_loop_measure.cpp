#include "x11/module/saver_loop_measure.h"

#include <algorithm>
#include <limits>

namespace zelor {

// A limit longer than anyone measures (about 30 years) is no limit: the sum
// below could not overflow, and a cast of a larger double to an integer would
// be undefined.
std::int64_t SaverLoopMeasure::StopAtUs(std::int64_t startUs) {
  constexpr double kLongestLimitUs = 1e15;
  startUs_ = startUs;
  const double limitUs = seconds_ * 1e6;
  if (!(limitUs < kLongestLimitUs)) return std::numeric_limits<std::int64_t>::max();
  return startUs + static_cast<std::int64_t>(std::max(limitUs, 0.0));
}

void SaverLoopMeasure::Ended(std::int64_t nowUs) {
  elapsedSeconds = (nowUs - startUs_) / 1e6;
  presentSeconds = presentUs_ / 1e6;
  pollSeconds = pollUs_ / 1e6;
}

}  // namespace zelor
