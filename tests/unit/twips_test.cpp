#include "common/twips.h"

#include "shell/time_label.h"

#include <gtest/gtest.h>

namespace zelor {
namespace {

TEST(Twips, FifteenTwipsMakeAPixelAtNinetySixDpi) {
  EXPECT_EQ(TwipsToPixels(1440, 96), 96);
  EXPECT_EQ(TwipsToPixels(2055, 96), 137);
  EXPECT_EQ(TwipsToPixels(615, 96), 41);
  EXPECT_EQ(TwipsToPixels(14400, 96), 960);  // ten inches
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
  // At 1,440 dpi a twip is a pixel: the dialog's place to the twip.
  const PixelBox exact = ToPixels({kDialogLeftTwips, kDialogTopTwips, 5010, 2010}, 1440);
  EXPECT_EQ(exact.left, 2760);
  EXPECT_EQ(exact.top, 3750);
}

TEST(Twips, HalvesRoundAwayFromZeroAsMulDivDoes) {
  EXPECT_EQ(TwipsToPixels(6, 120), 1);  // 0.5
  EXPECT_EQ(TwipsToPixels(-6, 120), -1);
  EXPECT_EQ(TwipsToPixels(15, 144), 2);  // 1.5
  EXPECT_EQ(TwipsToPixels(-15, 144), -2);
  EXPECT_EQ(TwipsToPixels(30, 168), 4);  // 3.5
  EXPECT_EQ(TwipsToPixels(-30, 168), -4);
}

// A label 100 wide with a 40-pixel line: a quarter line, 10, either side of
// the text; never narrower than it was.
TEST(TimeLabel, WidensToItsTextWithAQuarterLineEitherSideAndNeverNarrows) {
  EXPECT_EQ(TimeLabelBox(kUsualScreenDpi).width, 137);
  EXPECT_EQ(TimeLabelBox(kUsualScreenDpi).height, 41);
  EXPECT_EQ(TimeLabelBox(1440).width, 2055);  // to the twip, where a twip is a pixel
  EXPECT_EQ(TimeLabelBox(1440).height, 615);
  EXPECT_EQ(WidenedLabelWidth(100, 200, 40), 220);
  EXPECT_EQ(WidenedLabelWidth(100, 50, 40), 100);
}

}  // namespace
}  // namespace zelor
