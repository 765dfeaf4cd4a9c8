#include "common/twips.h"

#include <gtest/gtest.h>

namespace zelor {
namespace {

TEST(Twips, FifteenTwipsMakeAPixelAtNinetySixDpi) {
  EXPECT_EQ(TwipsToPixels(1440, 96), 96);
  EXPECT_EQ(TwipsToPixels(2055, 96), 137);
  EXPECT_EQ(TwipsToPixels(615, 96), 41);
}

TEST(Twips, ScaleWithTheMonitorsDpi) {
  const PixelBox dialog = ToPixels({kDialogLeftTwips, kDialogTopTwips, 5010, 2010}, 144);
  EXPECT_EQ(dialog.left, 276);
  EXPECT_EQ(dialog.top, 375);
  EXPECT_EQ(dialog.width, 501);
  EXPECT_EQ(dialog.height, 201);
  EXPECT_EQ(TwipsToPixels(375, 192), 50);
  EXPECT_EQ(TwipsToPixels(255, 120), 21);  // 21.25 rounds down
  EXPECT_EQ(TwipsToPixels(-90, 96), -6);
}

TEST(Twips, HalvesRoundAwayFromZeroAsMulDivDoes) {
  EXPECT_EQ(TwipsToPixels(6, 120), 1);  // 0.5
  EXPECT_EQ(TwipsToPixels(-6, 120), -1);
  EXPECT_EQ(TwipsToPixels(15, 144), 2);  // 1.5
  EXPECT_EQ(TwipsToPixels(-15, 144), -2);
  EXPECT_EQ(TwipsToPixels(30, 168), 4);  // 3.5
  EXPECT_EQ(TwipsToPixels(-30, 168), -4);
}

}  // namespace
}  // namespace zelor
