// The settings file of the X11 module: what it reads from a file written by
// hand, what it writes, and that no failure loses the file there was.
#include "x11/module/ini_store.h"

#include <gtest/gtest.h>

#include "fake_file_system.h"
#include "settings/settings.h"

namespace zelor {
namespace {

const std::string kConf = "/data/zelor2.conf";

std::string Text(const FakeFileSystem& files, const std::string& path) {
  const auto& bytes = files.files.at(path);
  return std::string(bytes.begin(), bytes.end());
}

void Put(FakeFileSystem& files, const std::string& path, const std::string& text) {
  files.files[path] = FakeFileSystem::Bytes(text.begin(), text.end());
}

TEST(IniStore, AbsentKeysReadAsDefaults) {
  FakeFileSystem files;
  IniStore store(files, kConf);
  EXPECT_EQ(store.Read(kKeyBreite), std::nullopt);
  Settings settings(store, {"/daten/Voyager.zel", "/daten/Temp.zel"}, kEnglishLocale);
  EXPECT_EQ(settings.ReadText(kKeyHoehe), "2");
  EXPECT_EQ(settings.ReadText(kKeyDatei), "/daten/Voyager.zel");
  EXPECT_EQ(settings.ReadBool(kKeySaveResults), false);
  EXPECT_EQ(files.Changes(), 0);  // reading creates nothing
}

TEST(IniStore, WritesASectionOfPlainLinesAndReadsThemBack) {
  FakeFileSystem files;
  IniStore store(files, "/data/neu/zelor2/zelor2.conf");
  ASSERT_TRUE(store.Write(kKeyHoehe, "2.5"));
  ASSERT_TRUE(store.Write(kKeyDatei, "/home/jürgen/Körper.zel"));
  ASSERT_TRUE(store.Write(kKeyPasswort, ""));
  ASSERT_TRUE(store.Write(kKeyHoehe, "0.125"));
  EXPECT_EQ(Text(files, "/data/neu/zelor2/zelor2.conf"),
            "[Einstellungen]\nHöhe=0.125\nDatei=/home/jürgen/Körper.zel\nPasswort=\n");
  EXPECT_EQ(store.Read(kKeyDatei), "/home/jürgen/Körper.zel");
  EXPECT_EQ(store.Read(kKeyPasswort), "");
  EXPECT_EQ(files.files.size(), 1u);  // no temporary file left
}

TEST(IniStore, KeepsEveryCharacterOfAValue) {
  FakeFileSystem files;
  IniStore store(files, kConf);
  for (const std::string& value : {std::string("a\0b", 3), std::string(" zwei  Blanks "), std::string("x\\ny"),
                                   std::string("Zeile\nZeile\r\n\tEnde"), std::string("\\"), std::string("a=b")}) {
    ASSERT_TRUE(store.Write(kKeyPasswort, value));
    EXPECT_EQ(store.Read(kKeyPasswort), value);
    ASSERT_TRUE(store.Write(kKeyDatei, "nach"));
    EXPECT_EQ(store.Read(kKeyPasswort), value) << "changed by writing another key";
  }
}

TEST(IniStore, ReadsAHandWrittenFileAndKeepsWhatItDoesNotKnow) {
  FakeFileSystem files;
  const std::string before =
      "; meine Einstellungen\r\n[Andere]\r\nBreite=9\r\n\r\n [ Einstellungen ] \r\n  Breite = 3 \r\n"
      "# Intervall=7\r\nIntervall=0.5\r\n\r\n[Noch eine]\r\nx=y\r\n";
  Put(files, kConf, before);
  IniStore store(files, kConf);
  EXPECT_EQ(store.Read(kKeyBreite), "3");
  EXPECT_EQ(store.Read(kKeyIntervall), "0.5");
  EXPECT_EQ(store.Read("x"), std::nullopt);

  ASSERT_TRUE(store.Write(kKeyBreite, "4"));
  ASSERT_TRUE(store.Write(kKeyTempo, "100"));
  EXPECT_EQ(Text(files, kConf),
            "; meine Einstellungen\r\n[Andere]\r\nBreite=9\r\n\r\n [ Einstellungen ] \r\nBreite=4\n"
            "# Intervall=7\r\nIntervall=0.5\r\nTempo=100\n\r\n[Noch eine]\r\nx=y\r\n");
}

TEST(IniStore, AByteOrderMarkIsReadAsIfItWereNotThereAndKept) {
  FakeFileSystem files;
  Put(files, kConf, "\xEF\xBB\xBF[Einstellungen]\r\nBreite=3\r\n");
  IniStore store(files, kConf);
  EXPECT_EQ(store.Read(kKeyBreite), "3");
  ASSERT_TRUE(store.Write(kKeyBreite, "4"));
  ASSERT_TRUE(store.Write(kKeyTempo, "100"));
  EXPECT_EQ(Text(files, kConf), "\xEF\xBB\xBF[Einstellungen]\r\nBreite=4\nTempo=100\n");
}

// Files edited by hand: tabs around "=", a key written twice (the first
// counts and is the one replaced), an empty "[]" header (a section of its
// own), and the exact bytes of a section appended to a file without one.
TEST(IniStore, HandEditedFilesReadAndChangeAsMeant) {
  struct Row {
    const char* what;
    std::string before, key, read, after;  // read "-": the key is absent
  } rows[] = {
      {"tabs and a key twice", "[Einstellungen]\n\tBreite\t=\t3\t\nBreite=4\n", kKeyBreite, "3",
       "[Einstellungen]\nBreite=5\nBreite=4\n"},
      {"an empty header", "[Einstellungen]\nBreite=3\n[]\nTempo=7\n", kKeyTempo, "-",
       "[Einstellungen]\nBreite=3\nTempo=5\n[]\nTempo=7\n"},
      {"no section yet", "[Andere]\nx=y", kKeyBreite, "-", "[Andere]\nx=y\n\n[Einstellungen]\nBreite=5\n"},
  };
  for (const Row& row : rows) {
    FakeFileSystem files;
    Put(files, kConf, row.before);
    IniStore store(files, kConf);
    EXPECT_EQ(store.Read(row.key).value_or("-"), row.read) << row.what;
    ASSERT_TRUE(store.Write(row.key, "5")) << row.what;
    EXPECT_EQ(Text(files, kConf), row.after) << row.what;
  }
}

// A settings file is a few hundred bytes: up to 1 MiB is read, a bigger file
// is neither read nor replaced.
TEST(IniStoreFaults, AFileBeyondTheReadCapIsLeftAlone) {
  for (const std::size_t size : {std::size_t{1} << 20, (std::size_t{1} << 20) + 1}) {
    std::string text = "[Einstellungen]\nBreite=3\n";
    text += std::string(size - text.size() - 1, ';') + "\n";
    FakeFileSystem files;
    Put(files, kConf, text);
    IniStore store(files, kConf);
    const bool fits = size == std::size_t{1} << 20;
    EXPECT_EQ(store.Read(kKeyBreite).value_or("-"), fits ? "3" : "-") << size;
    EXPECT_EQ(store.Write(kKeyBreite, "4"), fits) << size;
    if (!fits) {
      EXPECT_EQ(Text(files, kConf), text);
    }
  }
}

TEST(IniStoreFaults, AFailureAtAnyStepOfAWriteKeepsTheOldFile) {
  const std::string before = "[Einstellungen]\nBreite=3\n";
  for (int step = 0; step < 5; ++step) {
    SCOPED_TRACE(step);
    FakeFileSystem files;
    Put(files, kConf, before);
    (step == 0 ? files.failCreateAt : step == 1 ? files.failWriteAt : step == 2 ? files.failFlushAt
                                    : step == 3 ? files.failCloseAt : files.failReplaceAt) = 1;
    IniStore store(files, kConf);
    EXPECT_FALSE(store.Write(kKeyBreite, "5"));
    EXPECT_EQ(Text(files, kConf), before);
    EXPECT_EQ(files.files.size(), 1u);
    EXPECT_EQ(store.Read(kKeyBreite), "3");
  }
}

TEST(IniStoreFaults, AFileThatCannotBeReadIsNeverReplaced) {
  FakeFileSystem files;
  Put(files, kConf, "[Einstellungen]\nBreite=3\n");
  files.failReads = true;
  IniStore store(files, kConf);
  EXPECT_EQ(store.Read(kKeyBreite), std::nullopt);
  EXPECT_FALSE(store.Write(kKeyHoehe, "5"));
  EXPECT_EQ(files.Changes(), 0);

  // Nor is a file too big to be a settings file.
  files.failReads = false;
  Put(files, kConf, std::string(2 << 20, 'x'));
  EXPECT_FALSE(store.Write(kKeyHoehe, "5"));
  EXPECT_EQ(files.Changes(), 0);
}

TEST(IniStoreFaults, AReadOnlyFileRefusesWritesAndStaysAsItWas) {
  FakeFileSystem files;
  files.readOnly.insert(kConf);
  Put(files, kConf, "[Einstellungen]\nBreite=3\n");
  IniStore store(files, kConf);
  Settings settings(store, {"/data/Voyager.zel", "/data/Temp.zel"}, kEnglishLocale);
  EXPECT_FALSE(settings.WriteNumber(kKeyBreite, 4.5));
  EXPECT_EQ(settings.ReadNumber(kKeyBreite), 3);
  EXPECT_EQ(files.files.size(), 1u);
}

}  // namespace
}  // namespace zelor
