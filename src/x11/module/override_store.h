// One run's settings laid over the stored ones. A key given for the run reads
// the given text, and a write to it (the end of the run storing the sky or
// the next body file) stays in the run. A key the run keeps to itself reads
// the store beneath until the run writes it, and that write stays in the run
// too. Every other key reads and writes the store beneath. So options for one
// run never change the stored settings, while a run without them stores its
// end as usual.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "settings/settings_store.h"

namespace zelor {

class OverrideStore : public SettingsStore {
 public:
  OverrideStore(SettingsStore& stored, std::map<std::string, std::string> overrides,
                std::set<std::string> keptInRun = {})
      : stored_(stored), overrides_(std::move(overrides)), keptInRun_(std::move(keptInRun)) {}

  std::optional<std::string> Read(const std::string& key) override {
    const auto it = overrides_.find(key);
    if (it != overrides_.end()) return it->second;
    return stored_.Read(key);
  }
  bool Write(const std::string& key, const std::string& text) override {
    if (!overrides_.count(key) && !keptInRun_.count(key)) return stored_.Write(key, text);
    overrides_[key] = text;
    return true;
  }

 private:
  SettingsStore& stored_;
  std::map<std::string, std::string> overrides_;
  std::set<std::string> keptInRun_;
};

}  // namespace zelor
