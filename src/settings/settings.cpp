#include "settings/settings.h"

#include "common/blanks.h"
#include "common/file_system.h"
#include "common/quoted.h"

namespace zelor {

DefaultPaths MakeDefaultPaths(const std::string& applicationDataFolder) {
  const std::string folder = JoinPath(applicationDataFolder, kAppTitle);
  return {JoinPath(folder, kDefaultBodyFileName), JoinPath(folder, kDefaultResultsFileName)};
}

std::string FieldLabel(const std::string& key) {
  if (key == kKeyBreite) return "Bildschirmbreite (AE)";
  if (key == kKeyHoehe) return "Bildschirmh\xC3\xB6he (AE)";
  if (key == kKeyIntervall) return "Berechnungsintervall (Tage)";
  if (key == kKeyTempo) return "Tempo (Schritte/s, 0 = so schnell wie m\xC3\xB6glich)";
  return key;
}

std::string NotANumberText(const std::string& key, const std::string& text) {
  const std::string field = Quoted(FieldLabel(key));
  if (IsBlankOnly(text)) return field + " ist leer.";
  return field + " enth\xC3\xA4lt keine Zahl: " + QuotedShort(text) + ".";
}

std::string TempoRangeText(double tempo) {
  const std::string field = Quoted(FieldLabel(kKeyTempo));
  if (tempo < 0) return field + " darf nicht negativ sein.";
  if (!(tempo <= kTempoMax)) return field + " darf h\xC3\xB6" "chstens " + FormatNumber(kTempoMax, kEnglishLocale) + " sein.";
  return std::string();
}

bool ReadSwitch(const Settings& settings, const std::string& key) {
  if (const auto value = settings.ReadBool(key)) return *value;
  return ParseBool(settings.DefaultText(key), settings.Locale()).value_or(false);
}

// A whole number reads the same in every locale.
std::string TempoRangeAdvice() { return "eine Zahl von 0 bis " + FormatNumber(kTempoMax, kEnglishLocale); }

std::string Settings::DefaultText(const std::string& key) const {
  if (key == kKeyBreite || key == kKeyHoehe || key == kKeyIntervall) return FormatNumber(2, locale_);
  if (key == kKeyDatei) return defaults_.bodyFile;
  if (key == kKeyResultsPath) return defaults_.resultsFile;
  if (key == kKeySaveResults) return FormatBool(false);
  if (key == kKeyTempo) return FormatNumber(kTempoDefault, locale_);
  if (key == kKeyRund || key == kKeyAlleBildschirme) return FormatBool(true);
  return std::string();
}

std::string Settings::ReadText(const std::string& key) const {
  if (auto text = store_.Read(key)) return *text;
  return DefaultText(key);
}

std::optional<double> Settings::ReadNumber(const std::string& key) const {
  return ParseNumber(ReadText(key), locale_);
}

std::optional<bool> Settings::ReadBool(const std::string& key) const {
  return ParseBool(ReadText(key), locale_);
}

bool Settings::WriteText(const std::string& key, const std::string& text) {
  return store_.Write(key, text);
}

bool Settings::WriteNumber(const std::string& key, double value) {
  return store_.Write(key, FormatNumber(value, locale_));
}

bool Settings::WriteBool(const std::string& key, bool value) {
  return store_.Write(key, FormatBool(value));
}

}  // namespace zelor
