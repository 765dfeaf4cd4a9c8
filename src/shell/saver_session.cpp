#include "shell/saver_session.h"

#include "lock/password_query.h"

namespace zelor {

SystemCommandRoute RouteSystemCommand(std::uint32_t command) {
  constexpr std::uint32_t kClose = 0xF060, kKeyMenu = 0xF100, kScreenSave = 0xF140;
  switch (command & 0xFFF0) {
    case kClose:  // Alt+F4 and the window menu
      return SystemCommandRoute::Close;
    case kScreenSave:  // nothing new may start while this run goes on
    case kKeyMenu:     // Alt alone would open a menu the saver has not
      return SystemCommandRoute::Swallow;
    default:
      return SystemCommandRoute::PassOn;
  }
}

void SaverSession::MouseMove(int x, int y, int width, int height) {
  Act(rules_.MouseMove(x, y, width, height, running_, StoredPassword()));
}

void SaverSession::Character() { Act(rules_.KeyPress()); }

KeyDownRoute SaverSession::KeyDown(bool modifier, bool characterFollows, bool isF4) {
  if (modifier) return KeyDownRoute::Ignore;
  if (characterFollows || isF4) return KeyDownRoute::PassOn;
  KeyWithoutCharacter();
  return KeyDownRoute::WithoutCharacter;
}

void SaverSession::KeyWithoutCharacter() { Act(rules_.KeyWithoutCharacter(running_, StoredPassword())); }

void SaverSession::CloseRequest() { Act(rules_.CloseRequest(running_, StoredPassword())); }

void SaverSession::Act(WakeAction action) {
  if (action == WakeAction::EndRun) running_ = false;
  if (action != WakeAction::ShowQuery) return;
  rules_.SetQueryOpen(true);
  std::optional<std::string> typed;
  try {
    typed = backend_.AskPassword();
  } catch (...) {
    rules_.SetQueryOpen(false);
    throw;
  }
  rules_.SetQueryOpen(false);
  if (typed && PasswordMatches(settings_, *typed)) running_ = false;
}

}  // namespace zelor
