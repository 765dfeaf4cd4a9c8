#include <gtest/gtest.h>

#include <string>

#include "lock/encode_password.h"
#include "lock/password_entry.h"
#include "lock/password_query.h"
#include "memory_store.h"
#include "settings/settings.h"

namespace zelor {
namespace {

class PasswordDialogs : public ::testing::Test {
 protected:
  MemoryStore store;
  Settings settings{store, MakeDefaultPaths("C:\\Users\\x\\AppData\\Roaming"), kGermanLocale};
};

TEST_F(PasswordDialogs, EqualEntriesStoreTheEncodedPassword) {
  EXPECT_EQ(ConfirmPasswordEntry(settings, "geheim", "geheim"), EntryOutcome::Stored);
  ASSERT_EQ(store.values.count("Passwort"), 1u);
  EXPECT_EQ(store.values["Passwort"], EncodePassword("geheim"));
  EXPECT_NE(store.values["Passwort"], "geheim");
}

TEST_F(PasswordDialogs, DifferentEntriesStoreNothing) {
  EXPECT_EQ(ConfirmPasswordEntry(settings, "geheim", "geheimer"), EntryOutcome::Mismatch);
  EXPECT_TRUE(store.values.empty());
}

TEST_F(PasswordDialogs, EntriesDifferingOnlyInCaseAreAMismatch) {
  store.values["Passwort"] = "old";
  EXPECT_EQ(ConfirmPasswordEntry(settings, "Geheim", "geheim"), EntryOutcome::Mismatch);
  EXPECT_EQ(store.values["Passwort"], "old");
}

TEST_F(PasswordDialogs, BothBoxesEmptyStoreTheEmptyText) {
  store.values["Passwort"] = EncodePassword("alt");
  EXPECT_EQ(ConfirmPasswordEntry(settings, "", ""), EntryOutcome::Stored);
  EXPECT_EQ(store.values["Passwort"], "");
}

TEST_F(PasswordDialogs, NewPasswordReplacesTheOldWithoutAskingForIt) {
  ConfirmPasswordEntry(settings, "erstes", "erstes");
  EXPECT_EQ(ConfirmPasswordEntry(settings, "zweites", "zweites"), EntryOutcome::Stored);
  EXPECT_EQ(store.values["Passwort"], EncodePassword("zweites"));
}

TEST_F(PasswordDialogs, RefusedWriteIsReportedNotPassedOffAsStored) {
  store.failWrites = true;
  EXPECT_EQ(ConfirmPasswordEntry(settings, "geheim", "geheim"), EntryOutcome::NotStored);
}

TEST_F(PasswordDialogs, QueryMatchesThePasswordSetByTheEntry) {
  ConfirmPasswordEntry(settings, "Gr\xC3\xBC\xC3\x9F" "e", "Gr\xC3\xBC\xC3\x9F" "e");  // "Grüße"
  EXPECT_TRUE(PasswordMatches(settings, "Gr\xC3\xBC\xC3\x9F" "e"));
}

TEST_F(PasswordDialogs, QueryRejectsAWrongOrDifferentlyCasedEntry) {
  ConfirmPasswordEntry(settings, "geheim", "geheim");
  EXPECT_FALSE(PasswordMatches(settings, "falsch"));
  EXPECT_FALSE(PasswordMatches(settings, "Geheim"));
  EXPECT_FALSE(PasswordMatches(settings, "geheim "));
  EXPECT_FALSE(PasswordMatches(settings, "gehei"));
}

TEST_F(PasswordDialogs, QueryRejectsAnEmptyEntryWhileAPasswordIsStored) {
  ConfirmPasswordEntry(settings, "geheim", "geheim");
  EXPECT_FALSE(PasswordMatches(settings, ""));
}

TEST_F(PasswordDialogs, WithoutAStoredPasswordOnlyTheEmptyEntryMatches) {
  EXPECT_TRUE(PasswordMatches(settings, ""));
  EXPECT_FALSE(PasswordMatches(settings, "x"));
  store.values["Passwort"] = "";
  EXPECT_TRUE(PasswordMatches(settings, ""));
}

TEST_F(PasswordDialogs, QueryComparesWithTheStoredTextNotThePassword) {
  // The plain password in the store is not the password.
  store.values["Passwort"] = "geheim";
  EXPECT_FALSE(PasswordMatches(settings, "geheim"));
}

}  // namespace
}  // namespace zelor
