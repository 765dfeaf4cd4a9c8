// How input on the saver window ends a run or asks for the password.
#pragma once

#include <functional>
#include <string>

namespace zelor {

enum class WakeAction { None, EndRun, ShowQuery };

class WakeupRules {
 public:
  using PasswordReader = std::function<std::string()>;

  // Pointer position in the window's user coordinates (the origin is the
  // centre). Only a movement away from a previous position that is not the
  // origin wakes: the platform reports the pointer once when the window
  // appears, and again at the same place now and then. The stored password
  // is read only for a waking movement.
  WakeAction MouseMove(float x, float y, bool running, const PasswordReader& readPassword);

  // Any typed character asks for the password, stored or not.
  WakeAction KeyPress() const { return WakeAction::ShowQuery; }

  // A key that types nothing (a function key, Shift alone): while a password
  // guards the run it asks for it too, so no key gets past the lock; without
  // one it does nothing. Keys that type a character come to KeyPress.
  WakeAction KeyWithoutCharacter(bool running, const PasswordReader& readPassword) const;

  // Alt+F4 and other requests to close the window: the run ends only where a
  // movement would end it, so a locked saver cannot be closed around the query.
  WakeAction CloseRequest(bool running, const PasswordReader& readPassword) const;

 private:
  float lastX_ = 0, lastY_ = 0;
};

}  // namespace zelor
