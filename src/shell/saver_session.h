// The input of a saver run, in the window system's terms, turned into the
// run's decisions: go on, end, or ask for the password first.
#pragma once

#include <cstdint>

#include "settings/settings.h"
#include "shell/saver_backend.h"
#include "shell/wakeup.h"

namespace zelor {

// What the window system should do with a key going down.
enum class KeyDownRoute {
  Ignore,            // a modifier alone waits for the key it modifies
  PassOn,            // the character it types, or Alt+F4's close request, follows
  WithoutCharacter,  // a key that types nothing: handled here
};

// What becomes of a system command (WM_SYSCOMMAND's value; its low four
// bits are the system's own and are masked off).
enum class SystemCommandRoute { Close, Swallow, PassOn };
SystemCommandRoute RouteSystemCommand(std::uint32_t command);

class SaverSession {
 public:
  SaverSession(const Settings& settings, SaverBackend& backend) : settings_(settings), backend_(backend) {}

  bool Running() const { return running_; }

  // Client pixels of the saver window, which has the given size.
  void MouseMove(int x, int y, int width, int height);
  // A key that types a character.
  void Character();
  KeyDownRoute KeyDown(bool modifier, bool characterFollows, bool isF4);
  // A key that types nothing, Alt with a letter among them.
  void KeyWithoutCharacter();
  // Alt+F4, a close request from outside.
  void CloseRequest();

 private:
  void Act(WakeAction action);
  WakeupRules::PasswordReader StoredPassword() const {
    return [this] { return settings_.ReadText(kKeyPasswort); };
  }

  const Settings& settings_;
  SaverBackend& backend_;
  WakeupRules rules_;
  bool running_ = true;
};

}  // namespace zelor
