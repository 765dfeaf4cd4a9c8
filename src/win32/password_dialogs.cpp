// frmPWEingabe: the password entry of mode "a".
#include "win32/password_dialogs.h"

#include <iterator>

#include "lock/password_entry.h"
#include "lock/password_layout.h"
#include "win32/password_box.h"
#include "win32/password_ids.h"
#include "win32/dialog_layout.h"
#include "win32/wide_text.h"

namespace zelor::win32 {
namespace {

namespace layout = password_layout;

constexpr ControlPlace kEingabePlaces[] = {
    {IDC_LBLNEU, layout::kLblNeu},
    {IDC_TXTNEU, layout::kTxtNeu},
    {IDC_LBLBESTAETIGUNG, layout::kLblBestaetigung},
    {IDC_TXTBESTAETIGUNG, layout::kTxtBestaetigung},
    {IDC_EINGABE_OK, layout::kEingabeOK},
    {IDC_ABBRECHEN, layout::kCmdAbbrechen},
};

void cmdOK_Click(HWND dialog) {
  auto& settings = *reinterpret_cast<Settings*>(GetWindowLongPtrW(dialog, DWLP_USER));
  const EntryOutcome outcome = ConfirmPasswordEntry(settings, WindowTextUtf8(GetDlgItem(dialog, IDC_TXTNEU)),
                                                    WindowTextUtf8(GetDlgItem(dialog, IDC_TXTBESTAETIGUNG)));
  switch (outcome) {
    case EntryOutcome::Mismatch:
      ShowMessage(dialog, kPasswordMismatchMessage.c_str(), MB_ICONEXCLAMATION | MB_OK);
      break;
    case EntryOutcome::NotStored:
      ShowMessage(dialog, kPasswordNotStoredMessage.c_str(), MB_ICONEXCLAMATION | MB_OK);
      break;
    case EntryOutcome::Stored:
      EndDialog(dialog, IDOK);
      break;
  }
}

INT_PTR CALLBACK EingabeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      PreparePasswordBox(GetDlgItem(dialog, IDC_TXTNEU));
      PreparePasswordBox(GetDlgItem(dialog, IDC_TXTBESTAETIGUNG));
      LayoutDialog(dialog, layout::kEingabeWidth, layout::kEingabeHeight, kEingabePlaces,
                   std::size(kEingabePlaces));
      return TRUE;  // the focus goes to txtNeu, the first box in tab order
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_EINGABE_OK:
        case IDOK:
          cmdOK_Click(dialog);
          return TRUE;
        case IDC_ABBRECHEN:
        case IDCANCEL:  // Escape and the close box as well
          EndDialog(dialog, IDCANCEL);
          return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

void ShowPasswordEntry(HINSTANCE instance, Settings& settings) {
  ShowOwnedDialog(instance, IDD_PWEINGABE, EingabeProc, reinterpret_cast<LPARAM>(&settings));
}

}  // namespace zelor::win32
