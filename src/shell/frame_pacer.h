// When the saver loop looks for input and when it shows the picture. Steps run
// back to back; between two of them, or two pieces of a long one, the loop
// asks the window system for input at most once a millisecond (each question
// is a round trip to the display server under Wine) and presents the picture
// at the display's pace.
#pragma once

#include <cstdint>

namespace zelor {

class FramePacer {
 public:
  explicit FramePacer(double refreshHz = 60, std::int64_t pollIntervalUs = 1000)
      : frameUs_(refreshHz > 0 ? static_cast<std::int64_t>(1e6 / refreshHz) : 16667),
        pollUs_(pollIntervalUs) {}

  bool PollDue(std::int64_t nowUs) { return Due(nowUs, nextPollUs_, pollUs_); }
  bool PresentDue(std::int64_t nowUs) { return Due(nowUs, nextPresentUs_, frameUs_); }
  std::int64_t NextPollUs() const { return nextPollUs_; }
  std::int64_t NextPresentUs() const { return nextPresentUs_; }
  std::int64_t FrameUs() const { return frameUs_; }

 private:
  static bool Due(std::int64_t nowUs, std::int64_t& next, std::int64_t interval) {
    if (nowUs < next) return false;
    // A late turn does not cause a burst of catch-up turns.
    next = nowUs - next > interval ? nowUs + interval : next + interval;
    return true;
  }

  std::int64_t frameUs_, pollUs_;
  std::int64_t nextPollUs_ = 0, nextPresentUs_ = 0;
};

}  // namespace zelor
