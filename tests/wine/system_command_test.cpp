// The saver window's reading of the system commands, with the numbers the
// system sends.
#include "win32/system_command.h"

#include <gtest/gtest.h>

namespace zelor::win32 {
namespace {

TEST(SaverSessionSystemCommands, CloseAsksScreenSaveAndMenuAreSwallowedTheRestGoesOn) {
  EXPECT_EQ(SystemCommandOf(0xF060), SystemCommand::CloseAsked);
  EXPECT_EQ(SystemCommandOf(0xF063), SystemCommand::CloseAsked);  // the low bits are the system's
  EXPECT_EQ(SystemCommandOf(0xF140), SystemCommand::ScreenSaveAsked);
  EXPECT_EQ(SystemCommandOf(0xF100), SystemCommand::MenuKey);
  EXPECT_EQ(SystemCommandOf(0xF020), SystemCommand::Other);  // minimise
  EXPECT_EQ(SystemCommandOf(0xF170), SystemCommand::Other);  // monitor power
}

}  // namespace
}  // namespace zelor::win32
