// The saver loop of Zelor2.scr, with its own window, settings and body file,
// for a fixed number of seconds; prints how many steps it made per second,
// how often it put the picture on the screen and how much processor time the
// process took per second. Run under Wine by bench/run_saver_loop.sh.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "settings/settings.h"
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
  SaverLoopLimits limits;
  if (argc > 1) limits.seconds = std::atof(argv[1]);
  win32::RegistryStore store;
  Settings settings(store, MakeDefaultPaths(win32::ApplicationDataFolder()), win32::UserNumberLocale());
  const double cpuBefore = ProcessCpuSeconds();
  const int exitCode = win32::RunSaver(GetModuleHandleW(nullptr), settings, &limits);
  const double cpu = ProcessCpuSeconds() - cpuBefore;
  const double seconds = limits.elapsedSeconds > 0 ? limits.elapsedSeconds : 1;
  std::printf("seconds: %.2f\nsteps: %lld\nsteps per second: %.0f\nscreen refreshes per second: %.1f\n"
              "input checks per second: %.0f\n"
              "share of the time: showing the picture %.1f %%, handling input %.1f %%, steps %.1f %%\n",
              limits.elapsedSeconds, static_cast<long long>(limits.steps), limits.steps / seconds,
              limits.presents / seconds, limits.polls / seconds, 100 * limits.presentSeconds / seconds,
              100 * limits.pollSeconds / seconds,
              100 * (seconds - limits.presentSeconds - limits.pollSeconds) / seconds);
  // Set-up and the end of the run are in it too; they take milliseconds.
  std::printf("processor time per second: %.3f s (%.1f %% of one core)\n", cpu / seconds, 100 * cpu / seconds);
  std::fflush(stdout);
  return exitCode;
}
