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
  const SettingInfo* setting = FindSetting(key);
  return setting && !setting->label.empty() ? setting->label : key;
}

std::string NotANumberText(const std::string& key, const std::string& text) {
  const std::string field = Quoted(FieldLabel(key));
  if (IsBlankOnly(text)) return field + " ist leer.";
  return field + " enth\xC3\xA4lt keine Zahl: " + QuotedShort(text) + ".";
}

// Bounds are whole numbers, which read the same in every locale.
std::string RangeText(const std::string& key, double value) {
  const SettingInfo* setting = FindSetting(key);
  if (!setting || !setting->range) return std::string();
  const std::string field = Quoted(FieldLabel(key));
  const SettingRange range = *setting->range;
  if (value < range.low)
    return field + (range.low == 0 ? " darf nicht negativ sein."
                                   : " darf nicht kleiner als " + FormatNumber(range.low, kEnglishLocale) + " sein.");
  if (!(value <= range.high))
    return field + " darf h\xC3\xB6" "chstens " + FormatNumber(range.high, kEnglishLocale) + " sein.";
  return std::string();
}

std::string RangeAdvice(const std::string& key) {
  const SettingInfo* setting = FindSetting(key);
  if (!setting || !setting->range) return std::string();
  return "eine Zahl von " + FormatNumber(setting->range->low, kEnglishLocale) + " bis " +
         FormatNumber(setting->range->high, kEnglishLocale);
}

bool ReadSwitch(const Settings& settings, const std::string& key) {
  if (const auto value = settings.ReadBool(key)) return *value;
  return ParseBool(settings.DefaultText(key), settings.Locale()).value_or(false);
}

std::string Settings::DefaultText(const std::string& key) const {
  const SettingInfo* setting = FindSetting(key);
  if (!setting) return std::string();
  switch (setting->defaultFrom) {
    case DefaultFrom::BodyFile: return defaults_.bodyFile;
    case DefaultFrom::ResultsFile: return defaults_.resultsFile;
    case DefaultFrom::Value: break;
  }
  switch (setting->kind) {
    case SettingKind::Number: return FormatNumber(setting->defaultValue, locale_);
    case SettingKind::Switch: return FormatBool(setting->defaultValue != 0);
    case SettingKind::Text: break;
  }
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
