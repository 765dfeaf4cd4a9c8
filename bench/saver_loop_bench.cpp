// The saver loop of Zelor2.scr, with its own window, settings and body file,
// for a fixed number of seconds; prints how many steps it made per second,
// how often it put the picture on the screen and how much processor time the
// process took per second. Run under Wine by bench/run_saver_loop.sh.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "settings/settings.h"
#include "x11/module/saver_loop_measure.h"
#include "win32/registry_store.h"
#include "win32/platform.h"
#include "win32/saver_run.h"

namespace {

// User and kernel time of this process so far, in seconds.
double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  const auto seconds = [](FILETIME t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zelor;
  SaverLoopMeasure measure(argc > 1 ? std::atof(argv[1]) : 10);
  win32::RegistryStore store;
  Settings settings(store, MakeDefaultPaths(win32::ApplicationDataFolder()), win32::UserNumberLocale());
  // The processor time is counted from two seconds in, so that making the
  // windows and reading the body file do not count: a saver runs for hours.
  constexpr double kSettleSeconds = 2;
  std::atomic<double> cpuAtSettle{-1};
  std::atomic<bool> done{false};
  const auto started = std::chrono::steady_clock::now();
  std::thread sampler([&] {
    const auto settle = started + std::chrono::duration<double>(kSettleSeconds);
    while (!done && std::chrono::steady_clock::now() < settle) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!done) cpuAtSettle = ProcessCpuSeconds();
  });
  const int exitCode = win32::RunSaver(GetModuleHandleW(nullptr), settings, &measure);
  const double cpuAtEnd = ProcessCpuSeconds();
  const double wallAtEnd = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  done = true;
  sampler.join();
  const double seconds = measure.elapsedSeconds > 0 ? measure.elapsedSeconds : 1;
  std::printf("seconds: %.2f\nsteps: %lld\nsteps per second: %.0f\nscreen refreshes per second: %.1f\n"
              "input checks per second: %.0f\nsleeps per second: %.1f\n"
              "share of the time: showing the picture %.1f %%, handling input %.1f %%, steps (and sleep) %.1f %%\n",
              measure.elapsedSeconds, static_cast<long long>(measure.steps), measure.steps / seconds,
              measure.presents / seconds, measure.polls / seconds, measure.waits / seconds, 100 * measure.presentSeconds / seconds,
              100 * measure.pollSeconds / seconds,
              100 * (seconds - measure.presentSeconds - measure.pollSeconds) / seconds);
  if (cpuAtSettle >= 0 && wallAtEnd > kSettleSeconds) {
    const double perSecond = (cpuAtEnd - cpuAtSettle) / (wallAtEnd - kSettleSeconds);
    std::printf("processor time per second after the first %.0f s: %.3f s (%.1f %% of one core)\n", kSettleSeconds,
                perSecond, 100 * perSecond);
  }
  std::fflush(stdout);
  return exitCode;
}
