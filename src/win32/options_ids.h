// Resource ids of the options dialog (the range 200-299 is the settings'),
// and which setting each field and check box shows. Plain defines: the
// dialog template includes this file too, and skips the table.
#pragma once

#define IDD_OPTIONEN 200
#define IDC_LBLBREITE 201
#define IDC_TXTBREITE 202
#define IDC_LBLHOEHE 203
#define IDC_TXTHOEHE 204
#define IDC_LBLINTERVALL 205
#define IDC_TXTINTERVALL 206
#define IDC_CMDDATEI 207
#define IDC_CHKSPEICHERN 208
#define IDC_CMDSPEICHER 209
#define IDC_LBLTEMPO 210
#define IDC_TXTTEMPO 211
#define IDC_CHKRUND 212
#define IDC_CHKALLEBILDSCHIRME 213

#ifndef RC_INVOKED
#include <string>

#include "common/setting_table.h"

namespace zelor::win32 {

// A setting's control: a number's text field, a switch's check box or a
// text's button (the settings table tells which), and a field's label; 0 for
// none.
struct OptionsSettingControl {
  const std::string& key;
  int control;
  int label;
};

inline const OptionsSettingControl kOptionsSettingControls[] = {
    {kKeyBreite, IDC_TXTBREITE, IDC_LBLBREITE},
    {kKeyHoehe, IDC_TXTHOEHE, IDC_LBLHOEHE},
    {kKeyIntervall, IDC_TXTINTERVALL, IDC_LBLINTERVALL},
    {kKeyTempo, IDC_TXTTEMPO, IDC_LBLTEMPO},
    {kKeySaveResults, IDC_CHKSPEICHERN, 0},
    {kKeyRund, IDC_CHKRUND, 0},
    {kKeyAlleBildschirme, IDC_CHKALLEBILDSCHIRME, 0},
    {kKeyDatei, IDC_CMDDATEI, 0},
    {kKeyResultsPath, IDC_CMDSPEICHER, 0},
};

}  // namespace zelor::win32
#endif
