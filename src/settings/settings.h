// The settings with their defaults and text forms, read from and written
// to the store at the moment of use.
#pragma once

#include <optional>
#include <string>

#include "common/number_text.h"
#include "settings/settings_store.h"

namespace zelor {

inline const std::string kAppTitle = "Zelor2";
inline const std::string kKeyBreite = "Breite";
inline const std::string kKeyHoehe = "H\xC3\xB6he";  // "Höhe"
inline const std::string kKeyIntervall = "Intervall";
inline const std::string kKeyDatei = "Datei";
inline const std::string kKeyResultsPath = "Speicher";
inline const std::string kKeySaveResults = "speichern";
inline const std::string kKeyPasswort = "Passwort";
// Steps a second; 0 steps as fast as the machine can. The default is one step
// a frame: as fast as it could, today's machine would finish the picture
// before anyone looked, and keep a core busy all night.
inline const std::string kKeyTempo = "Tempo";
constexpr double kTempoDefault = 60;
constexpr double kTempoMax = 10'000'000;
// Truth values, both on by default: one scale across and down, so circles
// are drawn round; and the sky going on across every further monitor.
inline const std::string kKeyRund = "rund";
inline const std::string kKeyAlleBildschirme = "alleBildschirme";

inline const std::string kDefaultBodyFileName = "Voyager.zel";
inline const std::string kDefaultResultsFileName = "Temp.zel";

// The defaults that depend on the machine: both files live in the folder
// "Zelor2" of the user's application data.
struct DefaultPaths {
  std::string bodyFile;
  std::string resultsFile;
};
DefaultPaths MakeDefaultPaths(const std::string& applicationDataFolder);

// The caption of the options dialog's field for a number setting, without its
// colon: messages name what the user sees, not the key it is stored under.
std::string FieldLabel(const std::string& key);

// "„Bildschirmbreite (AE)“ ist leer." or "... enthält keine Zahl: „…“."
std::string NotANumberText(const std::string& key, const std::string& text);

// Empty for a tempo from 0 to kTempoMax; else why it is none, e.g.
// "„Tempo (…)“ darf nicht negativ sein."
std::string TempoRangeText(double tempo);

// "eine Zahl von 0 bis 10000000", with the bound as the field takes it: no
// number field accepts digit-group marks.
std::string TempoRangeAdvice();

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

// "rund" or "alleBildschirme": a text that is no truth value counts as the
// default, and the options dialog shows it so.
bool ReadSwitch(const Settings& settings, const std::string& key);

}  // namespace zelor
