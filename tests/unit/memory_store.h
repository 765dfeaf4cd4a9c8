// A settings store that keeps the values in memory, for the unit tests and the
// fuzzers; any write, or one numbered write, can be made to fail.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "settings/settings_store.h"

namespace zelor {

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
