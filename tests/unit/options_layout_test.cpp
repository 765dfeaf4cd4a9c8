#include "settings/options_layout.h"

#include <gtest/gtest.h>

#include <set>

namespace zelor {
namespace {

bool Overlap(TwipsRect a, TwipsRect b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

TEST(OptionsLayout, EveryControlLiesInsideTheClientArea) {
  for (const auto& place : kOptionsLayout) {
    const TwipsRect r = place.rect;
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.left + r.width, kOptionsClientWidthTwips) << static_cast<int>(place.control);
    EXPECT_LE(r.top + r.height, kOptionsClientHeightTwips) << static_cast<int>(place.control);
  }
}

TEST(OptionsLayout, NoTwoControlsCoverEachOther) {
  for (std::size_t i = 0; i < kOptionsLayout.size(); ++i)
    for (std::size_t j = i + 1; j < kOptionsLayout.size(); ++j)
      EXPECT_FALSE(Overlap(kOptionsLayout[i].rect, kOptionsLayout[j].rect))
          << static_cast<int>(kOptionsLayout[i].control) << " and " << static_cast<int>(kOptionsLayout[j].control);
}

TEST(OptionsLayout, ListsEachControlOnce) {
  std::set<OptionsControl> seen;
  for (const auto& place : kOptionsLayout) EXPECT_TRUE(seen.insert(place.control).second);
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(OptionsControl::chkAlleBildschirme) + 1);
}

}  // namespace
}  // namespace zelor
