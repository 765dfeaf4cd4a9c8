// frmOptionen's controls with their places in twips, in tab order. The
// Windows dialog template lists the same controls in the same order.
#pragma once

#include <array>

#include "common/twips.h"

namespace zelor {

enum class OptionsControl {
  lblBreite,
  txtBreite,
  lblHoehe,
  txtHoehe,
  lblIntervall,
  cmdOK,
  txtIntervall,
  cmdAbbrechen,
  cmdDatei,
  lblTempo,
  txtTempo,
  chkSpeichern,
  cmdSpeicher,
  chkRund,
  chkAlleBildschirme,
};

struct OptionsControlPlace {
  OptionsControl control;
  TwipsRect rect;  // within the client area
};

constexpr int kOptionsClientWidthTwips = 5010;
constexpr int kOptionsClientHeightTwips = 3450;

// The labels reach up to their text boxes and the check box up to the
// column of text boxes. Where the dialog font needs more room at the
// monitor's dots per inch, the dialog widens the column (MakeRoomForCaptions).
// None reaches into its neighbour, so no control paints over another's edge.
// The tempo's caption is too long for one line of the label column and takes
// two.
inline constexpr std::array<OptionsControlPlace, 15> kOptionsLayout{{
    {OptionsControl::lblBreite, {120, 180, 2160, 255}},
    {OptionsControl::txtBreite, {2280, 120, 1215, 375}},
    {OptionsControl::lblHoehe, {120, 660, 2160, 255}},
    {OptionsControl::txtHoehe, {2280, 600, 1215, 375}},
    {OptionsControl::lblIntervall, {120, 1140, 2160, 255}},
    {OptionsControl::cmdOK, {3720, 120, 1215, 375}},
    {OptionsControl::txtIntervall, {2280, 1080, 1215, 375}},
    {OptionsControl::cmdAbbrechen, {3720, 600, 1215, 375}},
    {OptionsControl::cmdDatei, {3720, 1080, 1215, 375}},
    {OptionsControl::lblTempo, {120, 1545, 2160, 435}},
    {OptionsControl::txtTempo, {2280, 1560, 1215, 375}},
    {OptionsControl::chkSpeichern, {120, 2040, 3375, 375}},
    {OptionsControl::cmdSpeicher, {3720, 2040, 1215, 375}},
    {OptionsControl::chkRund, {120, 2520, 3375, 375}},
    {OptionsControl::chkAlleBildschirme, {120, 3000, 3375, 375}},
}};

}  // namespace zelor
