// The command line of the program as a module of a desktop saver daemon
// (Linux and other X11 systems): where to draw, and the settings given for
// one run. Options take one dash or two; numbers are written with a dot (a
// single number also with a decimal comma).
//
//   -root              draw on the root window (or in the daemon's, see below)
//   -window-id ID      draw into the window ID (decimal or 0x... hex); the
//                      environment's XSCREENSAVER_WINDOW names one the same way
//   -fullscreen        an own window over the whole screen; a key or a
//                      pointer move ends the run
//   and an option for each setting that has one in the module's table, for
//   this run: "-interval 0.5" for a number or a text, "-round" and
//   "-no-round" for a switch, "-sky 4x3" for the width and height
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zelor {

enum class DrawTarget { OwnWindow, Root, GivenWindow };

struct ModuleOptions {
  DrawTarget target = DrawTarget::OwnWindow;
  std::uint64_t window = 0;  // for GivenWindow
  bool fullscreen = false;
  // Settings keys with their texts for this run (numbers with a dot).
  // "Passwort" is always among them, empty: locking belongs to the daemon,
  // and a password stored for the Windows program must not keep a module
  // from ending.
  std::map<std::string, std::string> settings;
  bool help = false;
  // For measuring: the run ends after this many seconds and reports its
  // figures; 0 runs until it is ended.
  double measureSeconds = 0;
  // Empty when the command line is fine; else a German message.
  std::string error;
};

// `arguments` without the program's name; `saverWindow` is the value of
// XSCREENSAVER_WINDOW, nullopt when it is not set. It wins over -root; an
// explicit -window-id or -fullscreen wins over it.
ModuleOptions ParseModuleOptions(const std::vector<std::string>& arguments,
                                 const std::optional<std::string>& saverWindow);

// The options, in German, for -help and after a mistake.
std::string ModuleUsage();

}  // namespace zelor
