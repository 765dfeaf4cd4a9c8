// The X11 module's command line: where it draws, the settings it gives one
// run, which of them the end of the run may store, and that it never locks.
#include "x11/module/module_options.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include "lock/encode_password.h"
#include "x11/module/module_paths.h"
#include "x11/module/module_settings.h"
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
  // The daemon starts a module as "zelor2 --root" with its own window in the
  // variable: that window is the one on the screen.
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{{}, {"-root"}, {"--root"}}) {
    const ModuleOptions fromDaemon = Parse(args, "0x400001");
    EXPECT_EQ(fromDaemon.target, DrawTarget::GivenWindow) << args.size();
    EXPECT_EQ(fromDaemon.window, 0x400001u) << args.size();
  }
  EXPECT_EQ(Parse({"-root"}).target, DrawTarget::Root);
  EXPECT_EQ(Parse({"-window-id", "7"}, "0x400001").window, 7u);
  EXPECT_EQ(Parse({"-fullscreen"}, "0x400001").target, DrawTarget::OwnWindow);
  EXPECT_TRUE(Contains(Parse({}, "kein Fenster").error, "XSCREENSAVER_WINDOW"));
}

TEST(ModuleOptionsSettings, EachOptionGivesItsSettingAsWrittenAndNoPassword) {
  const ModuleOptions options = Parse({"-file", "/a b/c.zel", "-results", "/r.zel", "-interval", "0.5", "-sky",
                                       "3,-4.5e1", "--tempo", "100", "-save", "-no-round", "--all-screens",
                                       "-accuracy", "16", "-no-approx"});
  ASSERT_EQ(options.error, "");
  const std::map<std::string, std::string> expected{
      {kKeyDatei, "/a b/c.zel"}, {kKeyResultsPath, "/r.zel"}, {kKeyIntervall, "0.5"}, {kKeyBreite, "3"},
      {kKeyHoehe, "-4.5e1"},     {kKeyTempo, "100"},          {kKeySaveResults, "True"}, {kKeyPasswort, ""},
      {kKeyRund, "False"},       {kKeyAlleBildschirme, "True"}, {kKeyGenauigkeit, "16"}, {kKeyNaeherung, "False"}};
  EXPECT_EQ(options.settings, expected);
  EXPECT_EQ(Parse({"-save", "-no-save"}).settings.at(kKeySaveResults), "False");
  EXPECT_EQ(Parse({"-no-round", "-round"}).settings.at(kKeyRund), "True");
  EXPECT_EQ(Parse({"-all-screens", "-no-all-screens"}).settings.at(kKeyAlleBildschirme), "False");
  EXPECT_EQ(Parse({}).settings, (std::map<std::string, std::string>{{kKeyPasswort, ""}}));
  // A line the daemon's dialog saved from a spin button in a German locale.
  EXPECT_EQ(Parse({"-interval", "0,5", "-tempo", "120,5"}).settings.at(kKeyIntervall), "0.5");
  EXPECT_EQ(Parse({"-interval", "0,5", "-tempo", "120,5"}).settings.at(kKeyTempo), "120.5");
}

// Width and height share "-sky": the usage names it once.
TEST(ModuleOptionsUsage, NamesTheSkysOptionOnce) {
  const std::string usage = ModuleUsage();
  EXPECT_EQ(usage.find("[-sky "), usage.rfind("[-sky ")) << usage;
}

TEST(ModuleOptionsSettings, TheSkyIsWidthTimesHeightAndAnAmbiguousCommaIsRefused) {
  const std::vector<std::pair<std::string, std::pair<std::string, std::string>>> accepted{
      {"4x3", {"4", "3"}},         {"2.5X2", {"2.5", "2"}},  {"4\xC3\x97" "3", {"4", "3"}},
      {"-1e1x.5", {"-1e1", ".5"}}, {"2.5,2", {"2.5", "2"}},  {"3,-4.5e1", {"3", "-4.5e1"}}};
  for (const auto& [text, sky] : accepted) {
    const ModuleOptions options = Parse({"-sky", text});
    ASSERT_EQ(options.error, "") << text;
    EXPECT_EQ(options.settings.at(kKeyBreite), sky.first) << text;
    EXPECT_EQ(options.settings.at(kKeyHoehe), sky.second) << text;
  }
  // Each of these is also one number to a German reader.
  for (const char* ambiguous : {"2,5", "2,2", "-3,5", "1,5e1"})
    EXPECT_TRUE(Contains(Parse({"-sky", ambiguous}).error, "nicht eindeutig")) << ambiguous;
  EXPECT_TRUE(Contains(Parse({"-sky", "2,5"}).error, "Meinen Sie 2,5 AE oder 2 mal 5 AE?"));
  EXPECT_TRUE(Contains(Parse({"-sky", "2,5"}).error, "\xE2\x80\x9E" "2x5\xE2\x80\x9C"));
  for (const char* bad : {"3", "3,x", "3x", "x3", "2,5x2", "3x4x5", "2.5,2,1"})
    EXPECT_TRUE(Contains(Parse({"-sky", bad}).error, "braucht Breite und H\xC3\xB6he")) << bad;
}

