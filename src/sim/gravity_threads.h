// A few threads kept for the gravity phase of large sets of bodies. They are
// started on first use and then wait for work, so a step never starts a
// thread; small sets never come here and pay nothing.
#pragma once

namespace zelor {

using GravityTask = void (*)(void* context, int part);

// Runs task(context, part) for every part in [0, parts): part 0 on the
// calling thread, the others on kept threads, all in the calling thread's
// floating-point environment with the fault flags clear. Returns whether any
// part raised overflow, division by zero or an invalid operation; each thread
// looks at its own flags, since every thread has its own. One phase at a time:
// a second caller waits for the first.
bool RunGravityParts(int parts, GravityTask task, void* context);

}  // namespace zelor
