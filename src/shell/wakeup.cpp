#include "shell/wakeup.h"

namespace zelor {

WakeAction WakeupRules::MouseMove(float x, float y, bool running, const PasswordReader& readPassword) {
  const double dx = static_cast<double>(x) - lastX_, dy = static_cast<double>(y) - lastY_;
  const double moved = dx * dx + dy * dy;
  const double fromOrigin = static_cast<double>(lastX_) * lastX_ + static_cast<double>(lastY_) * lastY_;
  WakeAction action = WakeAction::None;
  if (moved > 0 && fromOrigin > 0) action = CloseRequest(running, readPassword);
  lastX_ = x;
  lastY_ = y;
  return action;
}

WakeAction WakeupRules::CloseRequest(bool running, const PasswordReader& readPassword) const {
  if (readPassword().empty()) return WakeAction::EndRun;
  return running ? WakeAction::ShowQuery : WakeAction::None;
}

WakeAction WakeupRules::KeyWithoutCharacter(bool running, const PasswordReader& readPassword) const {
  return running && !readPassword().empty() ? WakeAction::ShowQuery : WakeAction::None;
}

}  // namespace zelor