// The parser refuses what the run would, by the same rows of the settings
// table, and says what the option takes; a negative sky or interval stays.
TEST(ModuleOptionsSettings, ANumberTheRunRefusesIsRefusedWithWhatTheOptionTakes) {
  const std::pair<std::vector<std::string>, const char*> refused[] = {
      {{"-interval", "0"}, "Die Option \xE2\x80\x9E-interval\xE2\x80\x9C braucht eine Zahl ungleich 0, nicht "
                           "\xE2\x80\x9E" "0\xE2\x80\x9C."},
      {{"-interval", "-0,0"}, "ungleich 0, nicht \xE2\x80\x9E-0,0\xE2\x80\x9C."},
      {{"-interval", "1e400"}, "braucht eine Zahl ungleich 0; \xE2\x80\x9E" "1e400\xE2\x80\x9C ist zu gro\xC3\x9F."},
      {{"-tempo", "-5"}, "\xE2\x80\x9E-tempo\xE2\x80\x9C braucht eine Zahl von 0 bis 10000000, nicht \xE2\x80\x9E-5"},
      {{"-tempo", "1e400"}, "; \xE2\x80\x9E" "1e400\xE2\x80\x9C ist zu gro\xC3\x9F."},
      {{"-accuracy", "2.5"}, "\xE2\x80\x9E-accuracy\xE2\x80\x9C braucht eine ganze Zahl von 1 bis 1000, nicht "
                             "\xE2\x80\x9E" "2.5\xE2\x80\x9C."},
      {{"-sky", "0x3"}, "Die Option \xE2\x80\x9E-sky\xE2\x80\x9C braucht als Breite eine Zahl ungleich 0, nicht "
                        "\xE2\x80\x9E" "0\xE2\x80\x9C."},
      {{"-sky", "3x-0"}, "braucht als H\xC3\xB6he eine Zahl ungleich 0, nicht \xE2\x80\x9E-0\xE2\x80\x9C."},
      {{"-sky", "4x1e400"}, "als H\xC3\xB6he eine Zahl ungleich 0; \xE2\x80\x9E" "1e400\xE2\x80\x9C ist zu gro\xC3\x9F."},
  };
  for (const auto& [args, message] : refused) EXPECT_TRUE(Contains(Parse(args).error, message)) << args[1];
  EXPECT_EQ(Parse({"-interval", "-0,5"}).settings.at(kKeyIntervall), "-0.5");
  EXPECT_EQ(Parse({"-sky", "-4x-3"}).settings.at(kKeyHoehe), "-3");
}

TEST(ModuleOptionsSettings, AMeasurementLastsMoreThanNothingAndAtMostADay) {
  EXPECT_EQ(Parse({"-measure-seconds", "0.5"}).measureSeconds, 0.5);
  EXPECT_EQ(Parse({"-measure-seconds", "86400"}).measureSeconds, 86400);
  for (const char* bad : {"1e300", "86400.5", "0", "-1", "-1e300"})
    EXPECT_TRUE(Contains(Parse({"-measure-seconds", bad}).error, "braucht eine Dauer")) << bad;
}

