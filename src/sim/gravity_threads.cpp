#include "sim/gravity_threads.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "sim/gravity_flags.h"

#if defined(__x86_64__) || defined(_M_X64)
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

// The state of the current phase in one word, so that joining it is one
// atomic step: the phase number, whether it still takes helpers, how many
// threads it may use, and how many workers are inside it.
constexpr std::uint64_t kClosed = std::uint64_t{1} << 31;
constexpr std::uint64_t kInsideMask = 0xFFFF;
std::uint64_t PhaseNumber(std::uint64_t word) { return word >> 32; }
int ThreadsOf(std::uint64_t word) { return static_cast<int>((word >> 16) & 0x7FFF); }

class GravityPool {
 public:
  bool Run(std::size_t chunks, int threads, GravityTask task, void* context) {
    std::lock_guard<std::mutex> phase(phaseMutex_);
    Grow(threads - 1);
    settings_ = GravityFloatSettings::OfThisThread();
    task_ = task;
    context_ = context;
    chunks_ = chunks;
    next_.store(0, std::memory_order_relaxed);
    workerFault_.store(false, std::memory_order_relaxed);
    ClearFloatFaults();
    {
      std::lock_guard<std::mutex> lock(wakeMutex_);
      ++number_;
      word_.store(number_ << 32 | static_cast<std::uint64_t>(threads) << 16, std::memory_order_release);
    }
    wake_.notify_all();

    TakeChunks();
    const bool ownFault = FloatFaultRaised();
    // No worker joins from now on; wait for those inside to finish their chunk.
    word_.fetch_or(kClosed, std::memory_order_acq_rel);
    for (int spins = 0; (word_.load(std::memory_order_acquire) & kInsideMask) != 0; ++spins) {
      if (spins < 4096) ZELOR_PAUSE();
      else std::this_thread::yield();
    }
    return ownFault || workerFault_.load(std::memory_order_relaxed);
  }

 private:
  void TakeChunks() {
    for (std::size_t c; (c = next_.fetch_add(1, std::memory_order_relaxed)) < chunks_;) task_(context_, c);
  }

  void Grow(int wanted) {
    while (static_cast<int>(workers_.size()) < wanted) {
      const int index = static_cast<int>(workers_.size()) + 1;  // the caller is thread 0
      workers_.emplace_back([this, index, seen = number_] { Work(index, seen); });
    }
  }

  void Work(int index, std::uint64_t seen) {
    for (;;) {
      seen = WaitForPhase(seen);
      if (!Join(index, seen)) continue;
      // Inside the phase: the caller waits for this thread before it changes
      // anything read here.
      settings_.Apply();
      TakeChunks();
      if (FloatFaultRaised()) workerFault_.store(true, std::memory_order_relaxed);
      word_.fetch_sub(1, std::memory_order_release);
    }
  }

  // Joins only a phase that is still open and may use this thread; a worker
  // that wakes after the caller has done all the work stays out.
  bool Join(int index, std::uint64_t number) {
    std::uint64_t word = word_.load(std::memory_order_acquire);
    for (;;) {
      if (PhaseNumber(word) != number || (word & kClosed) || index >= ThreadsOf(word)) return false;
      if (word_.compare_exchange_weak(word, word + 1, std::memory_order_acq_rel, std::memory_order_acquire))
        return true;
    }
  }

  std::uint64_t WaitForPhase(std::uint64_t seen) {
    const auto until = std::chrono::steady_clock::now() + kSpinBeforeSleep;
    for (int spins = 0;; ++spins) {
      const std::uint64_t number = PhaseNumber(word_.load(std::memory_order_acquire));
      if (number != seen) return number;
      ZELOR_PAUSE();
      if ((spins & 255) == 255 && std::chrono::steady_clock::now() > until) break;
    }
    std::unique_lock<std::mutex> lock(wakeMutex_);
    wake_.wait(lock, [&] { return PhaseNumber(word_.load(std::memory_order_acquire)) != seen; });
    return PhaseNumber(word_.load(std::memory_order_acquire));
  }

  std::mutex phaseMutex_;
  std::vector<std::thread> workers_;
  std::mutex wakeMutex_;
  std::condition_variable wake_;
  std::uint64_t number_ = 0;  // of the latest phase; the caller's own count
  std::atomic<std::uint64_t> word_{0};
  std::atomic<std::size_t> next_{0};
  std::atomic<bool> workerFault_{false};
  // Written before a phase opens, read by workers only while inside it.
  GravityTask task_ = nullptr;
  void* context_ = nullptr;
  std::size_t chunks_ = 0;
  GravityFloatSettings settings_ = GravityFloatSettings::OfThisThread();
};

}  // namespace

bool RunGravityChunks(std::size_t chunks, int threads, GravityTask task, void* context) {
  if (threads <= 1 || chunks <= 1) {
    ClearFloatFaults();
    for (std::size_t c = 0; c < chunks; ++c) task(context, c);
    return FloatFaultRaised();
  }
  // Never destroyed: the workers wait for work until the process ends, and
  // the saver ends its process without running destructors anyway.
  static GravityPool* const pool = new GravityPool;
  return pool->Run(chunks, threads, task, context);
}

}  // namespace zelor
