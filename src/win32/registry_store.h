// The settings in the per-user registry, under
// HKEY_CURRENT_USER\Software\Zelor2\Einstellungen. Every call goes to the
// registry: nothing is cached.
#pragma once

#include "settings/settings_store.h"

namespace zelor::win32 {

class RegistryStore : public SettingsStore {
 public:
  std::optional<std::string> Read(const std::string& key) override;
  bool Write(const std::string& key, const std::string& text) override;
};

}  // namespace zelor::win32
