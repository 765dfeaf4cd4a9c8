#include "settings/options_layout.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "common/caption_room.h"
#include "lock/password_layout.h"
#include "common/setting_table.h"
#include "win32/options_ids.h"

namespace zelor {
namespace {

const std::vector<OptionsControlPlace> kOptionsLayout = OptionsLayout(win32::OptionsDialogRows());
const int kOptionsClientHeightTwips = OptionsClientHeightTwips(win32::OptionsDialogRows());

// For messages: "Field Tempo".
std::string Name(const OptionsControl& control) {
  static const char* const kParts[] = {"Label", "Field", "Box", "Button", "OK", "Cancel"};
  return std::string(kParts[static_cast<int>(control.part)]) + " " + control.key;
}

bool Overlap(TwipsRect a, TwipsRect b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

TEST(OptionsLayout, EveryControlLiesInsideTheClientArea) {
  for (const auto& place : kOptionsLayout) {
    const TwipsRect r = place.rect;
    EXPECT_GE(r.left, 0);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.left + r.width, kOptionsClientWidthTwips) << Name(place.control);
    EXPECT_LE(r.top + r.height, kOptionsClientHeightTwips) << Name(place.control);
  }
}

TEST(OptionsLayout, NoTwoControlsCoverEachOther) {
  for (std::size_t i = 0; i < kOptionsLayout.size(); ++i)
    for (std::size_t j = i + 1; j < kOptionsLayout.size(); ++j)
      EXPECT_FALSE(Overlap(kOptionsLayout[i].rect, kOptionsLayout[j].rect))
          << Name(kOptionsLayout[i].control) << " and " << Name(kOptionsLayout[j].control);
}

// A caption reads as belonging to its field when both share a middle.
TEST(OptionsLayout, EveryLabelStandsLevelWithItsField) {
  for (const auto& label : kOptionsLayout) {
    if (label.control.part != OptionsPart::Label) continue;
    for (const auto& field : kOptionsLayout) {
      if (field.control.part != OptionsPart::Field || field.control.key != label.control.key) continue;
      EXPECT_NEAR(label.rect.top + label.rect.height / 2.0, field.rect.top + field.rect.height / 2.0, 15)
          << label.control.key;
    }
  }
}

TEST(OptionsLayout, ListsEachControlOnce) {
  std::set<std::string> seen;
  for (const auto& place : kOptionsLayout) EXPECT_TRUE(seen.insert(Name(place.control)).second) << Name(place.control);
  // "OK", "Abbrechen", and every setting the dialog shows: a number with its label.
  std::size_t controls = 2;
  for (const win32::OptionsSettingControl& row : win32::kOptionsSettingControls)
    controls += FindSetting(row.key)->kind == SettingKind::Number ? 2 : 1;
  EXPECT_EQ(seen.size(), controls);
}

// The options dialog and frmPWEingabe in pixels, as they open at `dpi`.
PixelDialog OptionsInPixels(int dpi) {
  std::vector<TwipsRect> rects;
  for (const auto& place : kOptionsLayout) rects.push_back(place.rect);
  return DialogInPixels(kOptionsClientWidthTwips, kOptionsClientHeightTwips, rects, dpi);
}
PixelDialog EingabeInPixels(int dpi) {
  namespace pw = password_layout;
  return DialogInPixels(pw::kEingabeWidth, pw::kEingabeHeight,
                        {pw::kLblNeu, pw::kTxtNeu, pw::kLblBestaetigung, pw::kTxtBestaetigung, pw::kEingabeOK,
                         pw::kCmdAbbrechen},
                        dpi);
}
std::size_t Index(OptionsPart part, const std::string& key) {
  for (std::size_t i = 0; i < kOptionsLayout.size(); ++i)
    if (kOptionsLayout[i].control.part == part && kOptionsLayout[i].control.key == key) return i;
  ADD_FAILURE() << "no such control";
  return 0;
}

bool Overlap(PixelBox a, PixelBox b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

TEST(CaptionRoom, ALongLabelWidensItsColumnAndMovesWhatLiesBeyond) {
  // "Berechnungsintervall (Tage):" is 164 pixels wide in Wine's dialog font at
  // 96 dpi; the label column is 144, and 4 more keep it off the text box. At
  // 1,440 dpi, where a twip is a pixel, all of it 15 times: the 60 twips of
  // air to the twip.
  for (const int scale : {1, 15}) {
    const int dpi = 96 * scale, widened = 24 * scale;
    PixelDialog dialog = OptionsInPixels(dpi);
    const PixelDialog before = dialog;
    std::vector<int> needs(dialog.controls.size(), 0);
    needs[Index(OptionsPart::Label, kKeyIntervall)] = 164 * scale;
    needs[Index(OptionsPart::Label, kKeyBreite)] = 123 * scale;
    MakeRoomForCaptions(dialog, needs, dpi);
    const int fieldColumn = before.controls[Index(OptionsPart::Field, kKeyBreite)].left;
    EXPECT_EQ(dialog.width, before.width + widened) << dpi;
    EXPECT_EQ(dialog.height, before.height);
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
      const PixelBox was = before.controls[i], is = dialog.controls[i];
      EXPECT_EQ(is.top, was.top);
      EXPECT_EQ(is.height, was.height);
      if (was.left >= fieldColumn) {  // text boxes and buttons move right
        EXPECT_EQ(is.left, was.left + widened) << i << " at " << dpi;
        EXPECT_EQ(is.width, was.width) << i;
      } else {  // the labels, and the check box that reaches across them, widen
        EXPECT_EQ(is.left, was.left) << i;
        EXPECT_EQ(is.width, was.width + widened) << i << " at " << dpi;
      }
    }
  }
}

TEST(CaptionRoom, CaptionsThatFitLeaveTheDialogAsItsTwipsGiveIt) {
  for (int dpi : {96, 144, 192}) {
    PixelDialog dialog = EingabeInPixels(dpi);
    const PixelDialog before = dialog;
    std::vector<int> needs;
    const int air = TwipsToPixels(kCaptionAirTwips, dpi);
    for (const PixelBox& box : dialog.controls) needs.push_back(box.width - air);
    MakeRoomForCaptions(dialog, needs, dpi);
    EXPECT_EQ(dialog.width, before.width);
    for (std::size_t i = 0; i < needs.size(); ++i) {
      EXPECT_EQ(dialog.controls[i].left, before.controls[i].left);
      EXPECT_EQ(dialog.controls[i].width, before.controls[i].width);
    }
    MakeRoomForCaptions(dialog, {}, dpi);  // no needs at all
    EXPECT_EQ(dialog.width, before.width);
  }
}

// Whatever the captions need: each gets its room with the air, the rows and
// the order from left to right stay, nothing comes to cover anything else,
// everything stays inside the client area, and the dialog grows by no more
// than the room that was missing.
TEST(CaptionRoom, AnyNeedsGetTheirRoomAndKeepRowsOrderAndClearance) {
  std::mt19937 random(23);
  for (int dpi : {96, 144, 192})
    for (bool options : {true, false})
      for (int round = 0; round < 300; ++round) {
        PixelDialog dialog = options ? OptionsInPixels(dpi) : EingabeInPixels(dpi);
        const PixelDialog before = dialog;
        const int air = TwipsToPixels(kCaptionAirTwips, dpi);
        std::vector<int> needs;
        int missing = 0;
        for (const PixelBox& box : dialog.controls) {
          const int need = std::uniform_int_distribution<int>(0, 2)(random) == 0
                               ? 0
                               : std::uniform_int_distribution<int>(1, box.width * 2)(random);
          needs.push_back(need);
          missing += std::max(0, need + air - box.width);
        }
        MakeRoomForCaptions(dialog, needs, dpi);
        const auto& is = dialog.controls;
        const auto& was = before.controls;
        EXPECT_LE(dialog.width, before.width + missing);
        EXPECT_EQ(dialog.height, before.height);
        for (std::size_t i = 0; i < is.size(); ++i) {
          if (needs[i] > 0) {
            EXPECT_GE(is[i].width, needs[i] + air) << i << " at " << dpi;
          }
          EXPECT_EQ(is[i].top, was[i].top);
          EXPECT_EQ(is[i].height, was[i].height);
          EXPECT_GE(is[i].left, 0);
          EXPECT_LE(is[i].left + is[i].width, dialog.width) << i << " at " << dpi;
          for (std::size_t j = 0; j < is.size(); ++j) {
            if (j == i) continue;
            if (!Overlap(was[i], was[j])) {
              EXPECT_FALSE(Overlap(is[i], is[j])) << i << " and " << j;
            }
            // The gap between two controls side by side never shrinks.
            if (was[i].left + was[i].width <= was[j].left) {
              EXPECT_GE(is[j].left - (is[i].left + is[i].width), was[j].left - (was[i].left + was[i].width));
            }
          }
        }
        if (HasFailure()) return;
      }
}

}  // namespace
}  // namespace zelor
