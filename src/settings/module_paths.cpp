#include "settings/module_paths.h"

#include "common/file_system.h"

namespace zelor {

ModulePaths MakeModulePaths(const std::function<std::optional<std::string>(const std::string&)>& environment) {
  const auto folder = [&](const std::string& variable, const std::string& belowHome) {
    const auto value = environment(variable);
    if (value && !value->empty() && value->front() == '/') return *value;
    // Without a home the current folder has to do.
    const auto home = environment("HOME");
    return JoinPath(home && !home->empty() ? *home : ".", belowHome);
  };
  const std::string settings = JoinPath(folder("XDG_CONFIG_HOME", ".config"), "zelor2");
  const std::string data = JoinPath(folder("XDG_DATA_HOME", ".local/share"), "zelor2");
  return {JoinPath(settings, "zelor2.conf"),
          {JoinPath(data, kDefaultBodyFileName), JoinPath(data, kDefaultResultsFileName)}};
}

}  // namespace zelor
