// Where the program keeps its settings and files on systems that follow the
// XDG base directories: the settings in $XDG_CONFIG_HOME/zelor2/zelor2.conf,
// the default body and results files in $XDG_DATA_HOME/zelor2/. A variable
// that is unset, empty or not an absolute path stands for its default below
// the home folder (~/.config, ~/.local/share): $HOME, or, when it too is
// unset, empty or relative, the home the user database gives.
//
// A settings file that is a symbolic link (dotfile managers keep it so) is
// written where the link leads, so the link stays.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "settings/settings.h"

namespace zelor {

// What the system says, asked by the front end.
struct SystemLookups {
  // A variable's value, nullopt when it is not set.
  std::function<std::optional<std::string>(const std::string&)> environment;
  // The user's home folder in the user database, nullopt without one.
  std::optional<std::string> userDatabaseHome;
  // The text of a symbolic link, nullopt when the path is none.
  std::function<std::optional<std::string>(const std::string&)> linkTarget;
};

struct ModulePaths {
  std::string settingsFile;  // where it is written: past any link
  DefaultPaths defaults;
  // Empty, or a German message why the program cannot know where its files
  // are; then the paths are empty.
  std::string error;
};

ModulePaths MakeModulePaths(const SystemLookups& system);

}  // namespace zelor
