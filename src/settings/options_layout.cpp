#include "settings/options_layout.h"

#include <algorithm>

#include "common/setting_table.h"

namespace zelor {
namespace {

// The rows are 480 twips apart; each control is 375 high, a label's line 255.
constexpr int kFirstRowTop = 120, kRowPitch = 480, kControlHeight = 375, kMargin = 75;
constexpr int kLabelLeft = 120, kLabelWidth = 2160, kLineHeight = 255, kTwoLinesHeight = 435;
constexpr int kFieldLeft = 2280, kFieldWidth = 1215;
constexpr int kButtonLeft = 3720, kButtonWidth = 1215;
constexpr int kOkRow = 0, kCancelRow = 1;

int RowTop(int row) { return kFirstRowTop + row * kRowPitch; }

// A one-line caption sits level with its field's text; two lines stand
// around the field's middle.
TwipsRect LabelPlace(int row, int lines) {
  if (lines > 1) return {kLabelLeft, RowTop(row) - 15, kLabelWidth, kTwoLinesHeight};
  return {kLabelLeft, RowTop(row) + 60, kLabelWidth, kLineHeight};
}

int LowestRow() {
  int lowest = kCancelRow;
  for (const SettingInfo& setting : kSettingTable) lowest = std::max(lowest, setting.dialogRow);
  return lowest;
}

}  // namespace

int OptionsClientHeightTwips() { return RowTop(LowestRow()) + kControlHeight + kMargin; }

std::vector<OptionsControlPlace> OptionsLayout() {
  std::vector<OptionsControlPlace> places;
  for (int row = 0; row <= LowestRow(); ++row) {
    const int top = RowTop(row);
    for (const SettingInfo* setting : SettingsInDialogOrder()) {
      if (setting->dialogRow != row) continue;
      if (setting->kind == SettingKind::Number) {
        places.push_back({{OptionsPart::Label, setting->key}, LabelPlace(row, setting->labelLines)});
        places.push_back({{OptionsPart::Field, setting->key}, {kFieldLeft, top, kFieldWidth, kControlHeight}});
      } else if (setting->kind == SettingKind::Switch) {
        places.push_back(
            {{OptionsPart::Box, setting->key}, {kLabelLeft, top, kFieldLeft + kFieldWidth - kLabelLeft, kControlHeight}});
      }
    }
    const TwipsRect button{kButtonLeft, top, kButtonWidth, kControlHeight};
    if (row == kOkRow) places.push_back({{OptionsPart::OK, std::string()}, button});
    if (row == kCancelRow) places.push_back({{OptionsPart::Cancel, std::string()}, button});
    for (const SettingInfo* setting : SettingsInDialogOrder())
      if (setting->dialogRow == row && setting->kind == SettingKind::Text)
        places.push_back({{OptionsPart::Button, setting->key}, button});
  }
  return places;
}

}  // namespace zelor
