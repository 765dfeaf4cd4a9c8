#include "settings/options_form.h"
#include "settings/options_title.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <utility>

#include "memory_store.h"
#include "win32/options_ids.h"
#include "x11/module/module_option_table.h"

namespace zelor {
namespace {

const std::string kDefaultBody = "C:\\Users\\anna\\AppData\\Roaming\\Zelor2\\Voyager.zel";
const std::string kDefaultResults = "C:\\Users\\anna\\AppData\\Roaming\\Zelor2\\Temp.zel";

struct Dialog {
  Dialog() : settings(store, MakeDefaultPaths("C:\\Users\\anna\\AppData\\Roaming"), kGermanLocale), form(settings, win32::OptionsDialogRows()) {}
  MemoryStore store;
  Settings settings;
  OptionsForm form;
};

std::optional<Sky> NoSky(const std::string&, const Sky&) { return std::nullopt; }

// A file dialog that records its preset and answers as told.
struct FakeFileDialog {
  explicit FakeFileDialog(std::optional<std::string> answerToGive = std::nullopt) : answer(std::move(answerToGive)) {}
  std::optional<std::string> answer;
  std::string preset;
  int shown = 0;
  FileChooser Chooser() {
    return [this](const std::string& p) {
      preset = p;
      ++shown;
      return answer;
    };
  }
};

TEST(OptionsFormBodyFile, PresetsTheDialogWithTheStoredBodyFile) {
  Dialog d;
  FakeFileDialog open;
  d.form.cmdDatei_Click(open.Chooser(), NoSky, {});
  EXPECT_EQ(open.preset, kDefaultBody);

  d.store.values[kKeyDatei] = "D:\\Planeten\\Mars.zel";
  d.form.cmdDatei_Click(open.Chooser(), NoSky, {});
  EXPECT_EQ(open.preset, "D:\\Planeten\\Mars.zel");
}

TEST(OptionsFormBodyFile, AChoiceIsStoredAtOnceAndBecomesTheTitle) {
  Dialog d;
  FakeFileDialog open{"D:\\Sonne.zel"};
  const FileOutcome outcome = d.form.cmdDatei_Click(open.Chooser(), NoSky, {});
  EXPECT_EQ(outcome.title, "Zelor2 - D:\\Sonne.zel");
  EXPECT_EQ(outcome.message, "");
  EXPECT_EQ(d.store.values[kKeyDatei], "D:\\Sonne.zel");
  EXPECT_EQ(d.store.values.count(kKeyResultsPath), 0u);
  EXPECT_EQ(d.form.Form_Load().title, "Zelor2 - D:\\Sonne.zel");
}

TEST(OptionsFormBodyFile, ACancelChangesNothing) {
  Dialog d;
  d.store.values[kKeyDatei] = "D:\\Alt.zel";
  FakeFileDialog open{std::nullopt};
  const FileOutcome outcome = d.form.cmdDatei_Click(open.Chooser(), NoSky, {});
  EXPECT_EQ(open.shown, 1);
  EXPECT_EQ(outcome.title, std::nullopt);
  EXPECT_EQ(outcome.message, "");
  EXPECT_EQ(d.store.values.size(), 1u);
  EXPECT_EQ(d.store.values[kKeyDatei], "D:\\Alt.zel");
}

TEST(OptionsFormBodyFile, AChoiceTheStoreRefusesKeepsTheTitleAndSaysSo) {
  Dialog d;
  d.store.failWrites = true;
  FakeFileDialog open{"D:\\Sonne.zel"};
  const FileOutcome outcome = d.form.cmdDatei_Click(open.Chooser(), NoSky, {});
  EXPECT_EQ(outcome.title, std::nullopt);
  EXPECT_EQ(outcome.message, "Die Zelor-Datei \xE2\x80\x9E" "D:\\Sonne.zel\xE2\x80\x9C konnte nicht in den "
                             "Einstellungen gespeichert werden. Die bisherige Zelor-Datei \xE2\x80\x9E" +
                                 kDefaultBody + "\xE2\x80\x9C gilt weiter.");
  EXPECT_EQ(d.form.Form_Load().title, "Zelor2 - " + kDefaultBody);
}

// What the form asks the simulation for a chosen file, and what it answers.
struct FakeSkyFit {
  explicit FakeSkyFit(std::optional<Sky> answerToGive) : answer(answerToGive) {}
  std::optional<Sky> answer;
  std::string path;
  Sky shape;
  int asked = 0;
  BodyFileSky Fit() {
    return [this](const std::string& p, const Sky& s) {
      path = p, shape = s, ++asked;
      return answer;
    };
  }
};

// Another file brings its sky into the fields, in the shape they show and
// in the user's form of numbers; only "OK" stores it.
TEST(OptionsFormBodyFile, AnotherFileBringsItsSkyIntoTheFields) {
  const struct {
    const char* what;
    std::string breite, hoehe;
    Sky shape;
  } cases[] = {
      {"the fields' sky", "55,4", "-41,6", {55.4, -41.6}},
      {"a field that is no number: a square", "55,4", "abc", {1, 1}},
      {"a size of 0: a square", "0", "3", {1, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Dialog d;
    FakeFileDialog open{"D:\\BinaryStar.zel"};
    FakeSkyFit fit{Sky{1.61, -1.21}};
    const FileOutcome outcome =
        d.form.cmdDatei_Click(open.Chooser(), fit.Fit(), {{kKeyBreite, c.breite}, {kKeyHoehe, c.hoehe}});
    EXPECT_EQ(fit.path, "D:\\BinaryStar.zel");
    EXPECT_EQ(fit.shape.width, c.shape.width);
    EXPECT_EQ(fit.shape.height, c.shape.height);
    EXPECT_EQ(outcome.fields, (std::map<std::string, std::string>{{kKeyBreite, "1,61"}, {kKeyHoehe, "-1,21"}}));
    EXPECT_EQ(d.store.values.count(kKeyBreite), 0u);
    EXPECT_EQ(d.store.values.count(kKeyHoehe), 0u);
  }
}

// A cancel, the stored file chosen again (its sky grew round its bodies), a
// file that cannot be read and a choice the store refuses leave the fields.
TEST(OptionsFormBodyFile, TheFieldsStayWithoutANewFileWhoseSkyIsKnown) {
  const struct {
    const char* what;
    std::optional<std::string> chosen;
    std::optional<Sky> sky;
    bool storeRefuses;
  } cases[] = {
      {"a cancel", std::nullopt, Sky{1, 1}, false},
      {"the stored file again", kDefaultBody, Sky{1, 1}, false},
      {"a file that cannot be read", "D:\\Kaputt.zel", std::nullopt, false},
      {"a choice the store refuses", "D:\\Sonne.zel", Sky{1, 1}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Dialog d;
    d.store.failWrites = c.storeRefuses;
    FakeFileDialog open{c.chosen};
    FakeSkyFit fit{c.sky};
    const FileOutcome outcome = d.form.cmdDatei_Click(open.Chooser(), fit.Fit(), {{kKeyBreite, "2"}, {kKeyHoehe, "2"}});
    EXPECT_TRUE(outcome.fields.empty());
  }
}

TEST(OptionsFormResultsFile, PresetsTheDialogWithTheStoredResultsFile) {
  Dialog d;
  FakeFileDialog save;
  d.form.cmdSpeicher_Click(save.Chooser());
  EXPECT_EQ(save.preset, kDefaultResults);
}

TEST(OptionsFormResultsFile, AChoiceIsStoredAtOnceButLeavesTheTitle) {
  Dialog d;
  FakeFileDialog save{"E:\\Ergebnis.zel"};
  const FileOutcome outcome = d.form.cmdSpeicher_Click(save.Chooser());
  EXPECT_EQ(outcome.title, std::nullopt);
  EXPECT_EQ(outcome.message, "");
  EXPECT_EQ(d.store.values[kKeyResultsPath], "E:\\Ergebnis.zel");
  EXPECT_EQ(d.store.values.count(kKeyDatei), 0u);
  EXPECT_EQ(d.form.Form_Load().title, "Zelor2 - " + kDefaultBody);
}

TEST(OptionsFormResultsFile, ACancelChangesNothing) {
  Dialog d;
  FakeFileDialog save{std::nullopt};
  const FileOutcome outcome = d.form.cmdSpeicher_Click(save.Chooser());
  EXPECT_EQ(outcome.message, "");
  EXPECT_TRUE(d.store.values.empty());
}

TEST(OptionsFormResultsFile, AChoiceTheStoreRefusesIsReported) {
  Dialog d;
  d.store.failWrites = true;
  FakeFileDialog save{"E:\\Ergebnis.zel"};
  const std::string message = d.form.cmdSpeicher_Click(save.Chooser()).message;
  EXPECT_NE(message.find("E:\\Ergebnis.zel"), std::string::npos);
  EXPECT_NE(message.find("Die bisherige Lagerdatei \xE2\x80\x9E" + kDefaultResults + "\xE2\x80\x9C gilt weiter."),
            std::string::npos)
      << message;
}

TEST(FileDialogPreset, SplitsTheFolderFromTheName) {
  const FilePreset nested = SplitPreset("C:\\Users\\anna\\Voyager.zel");
  EXPECT_EQ(nested.folder, "C:\\Users\\anna");
  EXPECT_EQ(nested.name, "Voyager.zel");

  const FilePreset driveRoot = SplitPreset("F:\\Temp.zel");  // "F:" alone is F:'s current folder
  EXPECT_EQ(driveRoot.folder, "F:\\");
  EXPECT_EQ(driveRoot.name, "Temp.zel");

  const FilePreset bare = SplitPreset("Voyager.zel");
  EXPECT_EQ(bare.folder, "");
  EXPECT_EQ(bare.name, "Voyager.zel");

  const FilePreset folderOnly = SplitPreset("D:\\Planeten\\");
  EXPECT_EQ(folderOnly.folder, "D:\\Planeten");
  EXPECT_EQ(folderOnly.name, "");
}

// One unit a character, as a font of equal widths would draw them.
int Characters(const std::string& utf8) {
  int n = 0;
  for (const char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

TEST(OptionsTitle, ALongPathLosesFoldersFromItsMiddleAndKeepsTheFileName) {
  const std::string title = "Zelor2 - " + kDefaultBody;  // 57 characters
  const struct {
    int room;
    const char* shown;
  } cases[] = {
      {57, "Zelor2 - C:\\Users\\anna\\AppData\\Roaming\\Zelor2\\Voyager.zel"},
      {56, "Zelor2 - C:\\\xE2\x80\xA6\\anna\\AppData\\Roaming\\Zelor2\\Voyager.zel"},
      {40, "Zelor2 - C:\\\xE2\x80\xA6\\Roaming\\Zelor2\\Voyager.zel"},
      {30, "Zelor2 - C:\\\xE2\x80\xA6\\Voyager.zel"},
      // Not even that fits: the name stays whole all the same.
      {10, "Zelor2 - \xE2\x80\xA6\\Voyager.zel"},
  };
  for (const auto& c : cases) EXPECT_EQ(FitOptionsTitle(title, c.room, Characters), c.shown) << c.room;

  // Whatever the room, the title starts as it did, ends with the file name
  // and fits whenever "C:\…\Voyager.zel" does.
  for (int room = 0; room < 70; ++room) {
    const std::string fitted = FitOptionsTitle(title, room, Characters);
    EXPECT_EQ(fitted.rfind("Zelor2 - ", 0), 0u) << room;
    EXPECT_EQ(fitted.substr(fitted.size() - 12), "\\Voyager.zel") << room;
    if (room >= 25) {
      EXPECT_LE(Characters(fitted), room) << fitted;
    }
  }
  EXPECT_EQ(FitOptionsTitle("Zelor2 - /home/anna/a/b/Sonne.zel", 22, Characters), "Zelor2 - /\xE2\x80\xA6/Sonne.zel");
}

#ifndef _WIN32
std::string FileText(const std::string& path) {
  std::ifstream file(path);
  return std::string{std::istreambuf_iterator<char>(file), {}};
}

// The saver daemons' settings dialogs (xscreensaver-settings, Xfce's) offer
// the settings that have a module option, each in a form both read alike: a
// number as a choice of values the setting takes, its default among them and
// one choice left to the settings file (xscreensaver's spin buttons step in
// hundredths of their range, Xfce's hold whole numbers); a switch as a box
// whose tick adds the option away from its default (Xfce ticks nothing and
// takes arg-unset for the option to add); the body file as the one file
// (Xfce shows any other file, and a text, as a check box). So the sky and
// the results file are left to zelor2.conf.
TEST(SettingTable, MatchesTheDaemonsDescriptionOfTheModule) {
  const std::string xml = FileText(ZELOR_X11_DESCRIPTION);
  ASSERT_FALSE(xml.empty()) << ZELOR_X11_DESCRIPTION;
  std::map<std::string, std::vector<const SettingInfo*>> byOption;
  for (const ModuleOption& option : kModuleOptions)
    for (const std::string& key : option.keys) byOption[option.name].push_back(FindSetting(key));
  const std::set<std::string> leftToTheSettingsFile{"sky", "results"};
  const auto rowOf = [&byOption](const std::string& option) -> const SettingInfo* {
    const auto rows = byOption.find(option);
    return rows == byOption.end() || rows->second.size() != 1 ? nullptr : rows->second.front();
  };

  const std::regex element(R"(<(/?[\w]+)\s*([^>]*)>)"), attribute(R"(([\w-]+)="([^"]*)\")");
  const std::set<std::string> layout{"screensaver", "command", "_description", "hgroup", "vgroup"};
  std::set<std::string> offered;
  const SettingInfo* select = nullptr;  // the number the open <select> chooses
  std::string selectOption;             // and its option
  std::set<double> choices;
  int choicesLeftToTheFile = 0;
  for (std::sregex_iterator e(xml.begin(), xml.end(), element), end; e != end; ++e) {
    std::map<std::string, std::string> at;
    const std::string kind = (*e)[1], attributes = (*e)[2];
    for (std::sregex_iterator a(attributes.begin(), attributes.end(), attribute); a != end; ++a) at[(*a)[1]] = (*a)[2];
    const std::string argSet = at["arg-set"], name = argSet.empty() ? "" : argSet.substr(1, argSet.find(' ') - 1);
    if (layout.count(kind[0] == '/' ? kind.substr(1) : kind)) {
      continue;
    } else if (kind == "select") {
      select = nullptr, choices.clear(), choicesLeftToTheFile = 0;
    } else if (kind == "option" && argSet.empty()) {
      ++choicesLeftToTheFile;
    } else if (kind == "option") {
      const SettingInfo* row = rowOf(name);
      ASSERT_TRUE(row && row->kind == SettingKind::Number) << argSet << " chooses no number of the table";
      EXPECT_TRUE(!select || select == row) << argSet << " is not the option of its select's other choices";
      select = row;
      selectOption = name;
      const std::string text = argSet.substr(argSet.find(' ') + 1);
      std::size_t used = 0;
      const double value = std::stod(text, &used);
      EXPECT_EQ(used, text.size()) << argSet;
      EXPECT_EQ(CheckNumberSetting(row->key, text, kEnglishLocale).problem, NumberCheck::Problem::None)
          << argSet << " is a value the run refuses";
      choices.insert(value);
    } else if (kind == "/select") {
      ASSERT_NE(select, nullptr) << "a select with no choice";
      offered.insert(selectOption);
      EXPECT_EQ(choicesLeftToTheFile, 1) << "-" << selectOption << " needs one choice that adds nothing";
      EXPECT_EQ(choices.count(select->defaultValue), 1u) << "-" << selectOption << " lacks its default";
      EXPECT_GT(choices.size(), 2u) << "-" << selectOption;
    } else if (kind == "boolean") {
      EXPECT_EQ(at.count("arg-unset"), 0u) << argSet << ": Xfce adds arg-unset when ticked";
      const bool clears = name.compare(0, 3, "no-") == 0;
      const SettingInfo* row = rowOf(clears ? name.substr(3) : name);
      ASSERT_TRUE(row && row->kind == SettingKind::Switch) << argSet << " sets no switch of the table";
      EXPECT_EQ(clears, row->defaultValue != 0) << argSet << " is its switch's default";
      offered.insert(clears ? name.substr(3) : name);
    } else if (kind == "file") {
      EXPECT_EQ(at["id"], "file") << at["arg"] << ": Xfce shows a file of another id as a check box";
      const std::string option = at["arg"].substr(1, at["arg"].find(' ') - 1);
      const SettingInfo* row = rowOf(option);
      ASSERT_TRUE(row && row->kind == SettingKind::Text) << at["arg"];
      offered.insert(option);
    } else {
      ADD_FAILURE() << "<" << kind << " " << attributes << ">: not read alike by xscreensaver's and Xfce's dialogs";
    }
  }
  std::set<std::string> inTable, offeredOrLeft = leftToTheSettingsFile;
  for (const auto& row : byOption) inTable.insert(row.first);
  for (const std::string& option : offered) {
    EXPECT_EQ(leftToTheSettingsFile.count(option), 0u) << option;
    offeredOrLeft.insert(option);
  }
  EXPECT_EQ(offeredOrLeft, inTable);
}

// The options dialog's template shows every number setting as a label with
// the table's caption and a text field, every switch as a check box with it,
// and every text as a button "…...", through the ids the dialog maps to
// keys; it shows every setting the table gives a row, and nothing else but
// "OK" and "Abbrechen".
TEST(SettingTable, MatchesTheOptionsDialogsTemplate) {
  const std::string rc = FileText(ZELOR_WIN32_DIR "/options.rc"), ids = FileText(ZELOR_WIN32_DIR "/options_ids.h");
  ASSERT_FALSE(rc.empty() || ids.empty()) << ZELOR_WIN32_DIR;
  std::map<std::string, int> idOf{{"IDOK", 1}, {"IDCANCEL", 2}};
  const std::regex define(R"(#define (\w+) (\d+))");
  for (std::sregex_iterator d(ids.begin(), ids.end(), define), end; d != end; ++d) idOf[(*d)[1]] = std::stoi((*d)[2]);
  struct Control {
    std::string type, caption;
  };
  std::map<int, Control> controls;  // by id
  const std::regex line(R"re((LTEXT|EDITTEXT|AUTOCHECKBOX|PUSHBUTTON|DEFPUSHBUTTON)\s+(?:"([^"]*)",\s*)?(\w+))re");
  for (std::sregex_iterator l(rc.begin(), rc.end(), line), end; l != end; ++l) {
    ASSERT_TRUE(idOf.count((*l)[3])) << (*l)[3];
    controls[idOf[(*l)[3]]] = {(*l)[1], (*l)[2]};
  }
  const auto take = [&controls](int id, const std::string& type) {
    const auto found = controls.find(id);
    if (found == controls.end() || found->second.type != type) return std::string("(no ") + type + ")";
    const std::string caption = found->second.caption;
    controls.erase(found);
    return caption;
  };
  EXPECT_EQ(take(idOf["IDOK"], "DEFPUSHBUTTON"), "OK");
  EXPECT_EQ(take(idOf["IDCANCEL"], "PUSHBUTTON"), "Abbrechen");

  std::set<std::string> mapped;
  for (const win32::OptionsSettingControl& row : win32::kOptionsSettingControls) {
    const SettingInfo* setting = FindSetting(row.key);
    ASSERT_NE(setting, nullptr) << row.key;
    mapped.insert(row.key);
    if (setting->kind == SettingKind::Number) {
      EXPECT_EQ(take(row.label, "LTEXT"), setting->label + ":");
      EXPECT_EQ(take(row.control, "EDITTEXT"), "") << row.key;
    } else if (setting->kind == SettingKind::Switch) {
      EXPECT_EQ(take(row.control, "AUTOCHECKBOX"), setting->label);
    } else {
      EXPECT_EQ(take(row.control, "PUSHBUTTON"), setting->label + "...");
    }
  }
  for (const auto& [id, control] : controls)
    ADD_FAILURE() << "control " << id << " \"" << control.caption << "\" shows no setting";
}
#endif

// Each front end's table places every setting of the core's table, or names
// it as one it leaves out; and places nothing the core does not know. The
// dialog's right column holds the texts' buttons, its left the rest.
TEST(SettingTable, EveryFrontEndPlacesEverySettingOrLeavesItOutByName) {
  std::multiset<std::string> inDialog, inModule;
  for (const win32::OptionsSettingControl& row : win32::kOptionsSettingControls) {
    inDialog.insert(row.key);
    const SettingInfo* setting = FindSetting(row.key);
    ASSERT_NE(setting, nullptr) << row.key << " is in the options dialog, not in the settings table";
    EXPECT_EQ(row.column == OptionsColumn::Right, setting->kind == SettingKind::Text) << row.key;
  }
  for (const std::string* key : win32::kNotInTheOptionsDialog) inDialog.insert(*key);
  for (const ModuleOption& option : kModuleOptions)
    for (const std::string& key : option.keys) {
      inModule.insert(key);
      EXPECT_NE(FindSetting(key), nullptr) << "-" << option.name << " sets " << key << ", no setting";
    }
  for (const std::string* key : kNotModuleOptions) inModule.insert(*key);
  for (const SettingInfo& setting : kSettingTable) {
    EXPECT_EQ(inDialog.count(setting.key), 1u) << setting.key << ": in the options dialog's table, or left out by name";
    EXPECT_EQ(inModule.count(setting.key), 1u) << setting.key << ": in the module's table, or left out by name";
  }
  EXPECT_EQ(inDialog.size(), std::size(kSettingTable));
  EXPECT_EQ(inModule.size(), std::size(kSettingTable));
}

}  // namespace
}  // namespace zelor
