// SIGTERM and SIGINT, which a saver daemon and a terminal send, turned into a
// flag and a byte in a pipe that the run's wait can watch: the run then ends
// the normal way and stores its end.
#pragma once

namespace zelor::x11 {

void CatchStopSignals();
bool StopRequested();
// Becomes readable when a stop signal arrives; -1 before CatchStopSignals.
int StopSignalFd();

}  // namespace zelor::x11
