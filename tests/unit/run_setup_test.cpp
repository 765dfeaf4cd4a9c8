// The start of a run as the settings see it: what is read, in which locale,
// and the German messages for settings that cannot start a run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim_test_support.h"

namespace zelor {
namespace {

const std::vector<BodyRecord> kOneBody = {MakeRecord("A", 1, 0, 0, 0, 0)};

std::string StartError(SimRun& run) {
  run.files.files[run.kBodyPath] = BodyFileBytes(kOneBody);
  return run.SetUpError();
}

TEST(StartRunSettings, TheIntervalIsReadInTheUsersLocale) {
  SimRun run(kGermanLocale);
  run.Load({MakeRecord("Sonne", 332946, 0, 0, 0, 0), MakeRecord("Sonde", 0, 1e11, 0, 1000, 180)}, "0,5");
  EXPECT_DOUBLE_EQ(run.state.SimInterval, 0.5);
  EXPECT_DOUBLE_EQ(run.state.Bodies[1].VX, -4.32e7);
}

struct SettingCase {
  const char* what;
  NumberLocale locale;
  const std::string& key;
  std::string text;
  const char* message;
};

TEST(StartRunSettings, ASettingThatIsNoNumberIsNamed) {
  const SettingCase cases[] = {
      {"no number", kEnglishLocale, kKeyIntervall, "zwei",
       "Die Einstellung „Berechnungsintervall (Tage)“ enthält keine Zahl: „zwei“."},
      {"an English number in a German locale", kGermanLocale, kKeyHoehe, "2.5",
       "„Bildschirmhöhe (AE)“ enthält keine Zahl: „2.5“."},
      {"blank", kEnglishLocale, kKeyHoehe, " ", "Die Einstellung „Bildschirmhöhe (AE)“ ist leer. Bitte tragen Sie"},
      {"width 0", kEnglishLocale, kKeyBreite, "0",
       "Die Einstellung „Bildschirmbreite (AE)“ darf nicht 0 sein. Bitte tragen Sie in den Einstellungen des "
       "Bildschirmschoners eine Zahl ungleich 0 ein."},
      {"height minus 0", kEnglishLocale, kKeyHoehe, "-0", "Die Einstellung „Bildschirmhöhe (AE)“ darf nicht 0 sein."},
      // A run 0 days a step stands still, and its saved results would have lost every speed.
      {"interval 0", kGermanLocale, kKeyIntervall, "0,0", "„Berechnungsintervall (Tage)“ darf nicht 0 sein."},
      {"a number too large for a double", kEnglishLocale, kKeyBreite, "1e400",
       "„Bildschirmbreite (AE)“ ist zu groß: „1e400“. Bitte tragen Sie"},
      // Substeps come whole, from 1 to 1000.
      {"a fraction of a substep", kGermanLocale, kKeyGenauigkeit, "2,5",
       "Die Einstellung „Genauigkeit (Teilschritte je Schritt)“ muss eine ganze Zahl sein. Bitte tragen Sie in den "
       "Einstellungen des Bildschirmschoners eine ganze Zahl von 1 bis 1000 ein."},
      {"no substep", kEnglishLocale, kKeyGenauigkeit, "0", "„Genauigkeit (Teilschritte je Schritt)“ darf nicht kleiner als 1 sein."},
      {"too many substeps", kEnglishLocale, kKeyGenauigkeit, "1001", "darf höchstens 1000 sein."},
  };
  for (const SettingCase& c : cases) {
    SCOPED_TRACE(c.what);
    SimRun run(c.locale);
    run.store.values[c.key] = c.text;
    EXPECT_TRUE(Contains(StartError(run), c.message));
  }
}

TEST(StartRunSettings, EmptyAndHugeTextsAreNoNumbers) {
  for (const std::string& text : std::vector<std::string>{"", "   ", "1e999", std::string(5000, '9') + "x"}) {
    SimRun run;
    run.store.values[kKeyBreite] = text;
    const std::string message = StartError(run);
    EXPECT_TRUE(Contains(message, "„Bildschirmbreite (AE)“")) << text.size();
    EXPECT_LT(message.size(), 400u) << "a long text is cut in the message";
  }
}

TEST(StartRunSettings, ReadsTheSkyTheIntervalAndTheBodyFile) {
  MemoryStore store;
  Settings settings(store, MakeDefaultPaths("/appdata"), kGermanLocale);
  store.values[kKeyBreite] = "6";
  store.values[kKeyHoehe] = "-1,5";
  store.values[kKeyIntervall] = "-0,25";  // time runs backwards
  store.values[kKeyDatei] = "/data/Sterne.zel";
  store.values[kKeyGenauigkeit] = "16";
  const RunConfig config = ReadRunConfig(settings);
  EXPECT_EQ(config.values.Number(kKeyGenauigkeit), 16);
  EXPECT_EQ(config.viewWidth, 6);
  EXPECT_EQ(config.viewHeight, -1.5);
  EXPECT_EQ(config.interval, -0.25);
  EXPECT_EQ(config.bodyFile, "/data/Sterne.zel");
}

}  // namespace
}  // namespace zelor
