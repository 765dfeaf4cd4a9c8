// Every setting in one place: its key, what the user sees it as, its default,
// the numbers it takes and its option on the Linux module's command line.
// The options form, the run's set-up, the module's option parser and the
// messages all look a setting up here; a new setting starts with a row below.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace zelor {

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

enum class SettingKind {
  Number,  // a text field of the options dialog; must hold a number in the user's form that a double holds
  Switch,  // a check box; True or False
  Text,    // anything, e.g. a path chosen with a file dialog
};

// Where a default that depends on the machine comes from (see DefaultPaths).
enum class DefaultFrom { Value, BodyFile, ResultsFile };

struct SettingRange {
  double low;
  double high;
};

// Whether a number setting takes 0 (and -0).
enum class Zero { Allowed, Refused };

struct SettingInfo {
  std::string key;
  // What the options dialog calls it, without a colon: a field's caption, a
  // check box's, or a button's without its "...". Empty for none.
  std::string label;
  SettingKind kind;
  // A number's default, or a switch's (1 for True); a text's default is empty
  // unless it comes from the machine.
  double defaultValue;
  DefaultFrom defaultFrom;
  // The numbers the setting takes; none for any number. The options dialog,
  // the run and the module's option parser refuse every other.
  std::optional<SettingRange> range;
  Zero zero;
  // Its option on the module's command line without the dash: "-interval
  // TAGE" for a number or a text, "-round" and "-no-round" for a switch.
  // Empty for none. Width and height share one, "-sky BREITExHÖHE".
  std::string moduleOption;
  std::string moduleValue;  // what the usage calls the option's value, "TAGE"
  // Its row in the options dialog, counted from 0 at the top: a number's
  // label and field or a switch's check box on the left, a text's button on
  // the right, beside "OK" (row 0) and "Abbrechen" (row 1). -1 for none.
  int dialogRow;
  int labelLines;  // a number's caption too long for one line of the label column takes 2
};

// In the order of the module's usage; the options dialog orders by row.
inline const SettingInfo kSettingTable[] = {
    // key, label, kind, default, default from, range, zero, module option, its value, dialog row, label lines
    {kKeyDatei, "Zelor-Datei", SettingKind::Text, 0, DefaultFrom::BodyFile, std::nullopt, Zero::Allowed, "file",
     "DATEI", 2, 1},
    {kKeyResultsPath, "Lagerdatei", SettingKind::Text, 0, DefaultFrom::ResultsFile, std::nullopt, Zero::Allowed,
     "results", "DATEI", 4, 1},
    // 0 days a step stands still, and results saved after it would have lost
    // every body's speed; a negative interval runs time backwards.
    {kKeyIntervall, "Berechnungsintervall (Tage)", SettingKind::Number, 2, DefaultFrom::Value, std::nullopt,
     Zero::Refused, "interval", "TAGE", 2, 1},
    // A sky 0 AU across cannot be drawn; a negative width or height mirrors its axis.
    {kKeyBreite, "Bildschirmbreite (AE)", SettingKind::Number, 2, DefaultFrom::Value, std::nullopt, Zero::Refused,
     "sky", "BREITExH\xC3\x96HE", 0, 1},
    {kKeyHoehe, "Bildschirmh\xC3\xB6he (AE)", SettingKind::Number, 2, DefaultFrom::Value, std::nullopt, Zero::Refused,
     "sky", "BREITExH\xC3\x96HE", 1, 1},
    {kKeyTempo, "Tempo (Schritte/s, 0 = so schnell wie m\xC3\xB6glich)", SettingKind::Number, kTempoDefault,
     DefaultFrom::Value, SettingRange{0, kTempoMax}, Zero::Allowed, "tempo", "SCHRITTE", 3, 2},
    {kKeySaveResults, "Ergebnisse speichern", SettingKind::Switch, 0, DefaultFrom::Value, std::nullopt, Zero::Allowed,
     "save", "", 4, 1},
    {kKeyRund, "Kreise rund zeichnen", SettingKind::Switch, 1, DefaultFrom::Value, std::nullopt, Zero::Allowed, "round",
     "", 5, 1},
    {kKeyAlleBildschirme, "Alle Bildschirme nutzen", SettingKind::Switch, 1, DefaultFrom::Value, std::nullopt,
     Zero::Allowed, "all-screens", "", 6, 1},
    // Locking belongs to the daemon on Linux: the module has no option for
    // it. Its own dialogs set it.
    {kKeyPasswort, "", SettingKind::Text, 0, DefaultFrom::Value, std::nullopt, Zero::Allowed, "", "", -1, 1},
};

// The row of `key`; nullptr for a key that is no setting.
inline const SettingInfo* FindSetting(const std::string& key) {
  for (const SettingInfo& setting : kSettingTable)
    if (setting.key == key) return &setting;
  return nullptr;
}

// The settings the options dialog shows, from its top row down.
inline std::vector<const SettingInfo*> SettingsInDialogOrder() {
  std::vector<const SettingInfo*> shown;
  for (const SettingInfo& setting : kSettingTable)
    if (setting.dialogRow >= 0) shown.push_back(&setting);
  std::stable_sort(shown.begin(), shown.end(),
                   [](const SettingInfo* a, const SettingInfo* b) { return a->dialogRow < b->dialogRow; });
  return shown;
}

}  // namespace zelor
