// How input on the saver window ends a run or asks for the password.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace zelor {

enum class WakeAction { None, EndRun, ShowQuery };

// A key that types no character.
enum class KeyKind {
  Modifier,  // Shift, Ctrl, Alt or the system key alone: it waits for the key it modifies
  Other,     // a function key, a cursor key, Alt with a letter
};

class WakeupRules {
 public:
  using PasswordReader = std::function<std::string()>;

  // Without a password query (the module: locking belongs to the saver
  // daemon) nothing locks: what would ask for the password ends the run.
  explicit WakeupRules(bool hasQuery = true) : hasQuery_(hasQuery) {}

  // Pointer position in client pixels of a window of the given size. Only a
  // movement away from a previous position that is not the window's centre
  // wakes: the platform reports the pointer once when the window appears,
  // and again at the same place now and then. Pixels, not sky coordinates,
  // so any real movement counts whatever size the sky has. The stored
  // password is read only for a waking movement.
  WakeAction PointerMoved(int x, int y, int width, int height, bool running, const PasswordReader& readPassword);

  // Any typed character asks for the password, stored or not; without a
  // query it ends the run.
  WakeAction CharacterTyped() const;

  // A key that types nothing (a function key, Alt with a letter): while a
  // password guards the run it asks for it too, so no key gets past the
  // lock; without one it does nothing. A modifier alone never does anything.
  WakeAction KeyWithoutCharacter(KeyKind key, bool running, const PasswordReader& readPassword) const;

  // Alt+F4 and other requests to close the window: the run ends only where a
  // movement would end it, so a locked saver cannot be closed around the query.
  WakeAction CloseAsked(bool running, const PasswordReader& readPassword) const;

  // While the password query is open only the query takes input: everything
  // that reaches the saver's windows (those of further monitors are not
  // disabled by the query) does nothing.
  bool QueryOpen() const { return queryOpen_; }
  void SetQueryOpen(bool open) { queryOpen_ = open; }

 private:
  bool hasQuery_;
  // Twice the position relative to the centre, so the centre of a window of
  // odd size is exact; 0, 0 until the first report.
  std::int64_t lastX2_ = 0, lastY2_ = 0;
  bool queryOpen_ = false;
};

}  // namespace zelor
