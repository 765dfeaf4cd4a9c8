// Where the program keeps its settings and files on systems that follow the
// XDG base directories: the settings in $XDG_CONFIG_HOME/zelor2/zelor2.conf,
// the default body and results files in $XDG_DATA_HOME/zelor2/. A variable
// that is unset, empty or not an absolute path stands for its default below
// $HOME (~/.config, ~/.local/share).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "settings/settings.h"

namespace zelor {

struct ModulePaths {
  std::string settingsFile;
  DefaultPaths defaults;
};

// `environment` gives a variable's value, nullopt when it is not set.
ModulePaths MakeModulePaths(const std::function<std::optional<std::string>(const std::string&)>& environment);

}  // namespace zelor
