#include "settings/options_form.h"

#include <array>
#include <cstddef>
#include <utility>

#include "common/quoted.h"

namespace zelor {
namespace {

const std::string kTitlePrefix = "Zelor2 - ";

struct FieldText {
  OptionsField field;
  const std::string* key;
  const char* label;  // the label's caption without the colon
  const std::string* text;
};

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

std::string NotANumberMessage(const FieldText& f, NumberLocale locale) {
  const std::string field = Quoted(f.label);
  const std::string what =
      IsBlank(*f.text) ? field + " ist leer." : field + " enth\xC3\xA4lt keine Zahl: " + QuotedShort(*f.text) + ".";
  return what + " Bitte eine Zahl eingeben, z. B. " + FormatNumber(2.5, locale) + ".";
}

std::string NotStoredMessage(const std::string& what, const std::string& path) {
  return what + " " + Quoted(path) + " konnte nicht in den Einstellungen gespeichert werden.";
}

}  // namespace

FilePreset SplitPreset(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  if (cut == std::string::npos) return {std::string(), path};
  // "C:\x.zel" starts in "C:\", not in "C:", which means the drive's current folder.
  const std::size_t folderEnd = (cut == 2 && path[1] == ':') || cut == 0 ? cut + 1 : cut;
  return {path.substr(0, folderEnd), path.substr(cut + 1)};
}

std::string OptionsForm::Title() const { return kTitlePrefix + settings_.ReadText(kKeyDatei); }

OptionsView OptionsForm::Form_Load() const {
  OptionsView view;
  view.txtBreite = settings_.ReadText(kKeyBreite);
  view.txtHoehe = settings_.ReadText(kKeyHoehe);
  view.txtIntervall = settings_.ReadText(kKeyIntervall);
  // A stored text that is no truth value shows as unticked: "OK" then writes a clean False.
  view.chkSpeichern = settings_.ReadBool(kKeySpeichern).value_or(false) ? CheckState::Ticked : CheckState::Unticked;
  view.title = Title();
  return view;
}

OkOutcome OptionsForm::cmdOK_Click(const OptionsEntry& entry) {
  const std::array<FieldText, 3> fields{{
      {OptionsField::Breite, &kKeyBreite, "Bildschirmbreite (AE)", &entry.txtBreite},
      {OptionsField::Hoehe, &kKeyHoehe, "Bildschirmh\xC3\xB6he (AE)", &entry.txtHoehe},
      {OptionsField::Intervall, &kKeyIntervall, "Berechnungsintervall (Tage)", &entry.txtIntervall},
  }};

  // Every field is checked before anything is written, so that a typing
  // mistake in the last field never leaves the first ones half-saved.
  std::array<std::pair<const std::string*, std::string>, 4> writes;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const auto number = ParseNumber(*fields[i].text, settings_.Locale());
    if (!number)
      return {OkOutcome::Kind::NotANumber, fields[i].field, NotANumberMessage(fields[i], settings_.Locale())};
    writes[i] = {fields[i].key, FormatNumber(*number, settings_.Locale())};
  }
  writes[3] = {&kKeySpeichern, FormatBool(entry.chkSpeichern != CheckState::Unticked)};

  // Should the store refuse a write, the keys written before it get their
  // earlier texts back, so the next run sees the old settings, not a mix.
  std::array<std::string, 4> before;
  for (std::size_t i = 0; i < writes.size(); ++i) before[i] = settings_.ReadText(*writes[i].first);
  for (std::size_t i = 0; i < writes.size(); ++i) {
    if (settings_.WriteText(*writes[i].first, writes[i].second)) continue;
    bool restored = true;
    for (std::size_t j = 0; j < i; ++j) restored = settings_.WriteText(*writes[j].first, before[j]) && restored;
    return {OkOutcome::Kind::NotSaved, OptionsField::Breite,
            restored ? "Die Einstellungen konnten nicht gespeichert werden. Es wurde nichts ge\xC3\xA4ndert."
                     : "Die Einstellungen konnten nicht vollst\xC3\xA4ndig gespeichert werden; einige Werte sind "
                       "schon ge\xC3\xA4ndert. Bitte noch einmal \xE2\x80\x9EOK\xE2\x80\x9C w\xC3\xA4hlen."};
  }
  return {};
}

FileOutcome OptionsForm::cmdDatei_Click(const FileChooser& showOpenDialog) {
  const auto chosen = showOpenDialog(settings_.ReadText(kKeyDatei));
  if (!chosen) return {};
  // The title names the stored body file, so it changes only once the store has taken the choice.
  if (!settings_.WriteText(kKeyDatei, *chosen))
    return {std::nullopt, NotStoredMessage("Die Zelor-Datei", *chosen)};
  return {kTitlePrefix + *chosen, std::string()};
}

FileOutcome OptionsForm::cmdSpeicher_Click(const FileChooser& showSaveDialog) {
  const auto chosen = showSaveDialog(settings_.ReadText(kKeySpeicher));
  if (!chosen) return {};
  if (!settings_.WriteText(kKeySpeicher, *chosen))
    return {std::nullopt, NotStoredMessage("Die Lagerdatei", *chosen)};
  return {};
}

}  // namespace zelor
