// The per-user store of text settings: application "Zelor2", section
// "Einstellungen". Keys and values are UTF-8. Implementations cache nothing.
#pragma once

#include <optional>
#include <string>

namespace zelor {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or nullopt when the key is absent or cannot be read.
  virtual std::optional<std::string> Read(const std::string& key) = 0;
  // Stores the text at once, durably; false when the store refused it.
  virtual bool Write(const std::string& key, const std::string& text) = 0;
};

}  // namespace zelor
