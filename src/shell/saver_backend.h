// What a saver run needs from the window system: a clock, the screen, input
// and the password query. Each front end implements it with its windows; the
// tests with a fake.
#pragma once

#include <cstdint>
#include <string>

#include "sim/canvas.h"

namespace zelor {

class SaverSession;

class SaverBackend {
 public:
  virtual ~SaverBackend() = default;
  // A steady clock.
  virtual std::int64_t NowMicroseconds() = 0;
  // The picture the run draws into, the size of the screen.
  virtual Canvas& Picture() = 0;
  // Puts what changed in the picture since the last time, and the label, on
  // the screen.
  virtual void Present(const std::string& label) = 0;
  // Hands every waiting input event to the session and returns without
  // waiting for more.
  virtual void PollInput() = 0;
  // Hands waiting input to the session, then sleeps without using the
  // processor until the clock reaches `untilUs` or more input arrives, which
  // it hands on before it returns.
  virtual void WaitForInput(std::int64_t untilUs) = 0;
  // Whether there is a password query to show. The module has none: locking
  // belongs to the saver daemon.
  virtual bool HasPasswordQuery() const = 0;
  // Shows the password query and waits while `session.QueryOpen()`: OK hands
  // the typed text to `session.QueryAnswered`, the query's close to
  // `session.QueryClosed`.
  virtual void AskPassword(SaverSession& session) = 0;
  virtual void ShowError(const std::string& message) = 0;
  // Whether this run stores its end (results, "Datei", the sky). Where the
  // sky is shown by several processes, one window each, only the primary
  // monitor's does.
  virtual bool StoresTheRunsEnd() const { return true; }
};

}  // namespace zelor
