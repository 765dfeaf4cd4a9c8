#include "settings/options_form.h"

#include <array>
#include <cstddef>
#include <utility>

#include "common/file_system.h"
#include "common/quoted.h"

namespace zelor {
namespace {

const std::string kTitlePrefix = "Zelor2 - ";

struct FieldText {
  OptionsField field;
  const std::string* key;
  const std::string* text;
};

std::string NotANumberMessage(const FieldText& f, NumberLocale locale) {
  return NotANumberText(*f.key, *f.text) + " Bitte geben Sie eine Zahl ein, z. B. " + FormatNumber(2.5, locale) +
         ".";
}

// `kind` is "Zelor-Datei" or "Lagerdatei"; the earlier choice stays in use.
std::string NotStoredMessage(const std::string& kind, const std::string& chosen, const std::string& earlier) {
  return "Die " + kind + " " + Quoted(chosen) + " konnte nicht in den Einstellungen gespeichert werden. Die bisherige " +
         kind + " " + Quoted(earlier) + " gilt weiter.";
}

}  // namespace

FilePreset SplitPreset(const std::string& path) { return SplitPath(path); }

std::string OptionsForm::Title() const { return kTitlePrefix + settings_.ReadText(kKeyDatei); }

OptionsView OptionsForm::Form_Load() const {
  OptionsView view;
  view.txtBreite = settings_.ReadText(kKeyBreite);
  view.txtHoehe = settings_.ReadText(kKeyHoehe);
  view.txtIntervall = settings_.ReadText(kKeyIntervall);
  view.txtTempo = settings_.ReadText(kKeyTempo);
  // A stored text that is no truth value shows as unticked: "OK" then writes a clean False.
  view.chkSpeichern = settings_.ReadBool(kKeySaveResults).value_or(false) ? CheckState::Ticked : CheckState::Unticked;
  view.chkRund = ReadSwitch(settings_, kKeyRund) ? CheckState::Ticked : CheckState::Unticked;
  view.chkAlleBildschirme = ReadSwitch(settings_, kKeyAlleBildschirme) ? CheckState::Ticked : CheckState::Unticked;
  view.title = Title();
  return view;
}

OkOutcome OptionsForm::cmdOK_Click(const OptionsEntry& entry) {
  const std::array<FieldText, 4> fields{{
      {OptionsField::Breite, &kKeyBreite, &entry.txtBreite},
      {OptionsField::Hoehe, &kKeyHoehe, &entry.txtHoehe},
      {OptionsField::Intervall, &kKeyIntervall, &entry.txtIntervall},
      {OptionsField::Tempo, &kKeyTempo, &entry.txtTempo},
  }};

  // Every field is checked before anything is written, so that a typing
  // mistake in the last field never leaves the first ones half-saved.
  constexpr std::size_t kWrites = 7;
  std::array<std::pair<const std::string*, std::string>, kWrites> writes;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const auto number = ParseNumber(*fields[i].text, settings_.Locale());
    if (!number)
      return {OkOutcome::Kind::NotANumber, fields[i].field, NotANumberMessage(fields[i], settings_.Locale())};
    if (fields[i].field == OptionsField::Tempo && !TempoRangeText(*number).empty())
      return {OkOutcome::Kind::NotANumber, fields[i].field,
              TempoRangeText(*number) + " Bitte geben Sie " + TempoRangeAdvice() + " ein."};
    writes[i] = {fields[i].key, FormatNumber(*number, settings_.Locale())};
  }
  writes[4] = {&kKeySaveResults, FormatBool(entry.chkSpeichern != CheckState::Unticked)};
  writes[5] = {&kKeyRund, FormatBool(entry.chkRund != CheckState::Unticked)};
  writes[6] = {&kKeyAlleBildschirme, FormatBool(entry.chkAlleBildschirme != CheckState::Unticked)};

  // Should the store refuse a write, the keys written before it get their
  // earlier texts back, so the next run sees the old settings, not a mix.
  std::array<std::string, kWrites> before;
  for (std::size_t i = 0; i < writes.size(); ++i) before[i] = settings_.ReadText(*writes[i].first);
  for (std::size_t i = 0; i < writes.size(); ++i) {
    if (settings_.WriteText(*writes[i].first, writes[i].second)) continue;
    bool restored = true;
    for (std::size_t j = 0; j < i; ++j) restored = settings_.WriteText(*writes[j].first, before[j]) && restored;
    return {OkOutcome::Kind::NotSaved, OptionsField::Breite,
            restored ? "Die Einstellungen konnten nicht gespeichert werden. Es wurde nichts ge\xC3\xA4ndert."
                     : "Die Einstellungen konnten nicht vollst\xC3\xA4ndig gespeichert werden; einige Werte sind "
                       "schon ge\xC3\xA4ndert. Bitte w\xC3\xA4hlen Sie noch einmal \xE2\x80\x9EOK\xE2\x80\x9C."};
  }
  return {};
}

FileOutcome OptionsForm::cmdDatei_Click(const FileChooser& showOpenDialog) {
  const std::string earlier = settings_.ReadText(kKeyDatei);
  const auto chosen = showOpenDialog(earlier);
  if (!chosen) return {};
  // The title names the stored body file, so it changes only once the store has taken the choice.
  if (!settings_.WriteText(kKeyDatei, *chosen)) return {std::nullopt, NotStoredMessage("Zelor-Datei", *chosen, earlier)};
  return {kTitlePrefix + *chosen, std::string()};
}

FileOutcome OptionsForm::cmdSpeicher_Click(const FileChooser& showSaveDialog) {
  const std::string earlier = settings_.ReadText(kKeyResultsPath);
  const auto chosen = showSaveDialog(earlier);
  if (!chosen) return {};
  if (!settings_.WriteText(kKeyResultsPath, *chosen)) return {std::nullopt, NotStoredMessage("Lagerdatei", *chosen, earlier)};
  return {};
}

}  // namespace zelor
