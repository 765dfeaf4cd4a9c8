#include "x11/stop_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace zelor::x11 {
namespace {

volatile sig_atomic_t stopRequested = 0;
int pipeEnds[2] = {-1, -1};

void OnStopSignal(int) {
  stopRequested = 1;
  const char byte = 1;
  // Non-blocking: a full pipe already wakes the wait.
  [[maybe_unused]] const auto written = write(pipeEnds[1], &byte, 1);
}

}  // namespace

void CatchStopSignals() {
  if (pipe(pipeEnds) == 0) {
    for (const int end : pipeEnds) fcntl(end, F_SETFL, fcntl(end, F_GETFL) | O_NONBLOCK);
    for (const int end : pipeEnds) fcntl(end, F_SETFD, FD_CLOEXEC);
  }
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

bool StopRequested() { return stopRequested != 0; }

int StopSignalFd() { return pipeEnds[0]; }

}  // namespace zelor::x11