TEST(ModuleOptionsSettings, MistakesAreNamedInGerman) {
  EXPECT_TRUE(Contains(Parse({"-wurzel"}).error, "Unbekannte Option \xE2\x80\x9E-wurzel"));
  EXPECT_TRUE(Contains(Parse({"-file"}).error, "braucht einen Wert"));
  EXPECT_TRUE(Contains(Parse({"-interval", "0.5,1"}).error, "\xE2\x80\x9E-interval\xE2\x80\x9C braucht eine Zahl"));
  EXPECT_TRUE(Contains(Parse({"-tempo", ""}).error, "-tempo"));
  for (const char* bad : {"0", "0x", "12ab", "-5", "99999999999999999999999"})
    EXPECT_TRUE(Contains(Parse({"-window-id", bad}).error, "-window-id")) << bad;
  EXPECT_TRUE(Contains(Parse({"Voyager.zel"}).error, "Unerwartetes Argument"));
  EXPECT_TRUE(Contains(Parse({"-"}).error, "Unerwartetes Argument"));
  EXPECT_EQ(Parse({"-measure-seconds", "2.5"}).measureSeconds, 2.5);
  // Control characters, also a C1 one (U+0085) right at the start, show as "?".
  EXPECT_TRUE(Contains(Parse({"\xC2\x85x\ty"}).error, "\xE2\x80\x9E?x?y\xE2\x80\x9C"));
}

