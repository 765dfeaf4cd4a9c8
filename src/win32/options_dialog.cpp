#include "win32/options_dialog.h"

#include <string>
#include <vector>

#include "settings/options_form.h"
#include "settings/options_layout.h"
#include "sim/sky_fit.h"
#include "win32/file_dialog.h"
#include "win32/fitted_title.h"
#include "win32/options_ids.h"
#include "win32/dialog_layout.h"
#include "win32/wide_text.h"
#include "win32/win32_file_system.h"

namespace zelor::win32 {
namespace {

const OptionsSettingControl* ControlsOf(const std::string& key) {
  for (const OptionsSettingControl& row : kOptionsSettingControls)
    if (row.key == key) return &row;
  return nullptr;
}

int ControlId(const OptionsControl& control) {
  if (control.part == OptionsPart::OK) return IDOK;
  if (control.part == OptionsPart::Cancel) return IDCANCEL;
  const OptionsSettingControl* row = ControlsOf(control.key);
  if (!row) return 0;
  return control.part == OptionsPart::Label ? row->label : row->control;
}

// The field that gets the focus after a message about it.
int FieldId(const std::string& key) {
  const OptionsSettingControl* row = ControlsOf(key);
  return row ? row->control : IDC_TXTBREITE;
}

SettingKind KindOf(const std::string& key) {
  const SettingInfo* setting = FindSetting(key);
  return setting ? setting->kind : SettingKind::Text;
}

void SetText(HWND dialog, int id, const std::string& utf8) { SetDlgItemTextW(dialog, id, Widen(utf8).c_str()); }
std::string Text(HWND dialog, int id) { return WindowTextUtf8(GetDlgItem(dialog, id)); }

void Form_Load(HWND dialog, const OptionsForm& form) {
  const OptionsView view = form.Form_Load();
  for (const OptionsSettingControl& row : kOptionsSettingControls) {
    const auto field = view.fields.find(row.key);
    if (field != view.fields.end()) SetText(dialog, row.control, field->second);
    const auto box = view.boxes.find(row.key);
    if (box != view.boxes.end()) CheckDlgButton(dialog, row.control, static_cast<UINT>(box->second));
  }

  std::vector<ControlPlace> places;
  const OptionsRows rows = OptionsDialogRows();
  for (const OptionsControlPlace& place : OptionsLayout(rows)) places.push_back({ControlId(place.control), place.rect});
  LayoutDialog(dialog, kOptionsClientWidthTwips, OptionsClientHeightTwips(rows), places.data(), places.size());
  SetFittedOptionsTitle(dialog, view.title);  // once the dialog has its size
}

OptionsEntry Entry(HWND dialog) {
  OptionsEntry entry;
  for (const OptionsSettingControl& row : kOptionsSettingControls) {
    const SettingKind kind = KindOf(row.key);
    if (kind == SettingKind::Switch)
      entry.boxes[row.key] = static_cast<CheckState>(IsDlgButtonChecked(dialog, row.control));
    if (kind == SettingKind::Number) entry.fields[row.key] = Text(dialog, row.control);
  }
  return entry;
}

void cmdOK_Click(HWND dialog, OptionsForm& form) {
  const OkOutcome outcome = form.cmdOK_Click(Entry(dialog));
  switch (outcome.kind) {
    case OkOutcome::Kind::Saved:
      EndDialog(dialog, IDOK);
      return;
    case OkOutcome::Kind::NotANumber: {
      ShowMessage(dialog, outcome.message.c_str(), MB_OK | MB_ICONEXCLAMATION);
      const HWND box = GetDlgItem(dialog, FieldId(outcome.field));
      SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
      SendMessageW(box, EM_SETSEL, 0, -1);
      return;
    }
    case OkOutcome::Kind::NotSaved:
      ShowMessage(dialog, outcome.message.c_str(), MB_OK | MB_ICONERROR);
      return;
  }
}

void Present(HWND dialog, const FileOutcome& outcome) {
  if (outcome.title) SetFittedOptionsTitle(dialog, *outcome.title);
  for (const auto& [key, text] : outcome.fields) SetText(dialog, FieldId(key), text);
  if (!outcome.message.empty()) ShowMessage(dialog, outcome.message.c_str(), MB_OK | MB_ICONERROR);
}

FileChooser Chooser(HWND dialog, FileDialogKind kind) {
  return [dialog, kind](const std::string& preset) { return ChooseZelorFile(dialog, kind, preset); };
}

std::optional<Sky> SkyOfBodyFile(const std::string& path, const Sky& shape) {
  Win32FileSystem files;
  return SkyHoldingBodyFile(files, path, shape);
}

INT_PTR CALLBACK OptionsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    Form_Load(dialog, *reinterpret_cast<OptionsForm*>(lParam));
    return TRUE;  // the focus goes to txtBreite, its text selected
  }
  auto* form = reinterpret_cast<OptionsForm*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (message != WM_COMMAND || !form || HIWORD(wParam) != BN_CLICKED) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      cmdOK_Click(dialog, *form);
      return TRUE;
    case IDCANCEL:  // "Abbrechen", Escape and the close box
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    case IDC_CMDDATEI:
      Present(dialog, form->cmdDatei_Click(Chooser(dialog, FileDialogKind::Open), SkyOfBodyFile,
                                           Entry(dialog).fields));
      return TRUE;
    case IDC_CMDSPEICHER:
      Present(dialog, form->cmdSpeicher_Click(Chooser(dialog, FileDialogKind::Save)));
      return TRUE;
  }
  return FALSE;
}

}  // namespace

void ShowOptionsDialog(HINSTANCE instance, Settings& settings, HWND owner) {
  OptionsForm form(settings, OptionsDialogRows());
  ShowOwnedDialog(instance, IDD_OPTIONEN, OptionsProc, reinterpret_cast<LPARAM>(&form), owner);
}

}  // namespace zelor::win32
