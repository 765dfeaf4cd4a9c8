// The Linux module's option for each setting, keyed by the setting's key:
// "-interval TAGE" for a number or a text, "-round" and "-no-round" for a
// switch, and one option for the sky's width and height, "-sky BREITExHÖHE".
// The order is the usage's.
#pragma once

#include <string>
#include <vector>

#include "common/setting_table.h"

namespace zelor {

enum class ModuleOptionForm {
  Value,   // a number (with a dot) or a text, as given
  Switch,  // the option sets it, the option with "no-" before it clears it
  Sky,     // the width and the height in one value, BREITExHÖHE
};

struct ModuleOption {
  std::string name;  // without the dash
  ModuleOptionForm form;
  std::vector<std::string> keys;  // the setting's; the sky's width and height
  std::string valueName;          // what the usage calls the value, "TAGE"; empty for a switch
};

inline const ModuleOption kModuleOptions[] = {
    {"file", ModuleOptionForm::Value, {kKeyDatei}, "DATEI"},
    {"results", ModuleOptionForm::Value, {kKeyResultsPath}, "DATEI"},
    {"interval", ModuleOptionForm::Value, {kKeyIntervall}, "TAGE"},
    {"sky", ModuleOptionForm::Sky, {kKeyBreite, kKeyHoehe}, "BREITExH\xC3\x96HE"},
    {"tempo", ModuleOptionForm::Value, {kKeyTempo}, "SCHRITTE"},
    {"accuracy", ModuleOptionForm::Value, {kKeyGenauigkeit}, "TEILSCHRITTE"},
    {"save", ModuleOptionForm::Switch, {kKeySaveResults}, ""},
    {"round", ModuleOptionForm::Switch, {kKeyRund}, ""},
    {"all-screens", ModuleOptionForm::Switch, {kKeyAlleBildschirme}, ""},
    {"approx", ModuleOptionForm::Switch, {kKeyNaeherung}, ""},
};

// The settings the module has no option for: locking belongs to the daemon
// on Linux, so the password is none of the module's.
inline const std::string* const kNotModuleOptions[] = {&kKeyPasswort};

// The option called `name`; nullptr for none.
inline const ModuleOption* FindModuleOption(const std::string& name) {
  for (const ModuleOption& option : kModuleOptions)
    if (option.name == name) return &option;
  return nullptr;
}

}  // namespace zelor
