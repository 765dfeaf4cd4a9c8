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
#define IDC_LBLGENAUIGKEIT 214
#define IDC_TXTGENAUIGKEIT 215
#define IDC_CHKNAEHERUNG 216

#ifndef RC_INVOKED
#include <optional>
#include <string>

#include "common/setting_table.h"
#include "settings/options_layout.h"

namespace zelor::win32 {

// A setting's control: a number's text field, a switch's check box or a
// text's button (the settings table tells which), and a field's label (0
// for none); and where it stands in the dialog.
struct OptionsSettingControl {
  const std::string& key;
  int control;
  int label;
  int row;
  OptionsColumn column;
  int labelLines;
  std::optional<double> suggestion = std::nullopt;
};

inline const OptionsSettingControl kOptionsSettingControls[] = {
    // key, control, label, row, column, label lines
    {kKeyBreite, IDC_TXTBREITE, IDC_LBLBREITE, 0, OptionsColumn::Left, 1},
    {kKeyHoehe, IDC_TXTHOEHE, IDC_LBLHOEHE, 1, OptionsColumn::Left, 1},
    {kKeyIntervall, IDC_TXTINTERVALL, IDC_LBLINTERVALL, 2, OptionsColumn::Left, 1},
    {kKeyTempo, IDC_TXTTEMPO, IDC_LBLTEMPO, 3, OptionsColumn::Left, 2},
    {kKeySaveResults, IDC_CHKSPEICHERN, 0, 4, OptionsColumn::Left, 1},
    {kKeyRund, IDC_CHKRUND, 0, 5, OptionsColumn::Left, 1},
    {kKeyAlleBildschirme, IDC_CHKALLEBILDSCHIRME, 0, 6, OptionsColumn::Left, 1},
    // Last, so the keys that reach the older controls stay as they were. It
    // suggests 16 substeps (docs/accuracy.md); the run's default stays 1.
    {kKeyGenauigkeit, IDC_TXTGENAUIGKEIT, IDC_LBLGENAUIGKEIT, 7, OptionsColumn::Left, 2, 16},
    {kKeyNaeherung, IDC_CHKNAEHERUNG, 0, 8, OptionsColumn::Left, 1},
    {kKeyDatei, IDC_CMDDATEI, 0, 2, OptionsColumn::Right, 1},
    {kKeyResultsPath, IDC_CMDSPEICHER, 0, 4, OptionsColumn::Right, 1},
};

// The settings the options dialog leaves out: the password has dialogs of its own.
inline const std::string* const kNotInTheOptionsDialog[] = {&kKeyPasswort};

inline OptionsRows OptionsDialogRows() {
  OptionsRows rows;
  for (const OptionsSettingControl& control : kOptionsSettingControls)
    rows.push_back({control.key, control.row, control.column, control.labelLines, control.suggestion});
  return rows;
}

}  // namespace zelor::win32
#endif
