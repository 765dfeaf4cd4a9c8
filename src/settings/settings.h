// The settings with their defaults and text forms, read from and written
// to the store at the moment of use.
#pragma once

#include <optional>
#include <string>

#include "common/number_text.h"
#include "settings/setting_table.h"
#include "settings/settings_store.h"

namespace zelor {

inline const std::string kAppTitle = "Zelor2";
inline const std::string kDefaultBodyFileName = "Voyager.zel";
inline const std::string kDefaultResultsFileName = "Temp.zel";

// The defaults that depend on the machine: both files live in the folder
// "Zelor2" of the user's application data.
struct DefaultPaths {
  std::string bodyFile;
  std::string resultsFile;
};
DefaultPaths MakeDefaultPaths(const std::string& applicationDataFolder);

// The options dialog's caption of the setting, without its colon: messages
// name what the user sees, not the key it is stored under. The key itself
// for a setting the dialog does not show.
std::string FieldLabel(const std::string& key);

// "„Bildschirmbreite (AE)“ ist leer." or "... enthält keine Zahl: „…“."
std::string NotANumberText(const std::string& key, const std::string& text);

// Empty for a number the setting takes; else why it takes none, e.g.
// "„Tempo (…)“ darf nicht negativ sein."
std::string RangeText(const std::string& key, double value);

// "eine Zahl von 0 bis 10000000", with the bounds as the field takes them: no
// number field accepts digit-group marks. Empty for a setting without a range.
std::string RangeAdvice(const std::string& key);

class Settings {
 public:
  Settings(SettingsStore& store, DefaultPaths defaults, NumberLocale locale)
      : store_(store), defaults_(std::move(defaults)), locale_(locale) {}

  // The stored text, or the text form of the key's default.
  std::string ReadText(const std::string& key) const;
  // The text converted; nullopt when it is not a number or truth value.
  std::optional<double> ReadNumber(const std::string& key) const;
  std::optional<bool> ReadBool(const std::string& key) const;

  bool WriteText(const std::string& key, const std::string& text);
  bool WriteNumber(const std::string& key, double value);
  bool WriteBool(const std::string& key, bool value);

  std::string DefaultText(const std::string& key) const;
  const DefaultPaths& Defaults() const { return defaults_; }
  NumberLocale Locale() const { return locale_; }

 private:
  SettingsStore& store_;
  DefaultPaths defaults_;
  NumberLocale locale_;
};

// A switch such as "rund": a text that is no truth value counts as the
// default, and the options dialog shows it so.
bool ReadSwitch(const Settings& settings, const std::string& key);

}  // namespace zelor
