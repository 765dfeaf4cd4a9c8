// The two password dialogs as they are laid out, in twips within the client
// area; the window system turns them into pixels for the monitor.
#pragma once

#include "common/twips.h"

namespace zelor::password_layout {

// frmPWEingabe. The labels reach up to their text boxes; where the dialog
// font needs more room, the dialog widens their column (MakeRoomForCaptions).
constexpr int kEingabeWidth = 5250;
constexpr int kEingabeHeight = 1050;
constexpr TwipsRect kLblNeu{120, 180, 1320, 255};
constexpr TwipsRect kTxtNeu{1440, 120, 2415, 375};
constexpr TwipsRect kLblBestaetigung{120, 660, 1320, 255};
constexpr TwipsRect kTxtBestaetigung{1440, 600, 2415, 375};
constexpr TwipsRect kEingabeOK{3960, 120, 1215, 375};
constexpr TwipsRect kCmdAbbrechen{3960, 600, 1215, 375};

// frmPWAbfrage
constexpr int kAbfrageWidth = 2610;
constexpr int kAbfrageHeight = 1050;
constexpr TwipsRect kTxtPasswort{120, 120, 2415, 375};
constexpr TwipsRect kAbfrageOK{720, 600, 1215, 375};

}  // namespace zelor::password_layout
