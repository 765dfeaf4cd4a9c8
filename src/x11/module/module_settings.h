// The settings a run of the X11 module reads and writes: the stored ones with
// the command line's laid over them. Options for one run never reach the
// store, and neither does an end of the run that depends on them: a sky
// fitted to other bodies, or a "Datei" that leads to results the stored
// settings did not ask for. A body file from the command line without a sky
// brings a sky that holds its bodies, in the stored sky's shape, as a file
// chosen in the options dialog does.
#pragma once

#include "common/file_system.h"

#include "x11/module/override_store.h"
#include "settings/settings.h"
#include "x11/module/module_options.h"

namespace zelor {

class ModuleSettings {
 public:
  // Reads the body file a "-file" names, if there is no "-sky".
  ModuleSettings(SettingsStore& stored, const ModuleOptions& options, DefaultPaths defaults, FileSystem& files);
  ModuleSettings(const ModuleSettings&) = delete;
  ModuleSettings& operator=(const ModuleSettings&) = delete;

  Settings& Get() { return settings_; }

 private:
  OverrideStore layered_;
  Settings settings_;
};

}  // namespace zelor
