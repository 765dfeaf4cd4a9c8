// The settings with their defaults and text forms, read from and written
// to the store at the moment of use.
#pragma once

#include <optional>
#include <string>

#include "common/number_text.h"
#include "common/setting_table.h"
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

// A number setting's text checked against the rules of its row: the number
// it takes, or why it takes none, for every message about it to word its own
// way (the options dialog, the run, the module's options).
struct NumberCheck {
  enum class Problem {
    None,
    NoNumber,  // also an empty text
    TooLarge,  // a number beyond the range of a double, "1e400"
    Refused,   // a number the row does not take: out of range, or 0
  };
  Problem problem = Problem::None;
  double value = 0;  // for None
  // Why, naming the field: "„Bildschirmbreite (AE)“ darf nicht 0 sein.";
  // also "… ist leer.", "… enthält keine Zahl: „x“.", "… ist zu groß: „1e400“.",
  // "… darf nicht negativ sein.", "… darf höchstens 10000000 sein."
  std::string why;
  // What the setting takes, to follow "Bitte geben Sie …" or "braucht …":
  // "eine Zahl", "eine Zahl ungleich 0", "eine Zahl von 0 bis 10000000", with
  // the bounds as every locale reads them (they are whole numbers).
  std::string takes;
};
NumberCheck CheckNumberSetting(const std::string& key, const std::string& text, NumberLocale locale);

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
  // Whether the store holds a text for the key.
  bool Stored(const std::string& key) const { return store_.Read(key).has_value(); }
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
