// The settings a run of the X11 module reads and writes: the stored ones with
// the command line's laid over them. Options for one run never reach the
// store, and neither does an end of the run that depends on them: a sky
// fitted to other bodies, or a "Datei" that leads to results the stored
// settings did not ask for.
#pragma once

#include "settings/override_store.h"
#include "settings/settings.h"
#include "shell/module_options.h"

namespace zelor {

class ModuleSettings {
 public:
  ModuleSettings(SettingsStore& stored, const ModuleOptions& options, DefaultPaths defaults);
  ModuleSettings(const ModuleSettings&) = delete;
  ModuleSettings& operator=(const ModuleSettings&) = delete;

  Settings& Get() { return settings_; }

 private:
  OverrideStore layered_;
  Settings settings_;
};

}  // namespace zelor
