#include "shell/module_settings.h"

#include <set>
#include <string>

namespace zelor {
namespace {

// The settings that decide which bodies a run shows, in which sky, and where
// its results go. When the command line gives any of them, the run's end says
// nothing about the stored ones.
const std::set<std::string>& SettingsOfTheRunsBodies() {
  static const std::set<std::string> keys{kKeyDatei, kKeyBreite, kKeyHoehe, kKeyResultsPath};
  return keys;
}

// What the end of a run stores: the sky and the body file the next run
// starts from.
const std::set<std::string>& SettingsOfTheRunsEnd() {
  static const std::set<std::string> keys{kKeyDatei, kKeyBreite, kKeyHoehe};
  return keys;
}

std::set<std::string> KeptInRun(const ModuleOptions& options) {
  for (const std::string& key : SettingsOfTheRunsBodies())
    if (options.settings.count(key)) return SettingsOfTheRunsEnd();
  return {};
}

}  // namespace

ModuleSettings::ModuleSettings(SettingsStore& stored, const ModuleOptions& options, DefaultPaths defaults)
    : layered_(stored, options.settings, KeptInRun(options)),
      settings_(layered_, std::move(defaults), kEnglishLocale) {}

}  // namespace zelor
