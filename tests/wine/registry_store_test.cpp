// The registry store and the locale, on Windows (run under Wine).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "settings/settings.h"
#include "win32/registry_store.h"
#include "win32/platform.h"

namespace zelor::win32 {
namespace {

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Zelor2"); }
  RegistryStore store;
};

TEST_F(RegistryStoreTest, AbsentKeysReadAsDefaults) {
  EXPECT_EQ(store.Read("Breite"), std::nullopt);
  Settings settings(store, MakeDefaultPaths("C:\\Daten"), kGermanLocale);
  EXPECT_EQ(settings.ReadText(kKeyHoehe), "2");
  EXPECT_EQ(settings.ReadText(kKeyDatei), "C:\\Daten\\Zelor2\\Voyager.zel");
  EXPECT_EQ(settings.ReadText(kKeyResultsPath), "C:\\Daten\\Zelor2\\Temp.zel");
  EXPECT_EQ(settings.ReadBool(kKeySaveResults), false);
  EXPECT_EQ(settings.ReadText(kKeyPasswort), "");
}

TEST_F(RegistryStoreTest, WritesAreReadBackExactly) {
  ASSERT_TRUE(store.Write(kKeyHoehe, "2,5"));
  ASSERT_TRUE(store.Write("Datei", "C:\\Körper\\Sonnensystem.zel"));
  ASSERT_TRUE(store.Write("Passwort", ""));
  EXPECT_EQ(store.Read(kKeyHoehe), "2,5");
  EXPECT_EQ(store.Read("Datei"), "C:\\Körper\\Sonnensystem.zel");
  EXPECT_EQ(store.Read("Passwort"), "");
  // Stored under the real name with its umlaut.
  wchar_t value[16] = {};
  DWORD size = sizeof value;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Zelor2\\Einstellungen", L"H\u00F6he", RRF_RT_REG_SZ, nullptr,
                         value, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(value, L"2,5");
}

TEST_F(RegistryStoreTest, KeepsACharacterZeroInsideAValue) {
  const std::string withZero("a\0b", 3);
  ASSERT_TRUE(store.Write("Passwort", withZero));
  EXPECT_EQ(store.Read("Passwort"), withZero);
}

TEST_F(RegistryStoreTest, ReplacesEarlierValues) {
  ASSERT_TRUE(store.Write("Intervall", "2"));
  ASSERT_TRUE(store.Write("Intervall", "0,125"));
  EXPECT_EQ(store.Read("Intervall"), "0,125");
}

TEST(UserLocale, DecimalSeparatorFollowsTheUsersLocale) {
  const char* expected = std::getenv("ZELOR_EXPECT_DECIMAL");
  if (!expected || !*expected) GTEST_SKIP() << "ZELOR_EXPECT_DECIMAL not set";
  EXPECT_EQ(UserNumberLocale().decimalSeparator, expected[0]);
}

}  // namespace
}  // namespace zelor::win32
