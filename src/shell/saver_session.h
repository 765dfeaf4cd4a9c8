// The input of a saver run, as both front ends report it in no window
// system's terms, turned into the run's decisions: go on, end, or ask for
// the password first.
#pragma once

#include <string>

#include "settings/settings.h"
#include "shell/saver_backend.h"
#include "shell/wakeup.h"

namespace zelor {

class SaverSession {
 public:
  SaverSession(const Settings& settings, SaverBackend& backend) : settings_(settings), backend_(backend) {}

  bool Running() const { return running_; }

  // The pointer moved to (x, y), client pixels of a saver window of the
  // given size.
  void PointerMoved(int x, int y, int width, int height);
  // A key typed a character.
  void CharacterTyped();
  // A key went down that types no character.
  void KeyWithoutCharacter(KeyKind key);
  // Alt+F4, the window's close, a stop from outside: the window stays, and
  // the run ends only where the rules say so.
  void CloseAsked();
  // The system would start a screen saver: whether it may. Nothing new may
  // start while this run goes on.
  bool ScreenSaveAsked() const { return false; }

  // The password query, shown by the backend while the session waits in
  // AskPassword: open until it is answered or closed.
  bool QueryOpen() const { return rules_.QueryOpen(); }
  // OK with the text typed: a matching password ends the run.
  void QueryAnswered(const std::string& typed);
  // Closed without an answer: nothing is compared.
  void QueryClosed() { rules_.SetQueryOpen(false); }

 private:
  void Act(WakeAction action);
  WakeupRules::PasswordReader StoredPassword() const {
    return [this] { return settings_.ReadText(kKeyPasswort); };
  }

  const Settings& settings_;
  SaverBackend& backend_;
  WakeupRules rules_{backend_.HasPasswordQuery()};
  bool running_ = true;
};

}  // namespace zelor
