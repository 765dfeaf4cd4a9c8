// The per-user store of text settings: application "Zelor2", section
// "Einstellungen". Keys and values are UTF-8. Implementations cache nothing.
#pragma once

#include <map>
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

// Keeps the values in memory: the store of the unit tests.
class MemoryStore : public SettingsStore {
 public:
  std::optional<std::string> Read(const std::string& key) override {
    const auto it = values.find(key);
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  bool Write(const std::string& key, const std::string& text) override {
    if (failWrites || ++writes == failWriteAt) return false;
    values[key] = text;
    return true;
  }

  std::map<std::string, std::string> values;
  bool failWrites = false;
  int writes = 0;
  int failWriteAt = 0;  // the write with this number (from 1) fails; 0: none
};

}  // namespace zelor
