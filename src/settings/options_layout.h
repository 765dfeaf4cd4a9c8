// frmOptionen's controls with their places in twips. The rows come from the
// settings table, so a new setting finds its place without a change here;
// the Windows dialog template lists the same controls.
#pragma once

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

struct OptionsControlPlace {
  OptionsControl control;
  TwipsRect rect;  // within the client area
};

constexpr int kOptionsClientWidthTwips = 5010;
// Below the lowest row.
int OptionsClientHeightTwips();

// Every control, row by row from the top, each row from left to right. The
// labels reach up to their text boxes and the check boxes up to the column
// of text boxes. Where the dialog font needs more room at the monitor's dots
// per inch, the dialog widens the column (MakeRoomForCaptions). None reaches
// into its neighbour, so no control paints over another's edge.
std::vector<OptionsControlPlace> OptionsLayout();

}  // namespace zelor
