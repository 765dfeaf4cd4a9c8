#include "shell/mode.h"

#include <gtest/gtest.h>

namespace zelor {
namespace {

TEST(ModeChoice, FollowsTheHostsSwitches) {
  EXPECT_EQ(ChooseMode(""), Mode::Options);
  EXPECT_EQ(ChooseMode("/c"), Mode::Options);
  EXPECT_EQ(ChooseMode("/C"), Mode::Options);
  EXPECT_EQ(ChooseMode("/c:123"), Mode::Options);
  EXPECT_EQ(ChooseMode("/s"), Mode::Saver);
  EXPECT_EQ(ChooseMode("/S"), Mode::Saver);
  EXPECT_EQ(ChooseMode("/a 123"), Mode::PasswordEntry);
  EXPECT_EQ(ChooseMode("/p 123"), Mode::Exit);
  EXPECT_EQ(ChooseMode("-x 42"), Mode::Exit);
}

TEST(ModeChoice, LooksForLettersAnywhereWithSFirst) {
  EXPECT_EQ(ChooseMode("/c /s"), Mode::Saver);
  EXPECT_EQ(ChooseMode("cas"), Mode::Saver);
  EXPECT_EQ(ChooseMode("Xa"), Mode::PasswordEntry);
  EXPECT_EQ(ChooseMode("/a /c"), Mode::Options);
  EXPECT_EQ(ChooseMode("   "), Mode::Exit);  // not empty, and no letter
}

TEST(ArgumentTextOfCommandLine, SkipsTheProgramName) {
  EXPECT_EQ(ArgumentText("Zelor2.scr /s"), "/s");
  EXPECT_EQ(ArgumentText("\"C:\\Program Files\\Zelor2.scr\" /c:4711"), "/c:4711");
  EXPECT_EQ(ArgumentText("\"C:\\a b\\ZELOR2~1.SCR\""), "");
  EXPECT_EQ(ArgumentText("ZELOR2~1.SCR"), "");
  EXPECT_EQ(ArgumentText("x.scr    /p 123"), "/p 123");
  EXPECT_EQ(ArgumentText("\"unclosed /s"), "");
  EXPECT_EQ(ArgumentText(""), "");
}

}  // namespace
}  // namespace zelor
