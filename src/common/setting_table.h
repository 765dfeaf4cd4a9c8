// Every setting in one place: its key, what the user sees it as, its default,
// the numbers it takes and whether the step reads it. What every program
// shares, and nothing of how one of them presents it: the options dialog's
// rows are its own table (src/win32/options_ids.h), the Linux module's
// options another (src/x11/module/module_option_table.h). The options form,
// the run's set-up, the module's option parser and the messages all look a
// setting up here; a new setting starts with a row below.
#pragma once

#include <optional>
#include <string>

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
// Substeps computed for each drawn step; 1 is the classic step, bit for bit.
inline const std::string kKeyGenauigkeit = "Genauigkeit";
constexpr double kGenauigkeitMax = 1000;
// Gravity of large files from a tree rather than from every pair (on by default).
inline const std::string kKeyNaeherung = "Naeherung";

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

// Whether a number setting takes a number with a fraction, or whole numbers only.
enum class Fraction { Allowed, Refused };

// How a setting reaches the run. Step: the run's set-up reads it by its row
// into the run's values (RunValues), where the code that uses it looks it up
// by key; a new setting the step uses needs nothing between. Own: read where
// it is used (the sky, the interval and the files by the set-up, the tempo by
// the loop, the results by the end of the run) or not by the run at all.
enum class RunUse { Own, Step };

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
  Fraction fraction;
  RunUse run;
};

inline const SettingInfo kSettingTable[] = {
    // key, label, kind, default, default from, range, zero, fraction, run
    {kKeyDatei, "Zelor-Datei", SettingKind::Text, 0, DefaultFrom::BodyFile, std::nullopt, Zero::Allowed,
     Fraction::Allowed, RunUse::Own},
    {kKeyResultsPath, "Lagerdatei", SettingKind::Text, 0, DefaultFrom::ResultsFile, std::nullopt, Zero::Allowed,
     Fraction::Allowed, RunUse::Own},
    // 0 days a step stands still, and results saved after it would have lost
    // every body's speed; a negative interval runs time backwards.
    {kKeyIntervall, "Berechnungsintervall (Tage)", SettingKind::Number, 2, DefaultFrom::Value, std::nullopt,
     Zero::Refused, Fraction::Allowed, RunUse::Own},
    // A sky 0 AU across cannot be drawn; a negative width or height mirrors its axis.
    {kKeyBreite, "Bildschirmbreite (AE)", SettingKind::Number, 2, DefaultFrom::Value, std::nullopt, Zero::Refused,
     Fraction::Allowed, RunUse::Own},
    {kKeyHoehe, "Bildschirmh\xC3\xB6he (AE)", SettingKind::Number, 2, DefaultFrom::Value, std::nullopt, Zero::Refused,
     Fraction::Allowed, RunUse::Own},
    {kKeyTempo, "Tempo (Schritte/s, 0 = so schnell wie m\xC3\xB6glich)", SettingKind::Number, kTempoDefault,
     DefaultFrom::Value, SettingRange{0, kTempoMax}, Zero::Allowed, Fraction::Allowed, RunUse::Own},
    {kKeySaveResults, "Ergebnisse speichern", SettingKind::Switch, 0, DefaultFrom::Value, std::nullopt, Zero::Allowed,
     Fraction::Allowed, RunUse::Own},
    {kKeyRund, "Kreise rund zeichnen", SettingKind::Switch, 1, DefaultFrom::Value, std::nullopt, Zero::Allowed,
     Fraction::Allowed, RunUse::Own},
    {kKeyAlleBildschirme, "Alle Bildschirme nutzen", SettingKind::Switch, 1, DefaultFrom::Value, std::nullopt,
     Zero::Allowed, Fraction::Allowed, RunUse::Own},
    // A fourth-order scheme in that many substeps (docs/accuracy.md); past a
    // thousand, a large file would no longer keep pace with the screen.
    {kKeyGenauigkeit, "Genauigkeit (Teilschritte je Schritt)", SettingKind::Number, 1, DefaultFrom::Value,
     SettingRange{1, kGenauigkeitMax}, Zero::Allowed, Fraction::Refused, RunUse::Step},
    // From 4,096 bodies on, a tree's approximation keeps the default tempo
    // (docs/accuracy.md); below that, or off, every pair is computed.
    {kKeyNaeherung, "Gro\xC3\x9F" "e Systeme gen\xC3\xA4hert rechnen", SettingKind::Switch, 1, DefaultFrom::Value,
     std::nullopt, Zero::Allowed, Fraction::Allowed, RunUse::Step},
    // Set by the password dialogs alone.
    {kKeyPasswort, "", SettingKind::Text, 0, DefaultFrom::Value, std::nullopt, Zero::Allowed, Fraction::Allowed,
     RunUse::Own},
};

// The row of `key`; nullptr for a key that is no setting.
inline const SettingInfo* FindSetting(const std::string& key) {
  for (const SettingInfo& setting : kSettingTable)
    if (setting.key == key) return &setting;
  return nullptr;
}

}  // namespace zelor
