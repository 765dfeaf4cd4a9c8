// One run's settings laid over the stored ones. A key given for the run reads
// the given text, and a write to it (the end of the run storing the sky or
// the next body file) stays in the run; every other key reads and writes the
// store beneath. So options for one run never change the stored settings,
// while a run without them stores its end as usual.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "settings/settings_store.h"

namespace zelor {

class OverrideStore : public SettingsStore {
 public:
  OverrideStore(SettingsStore& stored, std::map<std::string, std::string> overrides)
      : stored_(stored), overrides_(std::move(overrides)) {}

  std::optional<std::string> Read(const std::string& key) override {
    const auto it = overrides_.find(key);
    if (it != overrides_.end()) return it->second;
    return stored_.Read(key);
  }
  bool Write(const std::string& key, const std::string& text) override {
    const auto it = overrides_.find(key);
    if (it == overrides_.end()) return stored_.Write(key, text);
    it->second = text;
    return true;
  }

 private:
  SettingsStore& stored_;
  std::map<std::string, std::string> overrides_;
};

}  // namespace zelor
