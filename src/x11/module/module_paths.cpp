#include "x11/module/module_paths.h"

#include "common/file_system.h"
#include "common/quoted.h"

namespace zelor {
namespace {

// As many links as the system itself follows before it gives up on a loop.
constexpr int kMostLinks = 40;

// The file a chain of symbolic links leads to; nullopt for a loop. A
// relative target lies in the folder of its link.
std::optional<std::string> PastLinks(std::string path, const SystemLookups& system) {
  for (int i = 0; i <= kMostLinks; ++i) {  // the last round finds the file, or a link too many
    const auto target = system.linkTarget(path);
    if (!target) return path;
    path = !target->empty() && target->front() == '/' ? *target : JoinPath(FolderOf(path), *target);
  }
  return std::nullopt;
}

std::optional<std::string> Absolute(const std::optional<std::string>& path) {
  if (path && !path->empty() && path->front() == '/') return path;
  return std::nullopt;
}

}  // namespace

ModulePaths MakeModulePaths(const SystemLookups& system) {
  // The current folder is no home: settings written there would be lost
  // from the next run started elsewhere.
  std::optional<std::string> home = Absolute(system.environment("HOME"));
  if (!home) home = Absolute(system.userDatabaseHome);
  bool homeless = false;
  const auto folder = [&](const std::string& variable, const std::string& belowHome) {
    if (const auto value = Absolute(system.environment(variable))) return *value;
    homeless = homeless || !home;
    return home ? JoinPath(*home, belowHome) : std::string();
  };
  const std::string settings = JoinPath(folder("XDG_CONFIG_HOME", ".config"), "zelor2");
  const std::string data = JoinPath(folder("XDG_DATA_HOME", ".local/share"), "zelor2");
  if (homeless)
    return {{}, {}, "Der Ordner f\xC3\xBCr die Einstellungen und Dateien ist unbekannt: HOME ist nicht gesetzt, "
                    "und die Benutzerdatenbank nennt keinen Home-Ordner. Bitte setzen Sie HOME."};
  const std::string file = JoinPath(settings, "zelor2.conf");
  const auto written = PastLinks(file, system);
  if (!written)
    return {{}, {}, "Die Einstellungsdatei " + Quoted(file) + " ist eine Verkn\xC3\xBCpfung, die im Kreis f\xC3\xBChrt. "
                    "Bitte lassen Sie sie auf eine Datei zeigen."};
  return {*written, {JoinPath(data, kDefaultBodyFileName), JoinPath(data, kDefaultResultsFileName)}, ""};
}

}  // namespace zelor
