// Twips to pixels against MulDiv, with which Windows programs scale by the
// monitor's dots per inch (run under Wine).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/twips.h"

namespace zelor {
namespace {

TEST(TwipsAsMulDiv, AgreeAtEveryCommonDpiHalvesIncluded) {
  // 100 % to 300 %, and 72 dpi; 120, 144, 168, 240 and 288 put some twips
  // exactly halfway between two pixels, 96 and 192 never.
  const int dpis[] = {72, 96, 120, 144, 168, 192, 240, 288};
  int halvesAbove = 0, halvesBelow = 0, differences = 0;
  for (int dpi : dpis)
    for (int twips = -20000; twips <= 20000; ++twips) {
      const int expected = MulDiv(twips, dpi, kTwipsPerInch);
      if (std::abs(twips * dpi % kTwipsPerInch) == kTwipsPerInch / 2) ++(twips > 0 ? halvesAbove : halvesBelow);
      if (TwipsToPixels(twips, dpi) != expected && ++differences <= 10)
        ADD_FAILURE() << twips << " twips at " << dpi << " dpi: ours " << TwipsToPixels(twips, dpi)
                      << ", MulDiv " << expected;
    }
  EXPECT_EQ(differences, 0);
  EXPECT_GT(halvesAbove, 1000);
  EXPECT_GT(halvesBelow, 1000);
  // The dialogs' far edges, where a pixel too many would show.
  for (int dpi : dpis)
    for (int twips : {kDialogLeftTwips + 5010, kDialogTopTwips + 2010, 1 << 20, -(1 << 20)})
      EXPECT_EQ(TwipsToPixels(twips, dpi), MulDiv(twips, dpi, kTwipsPerInch)) << twips << " at " << dpi;
}

}  // namespace
}  // namespace zelor
