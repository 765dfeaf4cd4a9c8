#include "settings/options_form.h"

#include <cstddef>
#include <utility>
#include <vector>

#include "common/file_system.h"
#include "common/quoted.h"

namespace zelor {
namespace {

const std::string kTitlePrefix = "Zelor2 - ";

// The field's reason and what it takes; for a text that is no number, with
// an example in the user's form.
std::string RefusalMessage(const NumberCheck& check, NumberLocale locale) {
  const std::string example =
      check.problem == NumberCheck::Problem::NoNumber ? ", z. B. " + FormatNumber(2.5, locale) : std::string();
  return check.why + " Bitte geben Sie " + check.takes + " ein" + example + ".";
}

template <typename Value>
Value Find(const std::map<std::string, Value>& values, const std::string& key, Value absent) {
  const auto found = values.find(key);
  return found == values.end() ? absent : found->second;
}

// `kind` is the file's label, "Zelor-Datei" or "Lagerdatei"; the earlier choice stays in use.
std::string NotStoredMessage(const std::string& kind, const std::string& chosen, const std::string& earlier) {
  return "Die " + kind + " " + Quoted(chosen) + " konnte nicht in den Einstellungen gespeichert werden. Die bisherige " +
         kind + " " + Quoted(earlier) + " gilt weiter.";
}

}  // namespace

FilePreset SplitPreset(const std::string& path) { return SplitPath(path); }

std::string OptionsForm::Title() const { return kTitlePrefix + settings_.ReadText(kKeyDatei); }

OptionsView OptionsForm::Form_Load() const {
  OptionsView view;
  for (const OptionsRow* row : LeftColumnFromTheTop(rows_)) {
    const SettingInfo* setting = FindSetting(row->key);
    if (!setting) continue;
    if (setting->kind == SettingKind::Number)
      view.fields[setting->key] = row->suggestion && !settings_.Stored(setting->key)
                                      ? FormatNumber(*row->suggestion, settings_.Locale())
                                      : settings_.ReadText(setting->key);
    // A stored text that is no truth value shows as the default: "OK" then writes a clean truth value.
    if (setting->kind == SettingKind::Switch)
      view.boxes[setting->key] = ReadSwitch(settings_, setting->key) ? CheckState::Ticked : CheckState::Unticked;
  }
  view.title = Title();
  return view;
}

OkOutcome OptionsForm::cmdOK_Click(const OptionsEntry& entry) {
  // Every field is checked before anything is written, so that a typing
  // mistake in the last field never leaves the first ones half-saved. The
  // first field from the top that is wrong gets the focus.
  std::vector<std::pair<std::string, std::string>> writes;
  for (const OptionsRow* row : LeftColumnFromTheTop(rows_)) {
    const SettingInfo* found = FindSetting(row->key);
    if (!found) continue;
    const SettingInfo& setting = *found;
    if (setting.kind == SettingKind::Switch)
      writes.emplace_back(setting.key, FormatBool(Find(entry.boxes, setting.key, CheckState::Unticked) !=
                                                  CheckState::Unticked));
    if (setting.kind != SettingKind::Number) continue;
    // The rules of the setting's row, as the run applies them: what the
    // dialog stores, the next run takes.
    const NumberCheck check =
        CheckNumberSetting(setting.key, Find(entry.fields, setting.key, std::string()), settings_.Locale());
    if (check.problem != NumberCheck::Problem::None)
      return {OkOutcome::Kind::NotANumber, setting.key, RefusalMessage(check, settings_.Locale())};
    writes.emplace_back(setting.key, FormatNumber(check.value, settings_.Locale()));
  }

  // Should the store refuse a write, the keys written before it get their
  // earlier texts back, so the next run sees the old settings, not a mix.
  std::vector<std::string> before;
  for (const auto& write : writes) before.push_back(settings_.ReadText(write.first));
  for (std::size_t i = 0; i < writes.size(); ++i) {
    if (settings_.WriteText(writes[i].first, writes[i].second)) continue;
    bool restored = true;
    for (std::size_t j = 0; j < i; ++j) restored = settings_.WriteText(writes[j].first, before[j]) && restored;
    return {OkOutcome::Kind::NotSaved, std::string(),
            restored ? "Die Einstellungen konnten nicht gespeichert werden. Es wurde nichts ge\xC3\xA4ndert."
                     : "Die Einstellungen konnten nicht vollst\xC3\xA4ndig gespeichert werden; einige Werte sind "
                       "schon ge\xC3\xA4ndert. Bitte w\xC3\xA4hlen Sie noch einmal \xE2\x80\x9EOK\xE2\x80\x9C."};
  }
  return {};
}

FileOutcome OptionsForm::cmdDatei_Click(const FileChooser& showOpenDialog, const BodyFileSky& skyFor,
                                        const std::map<std::string, std::string>& shownFields) {
  const std::string earlier = settings_.ReadText(kKeyDatei);
  const auto chosen = showOpenDialog(earlier);
  if (!chosen) return {};
  // The title names the stored body file, so it changes only once the store has taken the choice.
  if (!settings_.WriteText(kKeyDatei, *chosen)) return {std::nullopt, NotStoredMessage(FieldLabel(kKeyDatei), *chosen, earlier), {}};
  FileOutcome outcome{kTitlePrefix + *chosen, std::string(), {}};
  // The sky a run of the old file grew to would show other bodies as a dot,
  // or cut them off; the stored file keeps its own.
  if (*chosen == earlier) return outcome;
  const NumberLocale locale = settings_.Locale();
  const Sky shape = ShapeOf(ParseNumber(Find(shownFields, kKeyBreite, std::string()), locale),
                            ParseNumber(Find(shownFields, kKeyHoehe, std::string()), locale));
  if (const auto sky = skyFor(*chosen, shape)) {
    outcome.fields[kKeyBreite] = FormatNumber(sky->width, locale);
    outcome.fields[kKeyHoehe] = FormatNumber(sky->height, locale);
  }
  return outcome;
}

FileOutcome OptionsForm::cmdSpeicher_Click(const FileChooser& showSaveDialog) {
  const std::string earlier = settings_.ReadText(kKeyResultsPath);
  const auto chosen = showSaveDialog(earlier);
  if (!chosen) return {};
  if (!settings_.WriteText(kKeyResultsPath, *chosen)) return {std::nullopt, NotStoredMessage(FieldLabel(kKeyResultsPath), *chosen, earlier), {}};
  return {};
}

}  // namespace zelor
