#include "settings/options_form.h"
#include "settings/options_title.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "memory_store.h"

namespace zelor {
namespace {

const std::string kDefaultBody = "C:\\Users\\anna\\AppData\\Roaming\\Zelor2\\Voyager.zel";
const std::string kDefaultResults = "C:\\Users\\anna\\AppData\\Roaming\\Zelor2\\Temp.zel";

struct Dialog {
  Dialog() : settings(store, MakeDefaultPaths("C:\\Users\\anna\\AppData\\Roaming"), kGermanLocale), form(settings) {}
  MemoryStore store;
  Settings settings;
  OptionsForm form;
};

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
  d.form.cmdDatei_Click(open.Chooser());
  EXPECT_EQ(open.preset, kDefaultBody);

  d.store.values[kKeyDatei] = "D:\\Planeten\\Mars.zel";
  d.form.cmdDatei_Click(open.Chooser());
  EXPECT_EQ(open.preset, "D:\\Planeten\\Mars.zel");
}

TEST(OptionsFormBodyFile, AChoiceIsStoredAtOnceAndBecomesTheTitle) {
  Dialog d;
  FakeFileDialog open{"D:\\Sonne.zel"};
  const FileOutcome outcome = d.form.cmdDatei_Click(open.Chooser());
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
  const FileOutcome outcome = d.form.cmdDatei_Click(open.Chooser());
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
  const FileOutcome outcome = d.form.cmdDatei_Click(open.Chooser());
  EXPECT_EQ(outcome.title, std::nullopt);
  EXPECT_EQ(outcome.message, "Die Zelor-Datei \xE2\x80\x9E" "D:\\Sonne.zel\xE2\x80\x9C konnte nicht in den "
                             "Einstellungen gespeichert werden. Die bisherige Zelor-Datei \xE2\x80\x9E" +
                                 kDefaultBody + "\xE2\x80\x9C gilt weiter.");
  EXPECT_EQ(d.form.Form_Load().title, "Zelor2 - " + kDefaultBody);
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

}  // namespace
}  // namespace zelor