// The system as the front end asks it: variables, the user database, links.
struct FakeSystem {
  std::map<std::string, std::string> env{{"HOME", "/home/anna"}};
  std::optional<std::string> userDatabaseHome = "/home/anna";
  std::map<std::string, std::string> links;
  ModulePaths Paths() const {
    const auto find = [](const std::map<std::string, std::string>& in, const std::string& key) {
      const auto it = in.find(key);
      return it == in.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    return MakeModulePaths({[&](const std::string& name) { return find(env, name); }, userDatabaseHome,
                            [&](const std::string& path) { return find(links, path); }});
  }
};

#ifndef _WIN32
// Each switch of zelor2.xml, with each value the dialog can put for its "%"
// (only the body file has one: a path with a blank and an umlaut), gives a
// command line the module takes. And its words are the program's own.
TEST(ModuleOptionsDescription, TheDaemonsDialogBuildsOnlyCommandLinesTheModuleTakes) {
  std::ifstream file(ZELOR_X11_DESCRIPTION);
  ASSERT_TRUE(file) << ZELOR_X11_DESCRIPTION;
  const std::string xml{std::istreambuf_iterator<char>(file), {}};
  EXPECT_TRUE(Contains(xml, "Zelor-Datei (.zel)"));
  EXPECT_TRUE(Contains(xml, "$XDG_CONFIG_HOME/zelor2/zelor2.conf"));
  const std::regex element(R"(<(\w+)\s([^>]*)>)"), attribute(R"(([\w-]+)="([^"]*)\")");
  std::size_t switches = 0;
  for (std::sregex_iterator e(xml.begin(), xml.end(), element), end; e != end; ++e) {
    std::map<std::string, std::string> at;
    const std::string attributes = (*e)[2];
    for (std::sregex_iterator a(attributes.begin(), attributes.end(), attribute); a != end; ++a) at[(*a)[1]] = (*a)[2];
    const std::string option = at.count("arg") ? at["arg"] : at["arg-set"];
    if (option.empty()) continue;
    ++switches;
    const std::string value = (*e)[1] == "file" ? "/home/anna/Meine Bahnen/K\xC3\xB6rper.zel" : "";
    std::vector<std::string> args;
    std::istringstream words(option);
    for (std::string word; words >> word;) args.push_back(word == "%" ? value : word);
    EXPECT_EQ(Parse(args, "0x400001").error, "") << option << " with " << value;
  }
  // Every switch the file names was tried.
  std::size_t named = 0;
  for (const std::string name : {"arg=\"", "arg-set=\""})
    for (auto place = xml.find(name); place != std::string::npos; place = xml.find(name, place + 1)) ++named;
  EXPECT_EQ(switches, named);
  EXPECT_GT(switches, 0u);
}
#endif


TEST(ModulePaths, FollowTheXdgVariablesOrTheirDefaultsBelowHome) {
  FakeSystem system;
  ModulePaths paths = system.Paths();
  EXPECT_EQ(paths.settingsFile, "/home/anna/.config/zelor2/zelor2.conf");
  EXPECT_EQ(paths.defaults.bodyFile, "/home/anna/.local/share/zelor2/Voyager.zel");
  EXPECT_EQ(paths.defaults.resultsFile, "/home/anna/.local/share/zelor2/Temp.zel");
  system.env["XDG_CONFIG_HOME"] = "/cfg";
  system.env["XDG_DATA_HOME"] = "relativ/ist/ungueltig";
  paths = system.Paths();
  EXPECT_EQ(paths.settingsFile, "/cfg/zelor2/zelor2.conf");
  EXPECT_EQ(paths.defaults.bodyFile, "/home/anna/.local/share/zelor2/Voyager.zel");
  EXPECT_EQ(paths.error, "");
}

TEST(ModulePaths, WithoutHomeTheUserDatabaseNamesItAndNeverTheCurrentFolder) {
  for (const char* home : {"", "relativ"}) {
    FakeSystem system;
    system.env["HOME"] = home;
    system.userDatabaseHome = "/home/berta";
    EXPECT_EQ(system.Paths().settingsFile, "/home/berta/.config/zelor2/zelor2.conf") << home;
  }
  FakeSystem system;
  system.env.clear();
  system.userDatabaseHome = "/home/berta";
  EXPECT_EQ(system.Paths().defaults.bodyFile, "/home/berta/.local/share/zelor2/Voyager.zel");

  system.userDatabaseHome = std::nullopt;
  EXPECT_TRUE(Contains(system.Paths().error, "Bitte setzen Sie HOME"));
  system.env = {{"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "/data"}};  // then no home is needed
  EXPECT_EQ(system.Paths().error, "");
  EXPECT_EQ(system.Paths().defaults.resultsFile, "/data/zelor2/Temp.zel");
}

TEST(ModulePaths, ASettingsFileThatIsALinkIsWrittenWhereTheLinkLeads) {
  FakeSystem system;
  const std::string conf = "/home/anna/.config/zelor2/zelor2.conf";
  system.links[conf] = "../../dotfiles/zelor2.conf";  // relative to the link's folder
  EXPECT_EQ(system.Paths().settingsFile, "/home/anna/.config/zelor2/../../dotfiles/zelor2.conf");
  system.links["/home/anna/.config/zelor2/../../dotfiles/zelor2.conf"] = "/git/punkt/zelor2.conf";
  EXPECT_EQ(system.Paths().settingsFile, "/git/punkt/zelor2.conf");
  system.links["/git/punkt/zelor2.conf"] = conf;
  EXPECT_TRUE(Contains(system.Paths().error, "im Kreis"));
}

// Linux follows 40 links and refuses the 41st.
TEST(ModulePaths, ALongChainOfLinksThatEndsIsNoLoop) {
  FakeSystem system;
  const std::string conf = "/home/anna/.config/zelor2/zelor2.conf";
  system.links[conf] = "/kette/1";
  for (int i = 1; i < 40; ++i) system.links["/kette/" + std::to_string(i)] = "/kette/" + std::to_string(i + 1);
  EXPECT_EQ(system.Paths().error, "");
  EXPECT_EQ(system.Paths().settingsFile, "/kette/40");
  system.links["/kette/40"] = "/kette/41";
  EXPECT_TRUE(Contains(system.Paths().error, "im Kreis"));
}

// A run of a sun and a planet with the stored settings under the command
// line's, wired as the program wires them. /data/paar.zel holds another
// system: masses 3.1 and 1 at -1e11 and 3.1e11 m, 4.1333 AU across around
// their centre of mass, the origin.
struct ModuleRun {
  explicit ModuleRun(const std::vector<std::string>& args, const std::string& breite = "1",
                     const std::string& hoehe = "1")
      : options(Parse(args)), stored(Stored(breite, hoehe)), files(Files()),
        layered(stored, options, {"/data/Voyager.zel", "/data/Temp.zel"}, files), settings(layered.Get()) {
    canvas.Resize(100, 100);
  }
  static MemoryStore Stored(const std::string& breite, const std::string& hoehe) {
    MemoryStore store;
    store.values = {{kKeyDatei, "/data/a.zel"}, {kKeyBreite, breite}, {kKeyHoehe, hoehe}};
    return store;
  }
  static FakeFileSystem Files() {
    FakeFileSystem files;
    // The planet lies beyond the stored sky, so a run's end always has a
    // grown sky to store.
    const auto bytes = BodyFileBytes({MakeRecord("Sonne", 332946, 0, 0, 0, 0), MakeRecord("Erde", 1, 1.5e11, 0, 29800, 90)});
    files.files["/data/a.zel"] = files.files["/data/b.zel"] = bytes;
    files.files["/data/paar.zel"] =
        BodyFileBytes({MakeRecord("A", 3.1, -1e11, 0, 0, 0), MakeRecord("B", 1, 3.1e11, 0, 0, 0)});
    return files;
  }
  void RunAndFinish() {
    StartRun(state, settings, files, canvas, {});
    for (int i = 0; i < 100; ++i) SimStep(state, canvas);
    FinishRun(state, settings, files);
  }
  ModuleOptions options;
  MemoryStore stored;
  FakeFileSystem files;
  ModuleSettings layered;
  Settings& settings;
  Canvas canvas;
  SimState state;
};

TEST(ModuleRunEnd, APlainRunStoresItsEndAndGoesOnFromItsResults) {
  ModuleRun plain({"-save"});
  plain.stored.values[kKeyResultsPath] = "/data/r.zel";
  plain.RunAndFinish();
  EXPECT_TRUE(plain.files.Exists("/data/r.zel"));
  EXPECT_EQ(plain.stored.values[kKeyDatei], "/data/r.zel");  // the next run goes on from the results
  EXPECT_NE(plain.stored.values[kKeyBreite], "1");  // the sky grew to the planet's orbit
  EXPECT_NE(plain.stored.values[kKeyHoehe], "1");
  EXPECT_EQ(plain.stored.values.count(kKeySaveResults), 0u);  // "-save" is for this run only
}

// Bodies, a sky or a results path from the command line: the end of the run
// writes the results asked for, and stores neither its sky nor "Datei".
TEST(ModuleRunEnd, BodiesSkyOrResultsFromTheCommandLineStoreNothingThatDependsOnThem) {
  const std::vector<std::vector<std::string>> given{{"-file", "/data/b.zel"},
                                                    {"-sky", "1x1"},
                                                    {"-results", "/data/r.zel"},
                                                    {"-file", "/data/b.zel", "-sky", "3x3", "-results", "/data/r.zel"}};
  for (const auto& args : given) {
    std::vector<std::string> withSaving = args;
    withSaving.push_back("-save");
    ModuleRun run(withSaving);
    SCOPED_TRACE(args.front() + " " + args[1] + (args.size() > 2 ? " ..." : ""));
    ASSERT_EQ(run.options.error, "");
    run.stored.values[kKeyResultsPath] = "/data/r.zel";
    const auto before = run.stored.values;
    run.RunAndFinish();
    EXPECT_TRUE(run.files.Exists("/data/r.zel"));
    EXPECT_EQ(run.stored.values, before);
    EXPECT_EQ(run.settings.ReadText(kKeyDatei), "/data/r.zel");  // within the run it moved on
  }
}

// "-file" without "-sky": the stored sky grew round other bodies, so the run
// takes a sky that holds the file's, in the stored sky's shape, and still
// stores nothing. With "-sky", or a file it cannot read, the sky stays.
TEST(ModuleRunSky, ABodyFileWithoutASkyBringsASkyThatHoldsItsBodies) {
  const struct {
    std::vector<std::string> args;
    std::string breite, hoehe;
  } cases[] = {
      {{"-file", "/data/paar.zel"}, "5.51", "4.14"},  // 4.1333 AU high, 55.4 by 41.6 in shape
      {{"-file", "/data/paar.zel", "-sky", "3x2"}, "3", "2"},
      {{"-file", "/data/fehlt.zel"}, "55.4", "41.6"},
      {{}, "55.4", "41.6"},
  };
  for (const auto& c : cases) {
    ModuleRun run(c.args, "55.4", "41.6");
    SCOPED_TRACE(c.args.empty() ? "no options" : c.args[1] + (c.args.size() > 2 ? " -sky" : ""));
    EXPECT_EQ(run.settings.ReadText(kKeyBreite), c.breite);
    EXPECT_EQ(run.settings.ReadText(kKeyHoehe), c.hoehe);
  }
  ModuleRun run({"-file", "/data/paar.zel"}, "55.4", "41.6");
  const auto before = run.stored.values;
  StartRun(run.state, run.settings, run.files, run.canvas, {});
  EXPECT_EQ(run.state.ViewWidth, 5.51);
  EXPECT_EQ(run.state.ViewHeight, 4.14);
  SimStep(run.state, run.canvas);
  FinishRun(run.state, run.settings, run.files);
  EXPECT_EQ(run.stored.values, before);
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
    // As on Windows, so only the settings keep the password out.
    bool HasPasswordQuery() const override { return true; }
    void AskPassword(SaverSession&) override { ADD_FAILURE() << "asked for a password"; }
    void ShowError(const std::string&) override {}
    Canvas canvas;
  } backend;
  SaverSession session(run.settings, backend);
  session.PointerMoved(10, 10, 100, 100);
  session.PointerMoved(20, 10, 100, 100);
  EXPECT_FALSE(session.Running());
}

}  // namespace
}  // namespace zelor
