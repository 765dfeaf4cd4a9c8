// Main of the X11 program: the command line and the settings file, the
// window, then the run as on Windows.
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "x11/module/ini_store.h"
#include "x11/module/module_paths.h"
#include "x11/module/module_options.h"
#include "x11/module/module_settings.h"
#include "x11/module/saver_loop_measure.h"
#include "shell/saver_run.h"
#include "x11/carried_body_file.h"
#include "x11/posix_file_system.h"
#include "x11/saver_window.h"
#include "x11/stop_signals.h"

namespace {

std::optional<std::string> Environment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value ? std::optional<std::string>(value) : std::nullopt;
}

std::optional<std::string> UserDatabaseHome() {
  const passwd* entry = getpwuid(getuid());
  if (!entry || !entry->pw_dir) return std::nullopt;
  return std::string(entry->pw_dir);
}

std::optional<std::string> LinkTarget(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(path, error))) return std::nullopt;
  const fs::path target = fs::read_symlink(path, error);
  if (error) return std::nullopt;
  return target.string();
}

void PrintMeasurement(const zelor::SaverLoopMeasure& measure) {
  const double seconds = measure.elapsedSeconds > 0 ? measure.elapsedSeconds : 1;
  std::printf("seconds: %.2f\nsteps: %lld\nsteps per second: %.0f\nscreen refreshes per second: %.1f\n"
              "input checks per second: %.0f\n"
              "share of the time: showing the picture %.1f %%, handling input %.1f %%, steps %.1f %%\n",
              measure.elapsedSeconds, static_cast<long long>(measure.steps), measure.steps / seconds,
              measure.presents / seconds, measure.polls / seconds, 100 * measure.presentSeconds / seconds,
              100 * measure.pollSeconds / seconds,
              100 * (seconds - measure.presentSeconds - measure.pollSeconds) / seconds);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zelor;
  const ModuleOptions options =
      ParseModuleOptions(std::vector<std::string>(argv + 1, argv + argc), Environment("XSCREENSAVER_WINDOW"));
  if (!options.error.empty()) {
    std::fprintf(stderr, "Zelor2: %s\n%s", options.error.c_str(), ModuleUsage().c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(ModuleUsage().c_str(), stdout);
    return 0;
  }

  const ModulePaths paths = MakeModulePaths({Environment, UserDatabaseHome(), LinkTarget});
  if (!paths.error.empty()) {
    std::fprintf(stderr, "Zelor2: %s\n", paths.error.c_str());
    return 1;
  }
  x11::PosixFileSystem files;
  IniStore stored(files, paths.settingsFile);
  ModuleSettings runSettings(stored, options, paths.defaults, files);
  Settings& settings = runSettings.Get();

  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    const auto name = Environment("DISPLAY");
    std::fprintf(stderr, "Zelor2: Die Anzeige \xE2\x80\x9E%s\xE2\x80\x9C l\xC3\xA4sst sich nicht \xC3\xB6" "ffnen.\n",
                 name ? name->c_str() : "");
    return 1;
  }
  int exitCode = 1;
  {
    x11::SaverWindow window(display);
    SaverSession session(settings, window);
    const std::string problem = window.Open(session, options, ReadSwitch(settings, kKeyAlleBildschirme));
    x11::CatchStopSignals();
    if (!problem.empty()) {
      std::fprintf(stderr, "Zelor2: %s\n", problem.c_str());
    } else if (!window.ShowsSky()) {
      // A monitor the sky leaves black, in a window of its own.
      window.WaitUntilEnded();
      exitCode = 0;
    } else {
      SaverLoopMeasure measure(options.measureSeconds);
      // The display's pace: X does not say, and 60 Hz is what nearly all have.
      exitCode = RunSaver(window, session, settings, files, x11::CarriedBodyFile(), 60,
                          options.measureSeconds > 0 ? &measure : nullptr);
      if (options.measureSeconds > 0) PrintMeasurement(measure);
    }
  }
  XCloseDisplay(display);
  return exitCode;
}
