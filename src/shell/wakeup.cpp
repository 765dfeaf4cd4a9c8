#include "shell/wakeup.h"

namespace zelor {

WakeAction WakeupRules::MouseMove(int x, int y, int width, int height, bool running,
                                  const PasswordReader& readPassword) {
  if (queryOpen_) return WakeAction::None;
  const std::int64_t x2 = 2 * static_cast<std::int64_t>(x) - width;
  const std::int64_t y2 = 2 * static_cast<std::int64_t>(y) - height;
  const bool moved = x2 != lastX2_ || y2 != lastY2_;
  const bool wasAtCentre = lastX2_ == 0 && lastY2_ == 0;
  lastX2_ = x2;
  lastY2_ = y2;
  return moved && !wasAtCentre ? CloseRequest(running, readPassword) : WakeAction::None;
}

WakeAction WakeupRules::CloseRequest(bool running, const PasswordReader& readPassword) const {
  if (queryOpen_) return WakeAction::None;
  if (readPassword().empty()) return WakeAction::EndRun;
  return running ? WakeAction::ShowQuery : WakeAction::None;
}

WakeAction WakeupRules::KeyWithoutCharacter(bool running, const PasswordReader& readPassword) const {
  return !queryOpen_ && running && !readPassword().empty() ? WakeAction::ShowQuery : WakeAction::None;
}

}  // namespace zelor
