#include "x11/module/message_lines.h"

#include <gtest/gtest.h>

namespace zelor {
namespace {

// Ten pixels a character, an umlaut's two bytes one character.
int Measure(const std::string& text) {
  int characters = 0;
  for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return 10 * characters;
}

TEST(MessageLines, BreaksAtSpacesKeepsLineBreaksAndGivesALongWordALineOfItsOwn) {
  EXPECT_EQ(BreakIntoLines("Die Höhe ist 0. Bitte ändern.", 120, Measure),
            (std::vector<std::string>{"Die Höhe ist", "0. Bitte", "ändern."}));
  EXPECT_EQ(BreakIntoLines("Datei /ein/sehr/langer/Pfad.zel fehlt\nZweite Zeile", 120, Measure),
            (std::vector<std::string>{"Datei", "/ein/sehr/langer/Pfad.zel", "fehlt", "Zweite Zeile"}));
}

}  // namespace
}  // namespace zelor
