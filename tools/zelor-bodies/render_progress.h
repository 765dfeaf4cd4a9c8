// The progress of a long render on standard error: once it has taken a
// second, a line that keeps being rewritten with the steps done, the steps
// per second and the time left.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>

namespace zelor::bodies {

class RenderProgress {
 public:
  using Clock = std::function<double()>;  // seconds from any fixed moment

  RenderProgress(std::int64_t totalSteps, std::ostream& out, Clock clock = SteadySeconds);
  // 0 when the steps begin (the time before, loading and making the
  // picture, does not count), then after each step. Cheap: it reads the
  // clock only about ten times a second.
  void Done(std::int64_t steps);
  // Ends the line, when one was shown.
  void Finish();

  static double SteadySeconds();

 private:
  std::int64_t total_;
  std::ostream& out_;
  Clock clock_;
  double start_;
  std::int64_t nextLook_ = 1;
  double nextShow_ = 1;  // seconds after the start
  std::size_t shownWidth_ = 0;
};

}  // namespace zelor::bodies
