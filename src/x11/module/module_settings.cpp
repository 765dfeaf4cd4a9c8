#include "x11/module/module_settings.h"

#include <map>
#include <set>
#include <string>

#include "sim/sky_fit.h"

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

// The command line's settings, with the sky fitted to a body file given
// without one: the stored sky grew round the stored file's bodies. A file
// that cannot be read keeps the stored sky, and the run says what is wrong.
std::map<std::string, std::string> RunOnly(SettingsStore& stored, const ModuleOptions& options,
                                           const DefaultPaths& defaults, FileSystem& files) {
  std::map<std::string, std::string> given = options.settings;
  const auto file = given.find(kKeyDatei);
  if (file == given.end() || given.count(kKeyBreite) || given.count(kKeyHoehe)) return given;
  const Settings storedSettings(stored, defaults, kEnglishLocale);
  const Sky shape = ShapeOf(storedSettings.ReadNumber(kKeyBreite), storedSettings.ReadNumber(kKeyHoehe));
  if (const auto sky = SkyHoldingBodyFile(files, file->second, shape)) {
    given[kKeyBreite] = FormatNumber(sky->width, kEnglishLocale);
    given[kKeyHoehe] = FormatNumber(sky->height, kEnglishLocale);
  }
  return given;
}

}  // namespace

ModuleSettings::ModuleSettings(SettingsStore& stored, const ModuleOptions& options, DefaultPaths defaults,
                               FileSystem& files)
    : layered_(stored, RunOnly(stored, options, defaults, files), KeptInRun(options)),
      settings_(layered_, std::move(defaults), kEnglishLocale) {}

}  // namespace zelor
