#include "win32/saver_run.h"

#include <cstdint>
#include <vector>

#include "common/zelor_error.h"
#include "shell/frame_pacer.h"
#include "win32/dialog_layout.h"
#include "win32/resource_ids.h"
#include "win32/saver_window.h"
#include "win32/win32_file_system.h"
#include "sim/sim.h"

namespace zelor::win32 {
namespace {

std::int64_t NowMicroseconds() {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<std::int64_t>(now.QuadPart / frequency * 1000000 + now.QuadPart % frequency * 1000000 / frequency);
}

double DisplayRefreshHz() {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  if (EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode) && mode.dmDisplayFrequency > 1)
    return mode.dmDisplayFrequency;
  return 60;
}

std::vector<unsigned char> CarriedBodyFile(HINSTANCE instance) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDR_CARRIED_VOYAGER), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(instance, found);
  const auto* bytes = static_cast<const unsigned char*>(LockResource(loaded));
  if (!bytes) return {};
  return std::vector<unsigned char>(bytes, bytes + SizeofResource(instance, found));
}

// Handles every waiting message, then returns without waiting for more.
void HandleWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

int RunSaver(HINSTANCE instance, Settings& settings, SaverLoopLimits* limits) {
  bool running = true;
  SaverWindow window(instance, settings, running);
  window.Show();

  Win32FileSystem files;
  SimState state;
  try {
    EnsureDefaultBodyFile(settings, files, CarriedBodyFile(instance));
    SimInit(state, settings, files, window.Picture());
  } catch (const ZelorError& error) {
    ShowMessage(window.Handle(), error.what(), MB_ICONERROR | MB_OK);
    return 1;
  }

  const NumberLocale locale = settings.Locale();
  FramePacer pacer(DisplayRefreshHz());
  const std::int64_t start = NowMicroseconds();
  const std::int64_t stop = limits ? start + static_cast<std::int64_t>(limits->seconds * 1e6) : INT64_MAX;
  std::int64_t steps = 0, presents = 0, polls = 0, presentUs = 0, pollUs = 0, now = start;
  try {
    while (running && now < stop) {
      SimStep(state, window.Picture());
      ++steps;
      now = NowMicroseconds();
      if (pacer.PresentDue(now)) {
        window.Present(TimeLabel(state, locale));
        ++presents;
        const std::int64_t before = now;
        now = NowMicroseconds();
        presentUs += now - before;
      }
      if (pacer.PollDue(now)) {
        HandleWaitingMessages();
        ++polls;
        const std::int64_t before = now;
        now = NowMicroseconds();
        pollUs += now - before;
      }
    }
  } catch (const ZelorError& error) {
    // The state is broken: nothing of it is stored.
    ShowMessage(window.Handle(), error.what(), MB_ICONERROR | MB_OK);
    return 1;
  }
  if (limits) *limits = {limits->seconds, steps, presents, polls, (now - start) / 1e6, presentUs / 1e6, pollUs / 1e6};
  window.Present(TimeLabel(state, locale));
  SimEnd(state, settings, files);
  return 0;
}

}  // namespace zelor::win32
