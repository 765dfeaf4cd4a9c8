// frmOptionen's controls with their places in twips, from the dialog's rows:
// a new setting finds its place by its row, without a change here. The
// Windows front end keeps the rows beside its control ids and its template.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/twips.h"

namespace zelor {

enum class OptionsPart {
  Label,   // a number's caption, left of its field
  Field,   // a number's text field
  Box,     // a switch's check box
  Button,  // a text's button, "Zelor-Datei...", in the right column
  OK,
  Cancel,  // "Abbrechen"
};

struct OptionsControl {
  OptionsPart part;
  std::string key;  // the setting's; empty for "OK" and "Abbrechen"
};

// Where a setting stands in the dialog. Left: a number's label and field, or
// a switch's check box. Right: a text's button, below "OK" (row 0) and
// "Abbrechen" (row 1).
enum class OptionsColumn { Left, Right };

struct OptionsRow {
  std::string key;
  int row;  // counted from 0 at the top
  OptionsColumn column;
  int labelLines;  // a number's caption too long for one line of the label column takes 2
  // What a number's field shows while nothing is stored, when the dialog
  // suggests another value than the default the run takes; "OK" stores it.
  std::optional<double> suggestion = std::nullopt;
};
using OptionsRows = std::vector<OptionsRow>;

struct OptionsControlPlace {
  OptionsControl control;
  TwipsRect rect;  // within the client area
};

constexpr int kOptionsClientWidthTwips = 5010;
// Below the lowest row.
int OptionsClientHeightTwips(const OptionsRows& rows);

// Every control, row by row from the top, each row from left to right. The
// labels reach up to their text boxes and the check boxes up to the column
// of text boxes. Where the dialog font needs more room at the monitor's dots
// per inch, the dialog widens the column (MakeRoomForCaptions). None reaches
// into its neighbour, so no control paints over another's edge.
std::vector<OptionsControlPlace> OptionsLayout(const OptionsRows& rows);

// The settings of the left column from the top down: the order in which the
// form shows, checks and writes them.
std::vector<const OptionsRow*> LeftColumnFromTheTop(const OptionsRows& rows);

}  // namespace zelor
