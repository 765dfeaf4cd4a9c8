#include "shell/wakeup.h"

namespace zelor {

WakeAction WakeupRules::PointerMoved(int x, int y, int width, int height, bool running,
                                     const PasswordReader& readPassword) {
  if (queryOpen_) return WakeAction::None;
  const std::int64_t x2 = 2 * static_cast<std::int64_t>(x) - width;
  const std::int64_t y2 = 2 * static_cast<std::int64_t>(y) - height;
  const bool moved = x2 != lastX2_ || y2 != lastY2_;
  const bool wasAtCentre = lastX2_ == 0 && lastY2_ == 0;
  lastX2_ = x2;
  lastY2_ = y2;
  return moved && !wasAtCentre ? CloseAsked(running, readPassword) : WakeAction::None;
}

WakeAction WakeupRules::CharacterTyped() const {
  if (queryOpen_) return WakeAction::None;
  return hasQuery_ ? WakeAction::ShowQuery : WakeAction::EndRun;
}

WakeAction WakeupRules::KeyWithoutCharacter(KeyKind key, bool running, const PasswordReader& readPassword) const {
  if (queryOpen_ || key == KeyKind::Modifier) return WakeAction::None;
  if (!hasQuery_) return WakeAction::EndRun;
  return running && !readPassword().empty() ? WakeAction::ShowQuery : WakeAction::None;
}

WakeAction WakeupRules::CloseAsked(bool running, const PasswordReader& readPassword) const {
  if (queryOpen_) return WakeAction::None;
  if (!hasQuery_ || readPassword().empty()) return WakeAction::EndRun;
  return running ? WakeAction::ShowQuery : WakeAction::None;
}

}  // namespace zelor
