#include "sim/gravity_threads.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "sim/gravity_flags.h"

#if defined(__x86_64__) || defined(_M_X64) || defined(__i386__) || defined(_M_IX86)
#include <emmintrin.h>
#define ZELOR_PAUSE() _mm_pause()
#else
#define ZELOR_PAUSE() ((void)0)
#endif

namespace zelor {
namespace {

// Steps of a large set follow each other closely, so a worker first waits
// busily for the next phase for a short while before it sleeps.
constexpr std::chrono::microseconds kSpinBeforeSleep{200};

class GravityPool {
 public:
  bool Run(int parts, GravityTask task, void* context) {
    std::lock_guard<std::mutex> phase(phaseMutex_);
    Grow(parts - 1);
    settings_ = GravityFloatSettings::OfThisThread();
    ClearGravityFaults();
    task_ = task;
    context_ = context;
    parts_ = parts;
    workerFault_.store(false, std::memory_order_relaxed);
    // Every worker reports back, also one without a part, so no worker can
    // still be looking at this phase when the next one is set up.
    remaining_.store(static_cast<int>(workers_.size()), std::memory_order_relaxed);
    {
      std::lock_guard<std::mutex> lock(wakeMutex_);
      generation_.fetch_add(1, std::memory_order_release);
    }
    wake_.notify_all();

    task(context, 0);
    const bool ownFault = GravityFaultRaised();
    for (int spins = 0; remaining_.load(std::memory_order_acquire) != 0; ++spins) {
      if (spins < 4096) ZELOR_PAUSE();
      else std::this_thread::yield();
    }
    return ownFault || workerFault_.load(std::memory_order_relaxed);
  }

 private:
  void Grow(int wanted) {
    while (static_cast<int>(workers_.size()) < wanted) {
      const int part = static_cast<int>(workers_.size()) + 1;
      const std::uint64_t seen = generation_.load(std::memory_order_relaxed);
      workers_.emplace_back([this, part, seen] { Work(part, seen); });
    }
  }

  void Work(int part, std::uint64_t seen) {
    for (;;) {
      seen = WaitForPhase(seen);
      if (part < parts_) {
        settings_.Apply();
        task_(context_, part);
        if (GravityFaultRaised()) workerFault_.store(true, std::memory_order_relaxed);
      }
      remaining_.fetch_sub(1, std::memory_order_acq_rel);
    }
  }

  std::uint64_t WaitForPhase(std::uint64_t seen) {
    const auto until = std::chrono::steady_clock::now() + kSpinBeforeSleep;
    for (int spins = 0;; ++spins) {
      const std::uint64_t now = generation_.load(std::memory_order_acquire);
      if (now != seen) return now;
      ZELOR_PAUSE();
      if ((spins & 255) == 255 && std::chrono::steady_clock::now() > until) break;
    }
    std::unique_lock<std::mutex> lock(wakeMutex_);
    wake_.wait(lock, [&] { return generation_.load(std::memory_order_acquire) != seen; });
    return generation_.load(std::memory_order_acquire);
  }

  std::mutex phaseMutex_;
  std::vector<std::thread> workers_;
  std::mutex wakeMutex_;
  std::condition_variable wake_;
  std::atomic<std::uint64_t> generation_{0};
  std::atomic<int> remaining_{0};
  std::atomic<bool> workerFault_{false};
  // Written before a phase starts and read by the workers only inside it.
  GravityTask task_ = nullptr;
  void* context_ = nullptr;
  int parts_ = 0;
  GravityFloatSettings settings_ = GravityFloatSettings::OfThisThread();
};

}  // namespace

bool RunGravityParts(int parts, GravityTask task, void* context) {
  if (parts <= 1) {
    ClearGravityFaults();
    task(context, 0);
    return GravityFaultRaised();
  }
  // Never destroyed: the workers wait for work until the process ends, and
  // the saver ends its process without running destructors anyway.
  static GravityPool* const pool = new GravityPool;
  return pool->Run(parts, task, context);
}

}  // namespace zelor
