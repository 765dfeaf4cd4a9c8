#include "shell/wakeup.h"

#include <gtest/gtest.h>

namespace zelor {
namespace {

WakeupRules::PasswordReader Password(const std::string& stored, int* reads = nullptr) {
  return [stored, reads] {
    if (reads) ++*reads;
    return stored;
  };
}

// Positions in client pixels of a 200 by 101 window; its centre is (100, 50.5).
WakeAction Move(WakeupRules& rules, int x, int y, const std::string& password = "", bool running = true,
                int* reads = nullptr) {
  return rules.PointerMoved(x, y, 200, 101, running, Password(password, reads));
}

TEST(WakeupByMovement, TheFirstEventOnlyRecordsThePosition) {
  WakeupRules rules;
  EXPECT_EQ(Move(rules, 130, 20), WakeAction::None);
  EXPECT_EQ(Move(rules, 131, 20), WakeAction::EndRun);
}

TEST(WakeupByMovement, AnEventAtTheSamePlaceDoesNothing) {
  WakeupRules rules;
  Move(rules, 150, 75);
  EXPECT_EQ(Move(rules, 150, 75), WakeAction::None);
  EXPECT_EQ(Move(rules, 150, 75, "x"), WakeAction::None);
}

TEST(WakeupByMovement, AMoveFromTheCentreOnlyRecords) {
  WakeupRules rules;
  rules.PointerMoved(5, 5, 10, 10, true, Password(""));
  EXPECT_EQ(rules.PointerMoved(5, 5, 10, 10, true, Password("")), WakeAction::None);
  EXPECT_EQ(rules.PointerMoved(4, 5, 10, 10, true, Password("")), WakeAction::None);  // away from it records
  EXPECT_EQ(rules.PointerMoved(5, 5, 10, 10, true, Password("")), WakeAction::EndRun);  // towards it wakes
  // A window of odd size has no pixel at its centre.
  Move(rules, 100, 50);
  EXPECT_EQ(Move(rules, 100, 51), WakeAction::EndRun);
}

// One pixel in any direction, anywhere on the largest screens.
TEST(WakeupByMovement, EveryOnePixelMoveCounts) {
  for (const auto& [x, y] : {std::pair{0, 0}, {199, 100}, {-32000, 40000}}) {
    for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
      WakeupRules rules;
      Move(rules, x, y);
      EXPECT_EQ(Move(rules, x + dx, y + dy), WakeAction::EndRun) << x << "," << y << " by " << dx << "," << dy;
    }
  }
}

TEST(WakeupByMovement, AStoredPasswordAsksInsteadOfEnding) {
  WakeupRules rules;
  Move(rules, 150, 75, "geheim");
  EXPECT_EQ(Move(rules, 160, 75, "geheim"), WakeAction::ShowQuery);
}

TEST(WakeupByMovement, NoQueryOnceTheRunIsEnding) {
  WakeupRules rules;
  Move(rules, 150, 75, "geheim", false);
  EXPECT_EQ(Move(rules, 160, 75, "geheim", false), WakeAction::None);
}

TEST(WakeupByMovement, ReadsThePasswordOnlyForAWakingMove) {
  WakeupRules rules;
  int reads = 0;
  Move(rules, 150, 75, "", true, &reads);
  Move(rules, 150, 75, "", true, &reads);
  EXPECT_EQ(reads, 0);
  Move(rules, 170, 75, "", true, &reads);
  EXPECT_EQ(reads, 1);
}

// The query's owner is disabled, but the windows of further monitors are not:
// nothing they pass on may end the run behind the query or open another one.
TEST(WakeupWhileTheQueryIsOpen, NothingButTheQueryTakesInput) {
  WakeupRules rules;
  Move(rules, 150, 75);
  rules.SetQueryOpen(true);
  EXPECT_EQ(Move(rules, 10, 10), WakeAction::None);
  EXPECT_EQ(Move(rules, 10, 10, "geheim"), WakeAction::None);
  EXPECT_EQ(rules.CharacterTyped(), WakeAction::None);
  EXPECT_EQ(rules.KeyWithoutCharacter(KeyKind::Other, true, Password("geheim")), WakeAction::None);
  EXPECT_EQ(rules.CloseAsked(true, Password("")), WakeAction::None);
  rules.SetQueryOpen(false);
  EXPECT_EQ(Move(rules, 11, 10, "geheim"), WakeAction::ShowQuery);
  EXPECT_EQ(rules.CharacterTyped(), WakeAction::ShowQuery);
}

TEST(WakeupByKeys, AnyCharacterAsksForThePassword) {
  const WakeupRules rules;
  EXPECT_EQ(rules.CharacterTyped(), WakeAction::ShowQuery);
}

TEST(WakeupByKeys, AKeyWithoutACharacterAsksOnlyWhenLocked) {
  const WakeupRules rules;
  EXPECT_EQ(rules.KeyWithoutCharacter(KeyKind::Other, true, Password("geheim")), WakeAction::ShowQuery);
  EXPECT_EQ(rules.KeyWithoutCharacter(KeyKind::Other, true, Password("")), WakeAction::None);
  EXPECT_EQ(rules.KeyWithoutCharacter(KeyKind::Other, false, Password("geheim")), WakeAction::None);
  // Shift, Ctrl or Alt alone waits for the key it modifies.
  EXPECT_EQ(rules.KeyWithoutCharacter(KeyKind::Modifier, true, Password("geheim")), WakeAction::None);
}

TEST(WakeupByClose, ALockedRunAsksInsteadOfClosing) {
  const WakeupRules rules;
  EXPECT_EQ(rules.CloseAsked(true, Password("geheim")), WakeAction::ShowQuery);
  EXPECT_EQ(rules.CloseAsked(true, Password("")), WakeAction::EndRun);
}

// The module has no query: locking belongs to the saver daemon, so what would
// ask ends the run, whatever password a settings file holds.
TEST(WakeupWithoutAQuery, WhatWouldAskEndsTheRunAndAModifierStillWaits) {
  WakeupRules rules(false);
  EXPECT_EQ(rules.CharacterTyped(), WakeAction::EndRun);
  EXPECT_EQ(rules.KeyWithoutCharacter(KeyKind::Other, true, Password("")), WakeAction::EndRun);
  EXPECT_EQ(rules.KeyWithoutCharacter(KeyKind::Modifier, true, Password("")), WakeAction::None);
  EXPECT_EQ(rules.CloseAsked(true, Password("geheim")), WakeAction::EndRun);
  rules.PointerMoved(150, 75, 200, 101, true, Password("geheim"));
  EXPECT_EQ(rules.PointerMoved(151, 75, 200, 101, true, Password("geheim")), WakeAction::EndRun);
}

}  // namespace
}  // namespace zelor
