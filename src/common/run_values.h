// The settings the step reads, by key: the rows of the settings table marked
// RunUse::Step, as the run's set-up read them from the store. They reach the
// code that uses them through this one map, so a new one needs no member in
// the run's configuration or state, and nothing in the set-up.
#pragma once

#include <map>
#include <string>

#include "common/setting_table.h"

namespace zelor {

class RunValues {
 public:
  void Set(const std::string& key, double value) { values_[key] = value; }

  // The value set, or else the row's default: a run made without the
  // settings (a test, a tool) computes as a fresh install does.
  double Number(const std::string& key) const {
    const auto found = values_.find(key);
    if (found != values_.end()) return found->second;
    const SettingInfo* setting = FindSetting(key);
    return setting ? setting->defaultValue : 0;
  }
  bool Switch(const std::string& key) const { return Number(key) != 0; }

 private:
  std::map<std::string, double> values_;
};

}  // namespace zelor
