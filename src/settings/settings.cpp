#include "settings/settings.h"

#include <cmath>

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

namespace {

// Empty when the row takes the number read.
std::string WhyNot(const std::string& field, const std::string& text, const SettingInfo& setting,
                   const NumberReading& reading) {
  if (reading.kind == NumberReading::Kind::NoNumber)
    return IsBlankOnly(text) ? field + " ist leer." : field + " enth\xC3\xA4lt keine Zahl: " + QuotedShort(text) + ".";
  if (reading.kind == NumberReading::Kind::TooLarge) return field + " ist zu gro\xC3\x9F: " + QuotedShort(text) + ".";
  if (setting.range && reading.value < setting.range->low)
    return field + (setting.range->low == 0
                        ? " darf nicht negativ sein."
                        : " darf nicht kleiner als " + FormatNumber(setting.range->low, kEnglishLocale) + " sein.");
  if (setting.range && !(reading.value <= setting.range->high))
    return field + " darf h\xC3\xB6" "chstens " + FormatNumber(setting.range->high, kEnglishLocale) + " sein.";
  if (setting.zero == Zero::Refused && reading.value == 0) return field + " darf nicht 0 sein.";
  if (setting.fraction == Fraction::Refused && reading.value != std::floor(reading.value))
    return field + " muss eine ganze Zahl sein.";
  return std::string();
}

// Bounds are whole numbers, which read the same in every locale.
std::string WhatItTakes(const SettingInfo& setting) {
  std::string takes = setting.fraction == Fraction::Refused ? "eine ganze Zahl" : "eine Zahl";
  if (setting.range)
    takes += " von " + FormatNumber(setting.range->low, kEnglishLocale) + " bis " +
             FormatNumber(setting.range->high, kEnglishLocale);
  if (setting.zero == Zero::Refused) takes += setting.range ? " au\xC3\x9F" "er 0" : " ungleich 0";
  return takes;
}

}  // namespace

NumberCheck CheckNumberSetting(const std::string& key, const std::string& text, NumberLocale locale) {
  static const SettingInfo kAnyNumber{};
  const SettingInfo* found = FindSetting(key);
  const SettingInfo& setting = found ? *found : kAnyNumber;
  const NumberReading reading = ReadNumberText(text, locale);
  NumberCheck check;
  check.why = WhyNot(Quoted(FieldLabel(key)), text, setting, reading);
  check.takes = WhatItTakes(setting);
  if (reading.kind == NumberReading::Kind::NoNumber) check.problem = NumberCheck::Problem::NoNumber;
  else if (reading.kind == NumberReading::Kind::TooLarge) check.problem = NumberCheck::Problem::TooLarge;
  else if (!check.why.empty()) check.problem = NumberCheck::Problem::Refused;
  else check.value = reading.value;
  return check;
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
