// A few threads kept for the gravity phase of large sets of bodies. They are
// started on first use and then wait for work, so a step never starts a
// thread; small sets never come here and pay nothing.
#pragma once

#include <cstddef>

namespace zelor {

using GravityTask = void (*)(void* context, std::size_t chunk);

// Runs task(context, c) once for every chunk c in [0, chunks), on the calling
// thread and on up to threads - 1 kept threads, all in the calling thread's
// floating-point settings with the fault flags clear. Chunks are handed out
// one at a time as threads become free, so a thread that the system does not
// run soon (the other core is busy) leaves its share to the others instead of
// holding up the phase. Returns whether any chunk raised overflow, division
// by zero or an invalid operation; every thread looks at its own flags, since
// each has its own. One phase at a time: a second caller waits for the first.
bool RunGravityChunks(std::size_t chunks, int threads, GravityTask task, void* context);

}  // namespace zelor
