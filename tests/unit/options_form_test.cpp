#include "settings/options_form.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <string>

#include "common/zelor_error.h"
#include "memory_store.h"
#include "shell/run_setup.h"
#include "win32/options_ids.h"

namespace zelor {
namespace {

const char* const kAppData = "C:\\Users\\anna\\AppData\\Roaming";
const std::string kDefaultBody = "C:\\Users\\anna\\AppData\\Roaming\\Zelor2\\Voyager.zel";
const std::string kDefaultResults = "C:\\Users\\anna\\AppData\\Roaming\\Zelor2\\Temp.zel";

// An options dialog over a store of its own, in the given locale.
struct Dialog {
  explicit Dialog(NumberLocale locale = kGermanLocale)
      : settings(store, MakeDefaultPaths(kAppData), locale), form(settings, win32::OptionsDialogRows()) {}
  MemoryStore store;
  Settings settings;
  OptionsForm form;
};

// Every other field and box as a fresh dialog shows it.
OptionsEntry Entry(std::string breite, std::string hoehe, std::string intervall,
                   CheckState box = CheckState::Unticked, std::string tempo = "0") {
  const OptionsView fresh = Dialog().form.Form_Load();
  OptionsEntry entry{fresh.fields, fresh.boxes};
  entry.fields[kKeyBreite] = std::move(breite);
  entry.fields[kKeyHoehe] = std::move(hoehe);
  entry.fields[kKeyIntervall] = std::move(intervall);
  entry.fields[kKeyTempo] = std::move(tempo);
  entry.boxes[kKeySaveResults] = box;
  return entry;
}

TEST(OptionsFormLoad, FreshStoreShowsTheDefaults) {
  Dialog d;
  const OptionsView view = d.form.Form_Load();
  EXPECT_EQ(view.fields.at(kKeyBreite), "2");
  EXPECT_EQ(view.fields.at(kKeyHoehe), "2");
  EXPECT_EQ(view.fields.at(kKeyIntervall), "2");
  EXPECT_EQ(view.fields.at(kKeyTempo), "60");  // one step a frame
  // The suggestion, while the run without a stored value keeps the classic step.
  EXPECT_EQ(view.fields.at(kKeyGenauigkeit), "16");
  EXPECT_EQ(ReadRunConfig(d.settings).values.Number(kKeyGenauigkeit), 1);
  EXPECT_EQ(view.boxes.at(kKeySaveResults), CheckState::Unticked);
  EXPECT_EQ(view.boxes.at(kKeyRund), CheckState::Ticked);
  EXPECT_EQ(view.boxes.at(kKeyAlleBildschirme), CheckState::Ticked);
  EXPECT_EQ(view.boxes.at(kKeyNaeherung), CheckState::Ticked);
  EXPECT_EQ(view.title, "Zelor2 - " + kDefaultBody);
}

TEST(OptionsFormLoad, ShowsStoredTextsWithoutReformatting) {
  Dialog d;
  d.store.values = {{kKeyBreite, " 2,50 "}, {kKeyHoehe, "abc"}, {kKeyIntervall, ""}, {kKeyDatei, "D:\\Sonne.zel"},
                    {kKeyGenauigkeit, "1"}};
  const OptionsView view = d.form.Form_Load();
  EXPECT_EQ(view.fields.at(kKeyGenauigkeit), "1");
  EXPECT_EQ(view.fields.at(kKeyBreite), " 2,50 ");
  EXPECT_EQ(view.fields.at(kKeyHoehe), "abc");
  EXPECT_EQ(view.fields.at(kKeyIntervall), "");
  EXPECT_EQ(view.title, "Zelor2 - D:\\Sonne.zel");
}

TEST(OptionsFormLoad, TicksTheBoxForEveryTrueText) {
  for (const char* text : {"True", "TRUE", "true", "1", "-1", "2,5"}) {
    Dialog d;
    d.store.values[kKeySaveResults] = text;
    EXPECT_EQ(d.form.Form_Load().boxes.at(kKeySaveResults), CheckState::Ticked) << text;
  }
}

TEST(OptionsFormLoad, LeavesTheBoxUntickedForFalseAndForTextsThatAreNoTruthValue) {
  for (const char* text : {"False", "false", "0", "", "ja", "Wahr", "2.5"}) {
    Dialog d;
    d.store.values[kKeySaveResults] = text;
    EXPECT_EQ(d.form.Form_Load().boxes.at(kKeySaveResults), CheckState::Unticked) << text;
  }
}

// Both are on by default, so a text that is no truth value shows them ticked,
// as the run reads it.
TEST(OptionsFormLoad, TheRoundAndAllScreensBoxesShowTheirSettingAndTheDefaultForOtherTexts) {
  const std::pair<const char*, CheckState> cases[] = {
      {"False", CheckState::Unticked}, {"0", CheckState::Unticked}, {"True", CheckState::Ticked},
      {"ja", CheckState::Ticked},      {"", CheckState::Ticked}};
  for (const auto& [text, box] : cases) {
    Dialog d;
    d.store.values[kKeyRund] = d.store.values[kKeyAlleBildschirme] = text;
    EXPECT_EQ(d.form.Form_Load().boxes.at(kKeyRund), box) << text;
    EXPECT_EQ(d.form.Form_Load().boxes.at(kKeyAlleBildschirme), box) << text;
  }
}

TEST(OptionsFormOk, StoresTheNormalisedNumbersAndShowsThemNextTime) {
  Dialog german(kGermanLocale);
  EXPECT_EQ(german.form.cmdOK_Click(Entry(" 2,50 ", "003", "0,250")).kind, OkOutcome::Kind::Saved);
  EXPECT_EQ(german.store.values[kKeyBreite], "2,5");
  EXPECT_EQ(german.store.values[kKeyHoehe], "3");
  EXPECT_EQ(german.store.values[kKeyIntervall], "0,25");
  EXPECT_EQ(german.form.Form_Load().fields.at(kKeyBreite), "2,5");

  Dialog english(kEnglishLocale);
  EXPECT_EQ(english.form.cmdOK_Click(Entry(" 2.50 ", "1e3", "-.5")).kind, OkOutcome::Kind::Saved);
  EXPECT_EQ(english.store.values[kKeyBreite], "2.5");
  EXPECT_EQ(english.store.values[kKeyHoehe], "1000");
  EXPECT_EQ(english.store.values[kKeyIntervall], "-0.5");
  EXPECT_EQ(english.form.Form_Load().fields.at(kKeyBreite), "2.5");
}

// A negative sky is mirrored and a negative interval runs time backwards; a
// huge interval stops the run at its first step with a message of its own.
TEST(OptionsFormOk, StoresNegativeAndHugeSizesAndIntervals) {
  Dialog d(kEnglishLocale);
  EXPECT_EQ(d.form.cmdOK_Click(Entry("-1e-300", "-7", "1e300")).kind, OkOutcome::Kind::Saved);
  EXPECT_EQ(d.store.values[kKeyBreite], "-1E-300");
  EXPECT_EQ(d.store.values[kKeyHoehe], "-7");
  EXPECT_EQ(d.store.values[kKeyIntervall], "1E+300");
  EXPECT_EQ(d.form.cmdOK_Click(Entry("1e300", "2", "-0.5")).kind, OkOutcome::Kind::Saved);
  EXPECT_EQ(d.store.values[kKeyIntervall], "-0.5");
}

// What "OK" stores, the next run takes, and what the run refuses, "OK" refuses.
TEST(OptionsFormOk, StoresExactlyTheNumbersTheNextRunTakes) {
  for (const char* text : {"0", "-0", "0,0", "1e-400", "1e400", "-1e400", "-3", "2,5", "1e300", "10000001", "x"}) {
    for (const win32::OptionsSettingControl& row : win32::kOptionsSettingControls) {
      const SettingInfo* setting = FindSetting(row.key);
      if (setting->kind != SettingKind::Number) continue;
      Dialog d;
      OptionsEntry entry = Entry("2", "2", "2");
      entry.fields[setting->key] = text;
      const bool stored = d.form.cmdOK_Click(entry).kind == OkOutcome::Kind::Saved;
      MemoryStore store;
      store.values[setting->key] = text;
      const Settings settings(store, MakeDefaultPaths(kAppData), kGermanLocale);
      bool taken = true;
      try {
        ReadRunConfig(settings);
        ReadTempo(settings);
      } catch (const ZelorError&) {
        taken = false;
      }
      EXPECT_EQ(stored, taken) << setting->key << " " << text;
    }
  }
}

TEST(OptionsFormOk, StoresATempoFromZeroToTenMillionAndRefusesOthersWritingNothing) {
  Dialog d;
  EXPECT_EQ(d.form.cmdOK_Click(Entry("2", "2", "2", CheckState::Unticked, " 0,50 ")).kind, OkOutcome::Kind::Saved);
  EXPECT_EQ(d.store.values[kKeyTempo], "0,5");
  EXPECT_EQ(d.form.Form_Load().fields.at(kKeyTempo), "0,5");
  EXPECT_EQ(d.form.cmdOK_Click(Entry("2", "2", "2", CheckState::Unticked, "1e7")).kind, OkOutcome::Kind::Saved);
  EXPECT_EQ(d.store.values[kKeyTempo], "10000000");

  const std::pair<const char*, const char*> refused[] = {
      {"-1", "\xE2\x80\x9ETempo (Schritte/s, 0 = so schnell wie m\xC3\xB6glich)\xE2\x80\x9C darf nicht negativ sein. "
             "Bitte geben Sie eine Zahl von 0 bis 10000000 ein."},
      {"10000000,5", "darf h\xC3\xB6" "chstens 10000000 sein."},
      {"1e400", "ist zu gro\xC3\x9F: \xE2\x80\x9E" "1e400\xE2\x80\x9C. Bitte geben Sie eine Zahl von 0 bis 10000000 ein."},
      {"schnell", "enth\xC3\xA4lt keine Zahl"},
  };
  for (const auto& [tempo, message] : refused) {
    Dialog fresh;
    const OkOutcome outcome = fresh.form.cmdOK_Click(Entry("3", "3", "3", CheckState::Ticked, tempo));
    EXPECT_EQ(outcome.kind, OkOutcome::Kind::NotANumber) << tempo;
    EXPECT_EQ(outcome.field, kKeyTempo) << tempo;
    EXPECT_NE(outcome.message.find(message), std::string::npos) << outcome.message;
    EXPECT_TRUE(fresh.store.values.empty()) << tempo;
    // Every number the message asks for is one the field takes.
    const std::regex number("[0-9]+([.,][0-9]+)*");
    for (std::sregex_iterator it(outcome.message.begin(), outcome.message.end(), number), end; it != end; ++it)
      EXPECT_TRUE(ParseNumber(it->str(), fresh.settings.Locale())) << it->str() << " in " << outcome.message;
  }
}

TEST(OptionsFormOk, TickedAndGreyWriteTrueUntickedWritesFalse) {
  const std::pair<CheckState, const char*> cases[] = {
      {CheckState::Ticked, "True"}, {CheckState::Grey, "True"}, {CheckState::Unticked, "False"}};
  for (const auto& [box, text] : cases) {
    Dialog d;
    OptionsEntry entry = Entry("2", "2", "2", box);
    entry.boxes[kKeyRund] = entry.boxes[kKeyAlleBildschirme] = box;
    EXPECT_EQ(d.form.cmdOK_Click(entry).kind, OkOutcome::Kind::Saved);
    EXPECT_EQ(d.store.values[kKeySaveResults], text);
    EXPECT_EQ(d.store.values[kKeyRund], text);
    EXPECT_EQ(d.store.values[kKeyAlleBildschirme], text);
  }
}

TEST(OptionsFormOk, LeavesTheFilesAlone) {
  Dialog d;
  d.form.cmdOK_Click(Entry("2", "2", "2", CheckState::Ticked));
  EXPECT_EQ(d.store.values.count(kKeyDatei), 0u);
  EXPECT_EQ(d.store.values.count(kKeyResultsPath), 0u);
}

TEST(OptionsFormOk, ATextItsRowRefusesWritesNothingAndNamesThatField) {
  struct Case {
    OptionsEntry entry;
    std::string field;
    const char* message;
  };
  const Case cases[] = {
      {Entry("abc", "2", "2"), kKeyBreite,
       "\xE2\x80\x9E" "Bildschirmbreite (AE)\xE2\x80\x9C enth\xC3\xA4lt keine Zahl: \xE2\x80\x9E" "abc\xE2\x80\x9C. "
       "Bitte geben Sie eine Zahl ungleich 0 ein, z. B. 2,5."},
      {Entry("2", "2.5", "2"), kKeyHoehe,
       "\xE2\x80\x9E" "Bildschirmh\xC3\xB6he (AE)\xE2\x80\x9C enth\xC3\xA4lt keine Zahl: "
       "\xE2\x80\x9E" "2.5\xE2\x80\x9C. "
       "Bitte geben Sie eine Zahl ungleich 0 ein, z. B. 2,5."},
      {Entry("2", "2", "  "), kKeyIntervall,
       "\xE2\x80\x9E" "Berechnungsintervall (Tage)\xE2\x80\x9C ist leer. Bitte geben Sie eine Zahl ungleich 0 ein, "
       "z. B. 2,5."},
      // The run refuses a sky or an interval of 0, so the dialog does.
      {Entry("0", "2", "2"), kKeyBreite,
       "\xE2\x80\x9E" "Bildschirmbreite (AE)\xE2\x80\x9C darf nicht 0 sein. Bitte geben Sie eine Zahl ungleich 0 ein."},
      {Entry("2", "-0,0", "2"), kKeyHoehe,
       "\xE2\x80\x9E" "Bildschirmh\xC3\xB6he (AE)\xE2\x80\x9C darf nicht 0 sein. Bitte geben Sie eine Zahl ungleich 0 ein."},
      {Entry("2", "2", "0"), kKeyIntervall,
       "\xE2\x80\x9E" "Berechnungsintervall (Tage)\xE2\x80\x9C darf nicht 0 sein. Bitte geben Sie eine Zahl ungleich 0 "
       "ein."},
      // A number, only too large for a double.
      {Entry("1e400", "2", "2"), kKeyBreite,
       "\xE2\x80\x9E" "Bildschirmbreite (AE)\xE2\x80\x9C ist zu gro\xC3\x9F: \xE2\x80\x9E" "1e400\xE2\x80\x9C. "
       "Bitte geben Sie eine Zahl ungleich 0 ein."},
      // Of two wrong fields the upper one is named and gets the focus.
      {Entry("2", "x", "  ", CheckState::Unticked, "-1"), kKeyHoehe,
       "\xE2\x80\x9E" "Bildschirmh\xC3\xB6he (AE)\xE2\x80\x9C enth\xC3\xA4lt keine Zahl: \xE2\x80\x9E" "x\xE2\x80\x9C. "
       "Bitte geben Sie eine Zahl ungleich 0 ein, z. B. 2,5."},
  };
  for (const Case& c : cases) {
    Dialog d(kGermanLocale);
    d.store.values[kKeySaveResults] = "True";
    const OkOutcome outcome = d.form.cmdOK_Click(c.entry);
    EXPECT_EQ(outcome.kind, OkOutcome::Kind::NotANumber);
    EXPECT_EQ(outcome.field, c.field);
    EXPECT_EQ(outcome.message, c.message);
    EXPECT_EQ(d.store.values.size(), 1u) << "something was written";
  }
}

TEST(OptionsFormOk, ItsExampleNumberUsesTheLocaleSeparator) {
  Dialog d(kEnglishLocale);
  const std::string message = d.form.cmdOK_Click(Entry("2,5", "2", "2")).message;
  EXPECT_NE(message.find("z. B. 2.5."), std::string::npos) << message;
}

TEST(OptionsFormOk, CutsALongTypedTextInItsMessage) {
  Dialog d;
  const std::string message = d.form.cmdOK_Click(Entry(std::string(5000, 'x'), "2", "2")).message;
  EXPECT_LT(message.size(), 200u);
  EXPECT_NE(message.find(std::string(40, 'x') + "\xE2\x80\xA6\xE2\x80\x9C"), std::string::npos) << message;
  const std::string whole = d.form.cmdOK_Click(Entry(std::string(40, 'x'), "2", "2")).message;  // 40 fit
  EXPECT_NE(whole.find(std::string(40, 'x') + "\xE2\x80\x9C"), std::string::npos) << whole;
}

// Refuses the write with the given number (counted from 0), or every
// write from that one on.
class RefusingStore : public MemoryStore {
 public:
  bool Write(const std::string& key, const std::string& text) override {
    const int number = writes++;
    if (number == refused || (refuseAllLater && number > refused)) return false;
    return MemoryStore::Write(key, text);
  }
  int writes = 0;
  int refused = -1;
  bool refuseAllLater = false;
};

const std::map<std::string, std::string> kEarlierValues = {
    {kKeyBreite, "7"}, {kKeyHoehe, "8"}, {kKeyIntervall, "9"}, {kKeyTempo, "10"}, {kKeySaveResults, "False"}};

TEST(OptionsFormOk, ARefusedWritePutsBackWhatWasWrittenBeforeIt) {
  for (int refused = 0; refused < 5; ++refused) {
    RefusingStore store;
    store.values = kEarlierValues;
    store.refused = refused;
    Settings settings(store, MakeDefaultPaths(kAppData), kGermanLocale);
    OptionsForm form(settings, win32::OptionsDialogRows());
    const OkOutcome outcome = form.cmdOK_Click(Entry("1", "2", "3", CheckState::Ticked));
    EXPECT_EQ(outcome.kind, OkOutcome::Kind::NotSaved) << refused;
    EXPECT_NE(outcome.message.find("nichts ge\xC3\xA4ndert"), std::string::npos) << outcome.message;
    EXPECT_EQ(store.values, kEarlierValues) << refused;
  }
}

TEST(OptionsFormOk, SaysSoWhenTheEarlierValuesCannotBePutBack) {
  RefusingStore store;
  store.values = kEarlierValues;
  store.refused = 2;
  store.refuseAllLater = true;
  Settings settings(store, MakeDefaultPaths(kAppData), kGermanLocale);
  OptionsForm form(settings, win32::OptionsDialogRows());
  const OkOutcome outcome = form.cmdOK_Click(Entry("1", "2", "3"));
  EXPECT_EQ(outcome.kind, OkOutcome::Kind::NotSaved);
  EXPECT_NE(outcome.message.find("nicht vollst\xC3\xA4ndig"), std::string::npos) << outcome.message;
}

}  // namespace
}  // namespace zelor
