// The X11 module's command line: where it draws, the settings it gives one
// run, which of them the end of the run may store, and that it never locks.
#include "shell/module_options.h"

#include <gtest/gtest.h>

#include "lock/encode_password.h"
#include "settings/module_paths.h"
#include "settings/override_store.h"
#include "shell/saver_session.h"
#include "sim_test_support.h"

namespace zelor {
namespace {

ModuleOptions Parse(const std::vector<std::string>& args, std::optional<std::string> saverWindow = std::nullopt) {
  return ParseModuleOptions(args, saverWindow);
}

TEST(ModuleOptionsTarget, AnOwnWindowTheRootOrAGivenWindow) {
  EXPECT_EQ(Parse({}).target, DrawTarget::OwnWindow);
  EXPECT_EQ(Parse({"-root"}).target, DrawTarget::Root);
  const ModuleOptions hex = Parse({"-window-id", "0x2A00007"});
  EXPECT_EQ(hex.target, DrawTarget::GivenWindow);
  EXPECT_EQ(hex.window, 0x2A00007u);
  EXPECT_EQ(Parse({"--window-id", "44040199"}).window, 44040199u);
  EXPECT_EQ(Parse({"-window-id", "0x1"}).window, 1u);  // the smallest window there is; 0 is none
  EXPECT_EQ(Parse({"-window-id", "0X2A"}).window, 42u);
  EXPECT_FALSE(Parse({"-window-id", "0x0"}).error.empty());
  const ModuleOptions rootLast = Parse({"-window-id", "7", "-root"});
  EXPECT_EQ(rootLast.target, DrawTarget::Root);
  EXPECT_EQ(rootLast.window, 0u);
  EXPECT_TRUE(Parse({"-fullscreen"}).fullscreen);
}

TEST(ModuleOptionsTarget, TheDaemonsWindowCountsUnlessTheCommandLineNamesAnother) {
  const ModuleOptions fromDaemon = Parse({}, "0x400001");
  EXPECT_EQ(fromDaemon.target, DrawTarget::GivenWindow);
  EXPECT_EQ(fromDaemon.window, 0x400001u);
  EXPECT_EQ(Parse({"-root"}, "0x400001").target, DrawTarget::Root);
  EXPECT_EQ(Parse({"-window-id", "7"}, "0x400001").window, 7u);
  EXPECT_EQ(Parse({"-fullscreen"}, "0x400001").target, DrawTarget::OwnWindow);
  EXPECT_TRUE(Contains(Parse({}, "kein Fenster").error, "XSCREENSAVER_WINDOW"));
}

TEST(ModuleOptionsSettings, EachOptionGivesItsSettingAsWrittenAndNoPassword) {
  const ModuleOptions options = Parse({"-file", "/a b/c.zel", "-results", "/r.zel", "-interval", "0.5", "-sky",
                                       "3,-4.5e1", "--tempo", "100", "-save"});
  ASSERT_EQ(options.error, "");
  const std::map<std::string, std::string> expected{
      {kKeyDatei, "/a b/c.zel"}, {kKeyResultsPath, "/r.zel"}, {kKeyIntervall, "0.5"}, {kKeyBreite, "3"},
      {kKeyHoehe, "-4.5e1"},     {kKeyTempo, "100"},          {kKeySaveResults, "True"}, {kKeyPasswort, ""}};
  EXPECT_EQ(options.settings, expected);
  EXPECT_EQ(Parse({"-save", "-no-save"}).settings.at(kKeySaveResults), "False");
  EXPECT_EQ(Parse({}).settings, (std::map<std::string, std::string>{{kKeyPasswort, ""}}));
}

TEST(ModuleOptionsSettings, MistakesAreNamedInGerman) {
  EXPECT_TRUE(Contains(Parse({"-wurzel"}).error, "Unbekannte Option \xE2\x80\x9E-wurzel"));
  EXPECT_TRUE(Contains(Parse({"-file"}).error, "braucht einen Wert"));
  EXPECT_TRUE(Contains(Parse({"-interval", "0,5"}).error, "\xE2\x80\x9E-interval\xE2\x80\x9C braucht eine Zahl"));
  EXPECT_TRUE(Contains(Parse({"-tempo", ""}).error, "-tempo"));
  EXPECT_TRUE(Contains(Parse({"-sky", "3"}).error, "-sky"));
  EXPECT_TRUE(Contains(Parse({"-sky", "3,x"}).error, "-sky"));
  for (const char* bad : {"0", "0x", "12ab", "-5", "99999999999999999999999"})
    EXPECT_TRUE(Contains(Parse({"-window-id", bad}).error, "-window-id")) << bad;
  EXPECT_TRUE(Contains(Parse({"Voyager.zel"}).error, "Unerwartetes Argument"));
  EXPECT_TRUE(Contains(Parse({"-"}).error, "Unerwartetes Argument"));
  EXPECT_EQ(Parse({"-measure-seconds", "2.5"}).measureSeconds, 2.5);
  // Control characters, also a C1 one (U+0085) right at the start, show as "?".
  EXPECT_TRUE(Contains(Parse({"\xC2\x85x\ty"}).error, "\xE2\x80\x9E?x?y\xE2\x80\x9C"));
}

TEST(ModulePaths, FollowTheXdgVariablesOrTheirDefaultsBelowHome) {
  std::map<std::string, std::string> env{{"HOME", "/home/anna"}};
  const auto lookup = [&](const std::string& name) -> std::optional<std::string> {
    const auto it = env.find(name);
    return it == env.end() ? std::nullopt : std::optional<std::string>(it->second);
  };
  ModulePaths paths = MakeModulePaths(lookup);
  EXPECT_EQ(paths.settingsFile, "/home/anna/.config/zelor2/zelor2.conf");
  EXPECT_EQ(paths.defaults.bodyFile, "/home/anna/.local/share/zelor2/Voyager.zel");
  EXPECT_EQ(paths.defaults.resultsFile, "/home/anna/.local/share/zelor2/Temp.zel");
  env["XDG_CONFIG_HOME"] = "/cfg";
  env["XDG_DATA_HOME"] = "relativ/ist/ungueltig";
  paths = MakeModulePaths(lookup);
  EXPECT_EQ(paths.settingsFile, "/cfg/zelor2/zelor2.conf");
  EXPECT_EQ(paths.defaults.bodyFile, "/home/anna/.local/share/zelor2/Voyager.zel");
}

// A run of a sun and a planet with the stored settings under the command line's.
struct ModuleRun {
  explicit ModuleRun(const std::vector<std::string>& args)
      : layered(stored, Parse(args).settings), settings(layered, {"/data/Voyager.zel", "/data/Temp.zel"}, kEnglishLocale) {
    canvas.Resize(100, 100);
    const auto bytes = BodyFileBytes({MakeRecord("Sonne", 332946, 0, 0, 0, 0), MakeRecord("Erde", 1, 1.5e11, 0, 29800, 90)});
    files.files["/data/a.zel"] = files.files["/data/b.zel"] = bytes;
    stored.values[kKeyDatei] = "/data/a.zel";
  }
  void RunAndFinish() {
    StartRun(state, settings, files, canvas, {});
    for (int i = 0; i < 100; ++i) SimStep(state, canvas);
    FinishRun(state, settings, files);
  }
  MemoryStore stored;
  OverrideStore layered;
  Settings settings;
  FakeFileSystem files;
  Canvas canvas;
  SimState state;
};

TEST(ModuleRunEnd, StoresOnlyWhatTheCommandLineDidNotGive) {
  ModuleRun plain({"-save", "-results", "/data/r.zel"});
  plain.RunAndFinish();
  EXPECT_TRUE(plain.files.Exists("/data/r.zel"));
  EXPECT_EQ(plain.stored.values[kKeyDatei], "/data/r.zel");  // the next run goes on from the results
  EXPECT_EQ(plain.stored.values.count(kKeyBreite), 1u);
  EXPECT_EQ(plain.stored.values.count(kKeyResultsPath), 0u);
  EXPECT_EQ(plain.stored.values.count(kKeySaveResults), 0u);

  ModuleRun given({"-save", "-file", "/data/b.zel", "-sky", "3,3", "-results", "/data/r.zel"});
  given.RunAndFinish();
  EXPECT_TRUE(given.files.Exists("/data/r.zel"));
  EXPECT_EQ(given.stored.values[kKeyDatei], "/data/a.zel");
  EXPECT_EQ(given.stored.values.count(kKeyBreite), 0u);
  EXPECT_EQ(given.settings.ReadText(kKeyDatei), "/data/r.zel");  // within the run it moved on
}

TEST(ModuleRunEnd, AStoredPasswordLocksNothing) {
  ModuleRun run({});
  run.stored.values[kKeyPasswort] = EncodePassword("geheim");
  struct NoQuery : SaverBackend {
    std::int64_t NowMicroseconds() override { return 0; }
    Canvas& Picture() override { return canvas; }
    void Present(const std::string&) override {}
    void PollInput() override {}
    void WaitForInput(std::int64_t) override {}
    std::optional<std::string> AskPassword() override {
      ADD_FAILURE() << "asked for a password";
      return std::nullopt;
    }
    void ShowError(const std::string&) override {}
    Canvas canvas;
  } backend;
  SaverSession session(run.settings, backend);
  session.MouseMove(10, 10, 100, 100);
  session.MouseMove(20, 10, 100, 100);
  EXPECT_FALSE(session.Running());
}

}  // namespace
}  // namespace zelor
