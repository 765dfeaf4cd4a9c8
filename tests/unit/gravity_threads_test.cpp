#include <gtest/gtest.h>

#include <atomic>
#include <cfenv>
#include <cfloat>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#ifdef __linux__
#include <dirent.h>
#include <unistd.h>
#endif

#include "sim/gravity_threads.h"

namespace zelor {
namespace {

void RaiseOverflow() {
  volatile double big = DBL_MAX;
  volatile double twice = big * 2;
  (void)twice;
}

// Chunk 0 waits until chunk 1 is done, so the two always run on different
// threads, whichever takes which; the fault is raised on one side only.
struct TwoThreads {
  std::thread::id caller = std::this_thread::get_id();
  bool faultOnCaller = false;
  std::atomic<bool> secondDone{false};
  std::atomic<bool> timedOut{false};
  std::atomic<int> onCaller{0}, elsewhere{0};

  static void Task(void* context, std::size_t chunk) {
    auto& t = *static_cast<TwoThreads*>(context);
    const bool here = std::this_thread::get_id() == t.caller;
    (here ? t.onCaller : t.elsewhere)++;
    if (here == t.faultOnCaller) RaiseOverflow();
    if (chunk == 1) t.secondDone = true;
    if (chunk != 0) return;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!t.secondDone)
      if (std::chrono::steady_clock::now() > until) {
        t.timedOut = true;
        return;
      }
  }
};

TEST(GravityThreads, AFaultOnAWorkerThreadIsReported) {
  TwoThreads t;
  t.faultOnCaller = false;
  EXPECT_TRUE(RunGravityChunks(2, 2, TwoThreads::Task, &t));
  EXPECT_FALSE(t.timedOut);
  EXPECT_EQ(t.onCaller, 1);
  EXPECT_EQ(t.elsewhere, 1);
}

TEST(GravityThreads, AFaultOnTheCallingThreadIsReported) {
  TwoThreads t;
  t.faultOnCaller = true;
  EXPECT_TRUE(RunGravityChunks(2, 2, TwoThreads::Task, &t));
  EXPECT_FALSE(t.timedOut);
}

TEST(GravityThreads, NoFaultNoReportAndEveryChunkRunsOnce) {
  std::vector<std::atomic<int>> runs(1000);
  auto task = [](void* context, std::size_t chunk) {
    (*static_cast<std::vector<std::atomic<int>>*>(context))[chunk]++;
  };
  for (int threads : {1, 2, 3}) {
    for (auto& r : runs) r = 0;
    EXPECT_FALSE(RunGravityChunks(runs.size(), threads, task, &runs));
    for (std::size_t c = 0; c < runs.size(); ++c) ASSERT_EQ(runs[c], 1) << "chunk " << c << ", " << threads;
  }
}

TEST(GravityThreads, OneThreadRunsEverythingOnTheCaller) {
  struct Seen {
    std::thread::id caller = std::this_thread::get_id();
    std::atomic<int> elsewhere{0};
  } seen;
  RunGravityChunks(50, 1, [](void* context, std::size_t) {
    auto& s = *static_cast<Seen*>(context);
    if (std::this_thread::get_id() != s.caller) s.elsewhere++;
  }, &seen);
  EXPECT_EQ(seen.elsewhere, 0);
}

// Every thread rounds the way the caller does, so a result cannot depend on
// which thread computed it.
TEST(GravityThreads, WorkersRoundLikeTheCaller) {
  struct Quotients {
    std::vector<double> values = std::vector<double>(2);
    std::atomic<bool> secondDone{false};
  } q;
  const int before = std::fegetround();
  std::fesetround(FE_UPWARD);
  RunGravityChunks(2, 2, [](void* context, std::size_t chunk) {
    auto& qs = *static_cast<Quotients*>(context);
    volatile double one = 1, three = 3;
    qs.values[chunk] = one / three;
    if (chunk == 1) qs.secondDone = true;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (chunk == 0 && !qs.secondDone && std::chrono::steady_clock::now() < until) {
    }
  }, &q);
  volatile double one = 1, three = 3;
  const double upward = one / three;
  std::fesetround(before);
  const double nearest = one / three;
  ASSERT_NE(upward, nearest);
  EXPECT_EQ(q.values[0], upward);
  EXPECT_EQ(q.values[1], upward);
}

#ifdef __linux__
// The threads of this process other than the calling one that the system
// runs or could run now (state R in /proc), that is: that do not sleep.
int ThreadsAwakeBesideTheCaller() {
  int awake = 0;
  DIR* tasks = opendir("/proc/self/task");
  if (!tasks) return -1;
  const std::string self = std::to_string(gettid());
  while (const dirent* task = readdir(tasks)) {
    const std::string id = task->d_name;
    if (id == "." || id == ".." || id == self) continue;
    std::ifstream stat("/proc/self/task/" + id + "/stat");
    std::string line;
    std::getline(stat, line);
    const auto close = line.rfind(')');
    if (close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'R') ++awake;
  }
  closedir(tasks);
  return awake;
}

// Between steps the kept threads must sleep, not spin a core all night.
TEST(GravityThreads, IdleWorkersFallAsleep) {
  std::vector<std::atomic<int>> runs(1000);
  auto task = [](void* context, std::size_t chunk) {
    (*static_cast<std::vector<std::atomic<int>>*>(context))[chunk]++;
  };
  EXPECT_FALSE(RunGravityChunks(runs.size(), 3, task, &runs));
  int awake = -1;
  for (int look = 0; look < 500 && awake != 0; ++look) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    awake = ThreadsAwakeBesideTheCaller();
  }
  EXPECT_EQ(awake, 0) << "threads still awake five seconds after the phase";
}
#endif

}  // namespace
}  // namespace zelor
