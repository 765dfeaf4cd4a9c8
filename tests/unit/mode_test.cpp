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

TEST(CommandWindow, APreviewNeedsAWindowGivenInDecimal) {
  const struct {
    const char* text;
    Mode mode;
    std::uint64_t window;
  } cases[] = {
      {"/p 4711", Mode::Preview, 4711},
      {"/p:4711", Mode::Preview, 4711},
      {"/P:4711", Mode::Preview, 4711},
      {"-p 4711", Mode::Preview, 4711},
      {"/p   65538  ", Mode::Preview, 65538},
      {"/p 18446744073709551615", Mode::Preview, 18446744073709551615u},
      {"/p", Mode::Exit, 0},
      {"/p 0", Mode::Exit, 0},
      {"/p 12x", Mode::Exit, 0},
      {"/p 0x1F", Mode::Exit, 0},
      {"/p -5", Mode::Exit, 0},
      {"/p 18446744073709551616", Mode::Exit, 0},  // beyond any handle
      {"/p 99999999999999999999", Mode::Exit, 0},  // far beyond, not wrapped round
      {"/c:4711", Mode::Options, 4711},
      {"/C 4711", Mode::Options, 4711},
      {"/c", Mode::Options, 0},
      {"/c:x", Mode::Options, 0},
      {"", Mode::Options, 0},
      {"/s", Mode::Saver, 0},
      {"/s /p 4711", Mode::Saver, 0},
      {"/a 4711", Mode::PasswordEntry, 0},
  };
  for (const auto& c : cases) {
    const Command command = ParseCommand(c.text);
    EXPECT_EQ(command.mode, c.mode) << c.text;
    EXPECT_EQ(command.window, c.window) << c.text;
  }
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
