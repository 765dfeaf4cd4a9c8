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

TEST(WakeupByMovement, TheFirstEventOnlyRecordsThePosition) {
  WakeupRules rules;
  EXPECT_EQ(rules.MouseMove(0.3f, -0.2f, true, Password("")), WakeAction::None);
  EXPECT_EQ(rules.MouseMove(0.4f, -0.2f, true, Password("")), WakeAction::EndRun);
}

TEST(WakeupByMovement, AnEventAtTheSamePlaceDoesNothing) {
  WakeupRules rules;
  rules.MouseMove(0.5f, 0.5f, true, Password(""));
  EXPECT_EQ(rules.MouseMove(0.5f, 0.5f, true, Password("")), WakeAction::None);
  EXPECT_EQ(rules.MouseMove(0.5f, 0.5f, true, Password("x")), WakeAction::None);
}

TEST(WakeupByMovement, AMoveFromTheOriginOnlyRecords) {
  WakeupRules rules;
  rules.MouseMove(0.5f, 0.5f, true, Password(""));
  EXPECT_EQ(rules.MouseMove(0, 0, true, Password("")), WakeAction::EndRun);  // towards the centre wakes
  EXPECT_EQ(rules.MouseMove(0.1f, 0.1f, true, Password("")), WakeAction::None);  // away from it records
  EXPECT_EQ(rules.MouseMove(0.2f, 0.1f, true, Password("")), WakeAction::EndRun);
}

TEST(WakeupByMovement, TheTinyestMoveCounts) {
  WakeupRules rules;
  rules.MouseMove(1e-6f, 0, true, Password(""));
  EXPECT_EQ(rules.MouseMove(2e-6f, 0, true, Password("")), WakeAction::EndRun);
}

TEST(WakeupByMovement, AStoredPasswordAsksInsteadOfEnding) {
  WakeupRules rules;
  rules.MouseMove(0.5f, 0.5f, true, Password("geheim"));
  EXPECT_EQ(rules.MouseMove(0.6f, 0.5f, true, Password("geheim")), WakeAction::ShowQuery);
}

TEST(WakeupByMovement, NoQueryOnceTheRunIsEnding) {
  WakeupRules rules;
  rules.MouseMove(0.5f, 0.5f, false, Password("geheim"));
  EXPECT_EQ(rules.MouseMove(0.6f, 0.5f, false, Password("geheim")), WakeAction::None);
}

TEST(WakeupByMovement, ReadsThePasswordOnlyForAWakingMove) {
  WakeupRules rules;
  int reads = 0;
  rules.MouseMove(0.5f, 0.5f, true, Password("", &reads));
  rules.MouseMove(0.5f, 0.5f, true, Password("", &reads));
  EXPECT_EQ(reads, 0);
  rules.MouseMove(0.7f, 0.5f, true, Password("", &reads));
  EXPECT_EQ(reads, 1);
}

TEST(WakeupByKeys, AnyCharacterAsksForThePassword) {
  const WakeupRules rules;
  EXPECT_EQ(rules.KeyPress(), WakeAction::ShowQuery);
}

TEST(WakeupByKeys, AKeyWithoutACharacterAsksOnlyWhenLocked) {
  const WakeupRules rules;
  EXPECT_EQ(rules.KeyWithoutCharacter(true, Password("geheim")), WakeAction::ShowQuery);
  EXPECT_EQ(rules.KeyWithoutCharacter(true, Password("")), WakeAction::None);
  EXPECT_EQ(rules.KeyWithoutCharacter(false, Password("geheim")), WakeAction::None);
}

TEST(WakeupByClose, ALockedRunAsksInsteadOfClosing) {
  const WakeupRules rules;
  EXPECT_EQ(rules.CloseRequest(true, Password("geheim")), WakeAction::ShowQuery);
  EXPECT_EQ(rules.CloseRequest(true, Password("")), WakeAction::EndRun);
}

}  // namespace
}  // namespace zelor
