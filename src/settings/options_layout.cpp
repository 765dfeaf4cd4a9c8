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

int LowestRow(const OptionsRows& rows) {
  int lowest = kCancelRow;
  for (const OptionsRow& row : rows) lowest = std::max(lowest, row.row);
  return lowest;
}

// A setting the table does not know is shown as a text, a button that does nothing.
SettingKind KindOf(const std::string& key) {
  const SettingInfo* setting = FindSetting(key);
  return setting ? setting->kind : SettingKind::Text;
}

}  // namespace

int OptionsClientHeightTwips(const OptionsRows& rows) { return RowTop(LowestRow(rows)) + kControlHeight + kMargin; }

std::vector<const OptionsRow*> LeftColumnFromTheTop(const OptionsRows& rows) {
  std::vector<const OptionsRow*> left;
  for (const OptionsRow& row : rows)
    if (row.column == OptionsColumn::Left) left.push_back(&row);
  std::stable_sort(left.begin(), left.end(), [](const OptionsRow* a, const OptionsRow* b) { return a->row < b->row; });
  return left;
}

std::vector<OptionsControlPlace> OptionsLayout(const OptionsRows& rows) {
  std::vector<OptionsControlPlace> places;
  for (int row = 0; row <= LowestRow(rows); ++row) {
    const int top = RowTop(row);
    for (const OptionsRow* setting : LeftColumnFromTheTop(rows)) {
      if (setting->row != row) continue;
      if (KindOf(setting->key) == SettingKind::Number) {
        places.push_back({{OptionsPart::Label, setting->key}, LabelPlace(row, setting->labelLines)});
        places.push_back({{OptionsPart::Field, setting->key}, {kFieldLeft, top, kFieldWidth, kControlHeight}});
      } else {
        places.push_back(
            {{OptionsPart::Box, setting->key}, {kLabelLeft, top, kFieldLeft + kFieldWidth - kLabelLeft, kControlHeight}});
      }
    }
    const TwipsRect button{kButtonLeft, top, kButtonWidth, kControlHeight};
    if (row == kOkRow) places.push_back({{OptionsPart::OK, std::string()}, button});
    if (row == kCancelRow) places.push_back({{OptionsPart::Cancel, std::string()}, button});
    for (const OptionsRow& setting : rows)
      if (setting.row == row && setting.column == OptionsColumn::Right)
        places.push_back({{OptionsPart::Button, setting.key}, button});
  }
  return places;
}

}  // namespace zelor
