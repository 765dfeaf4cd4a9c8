#include "render_progress.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>

namespace zelor::bodies {
namespace {

std::string Duration(double seconds) {
  const auto s = static_cast<long long>(std::ceil(seconds));
  if (s < 60) return std::to_string(s) + " s";
  if (s < 3600) return std::to_string(s / 60) + " min " + std::to_string(s % 60) + " s";
  return std::to_string(s / 3600) + " h " + std::to_string(s / 60 % 60) + " min";
}

}  // namespace

double RenderProgress::SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

RenderProgress::RenderProgress(std::int64_t totalSteps, std::ostream& out, Clock clock)
    : total_(totalSteps), out_(out), clock_(std::move(clock)), start_(clock_()) {}

void RenderProgress::Done(std::int64_t steps) {
  if (steps == 0) start_ = clock_();
  if (steps < nextLook_) return;
  const double elapsed = clock_() - start_;
  const double perSecond = elapsed > 0 ? steps / elapsed : 0;
  // The next look a tenth of a second on at this pace; a step can take long
  // with many bodies, so never fewer than one.
  nextLook_ = steps + std::max<std::int64_t>(1, static_cast<std::int64_t>(perSecond / 10));
  if (elapsed < nextShow_ || perSecond <= 0) return;
  nextShow_ = elapsed + 1;
  std::string line = "Schritt " + std::to_string(steps) + " von " + std::to_string(total_) + " (" +
                     std::to_string(steps * 100 / std::max<std::int64_t>(total_, 1)) + " %), " +
                     std::to_string(std::llround(perSecond)) + " Schritte/s, noch " +
                     Duration((total_ - steps) / perSecond);
  // Blanks wipe the end of a longer line before it.
  const std::size_t width = line.size();
  line.append(shownWidth_ > width ? shownWidth_ - width : 0, ' ');
  shownWidth_ = width;
  out_ << '\r' << line << std::flush;
}

void RenderProgress::Finish() {
  if (shownWidth_ > 0) out_ << '\n' << std::flush;
  shownWidth_ = 0;
}

}  // namespace zelor::bodies
