// frmPWAbfrage: the query that guards the end of a saver run. It is created
// once and only hidden after OK, so a wrong entry is still in the box the next
// time; only its close box destroys it, and with it the typed text.
#include <iterator>

#include "lock/password_layout.h"
#include "win32/password_box.h"
#include "win32/password_dialogs.h"
#include "win32/password_ids.h"
#include "win32/dialog_layout.h"
#include "win32/wide_text.h"

namespace zelor::win32 {
namespace {

namespace layout = password_layout;

constexpr ControlPlace kAbfragePlaces[] = {
    {IDC_ABFRAGE_OK, layout::kAbfrageOK},
    {IDC_TXTPASSWORT, layout::kTxtPasswort},
};

// The session the query answers to, which alone knows whether it is open.
// The query's window stays between runs of it, and with it the typed text.
SaverSession* SessionOf(HWND dialog) { return reinterpret_cast<SaverSession*>(GetWindowLongPtrW(dialog, DWLP_USER)); }

// The owner takes input again before the query goes, so the activation
// returns to it rather than to some other program.
void EnableOwner(HWND dialog) {
  if (HWND owner = GetWindow(dialog, GW_OWNER)) EnableWindow(owner, TRUE);
}

void cmdOK_Click(HWND dialog, SaverSession& session) {
  session.QueryAnswered(WindowTextUtf8(GetDlgItem(dialog, IDC_TXTPASSWORT)));
  EnableOwner(dialog);
  ShowWindow(dialog, SW_HIDE);
}

INT_PTR CALLBACK AbfrageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      PreparePasswordBox(GetDlgItem(dialog, IDC_TXTPASSWORT));
      LayoutDialog(dialog, layout::kAbfrageWidth, layout::kAbfrageHeight, kAbfragePlaces,
                   std::size(kAbfragePlaces));
      return TRUE;  // the focus goes to OK, the first control in tab order
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_ABFRAGE_OK:
        case IDOK: {
          SaverSession* session = SessionOf(dialog);
          if (session && session->QueryOpen()) cmdOK_Click(dialog, *session);
          return TRUE;
        }
        case IDCANCEL:  // Escape: the query has no cancel, so nothing happens
          return TRUE;
      }
      break;
    case WM_CLOSE:  // the close box and Alt+F4: no comparison, the text is lost
      if (SaverSession* session = SessionOf(dialog)) session->QueryClosed();
      EnableOwner(dialog);
      DestroyWindow(dialog);
      return TRUE;
  }
  return FALSE;
}

// Runs the query's messages until it is hidden or closed. A WM_QUIT is handed
// on to the loop that owns it.
void RunModalLoop(HWND query, const SaverSession& session) {
  MSG msg;
  while (session.QueryOpen()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (got < 0) return;
    if (!IsWindow(query) || !IsDialogMessageW(query, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

}  // namespace

void PasswordQuery::Ask(HINSTANCE instance, HWND owner, SaverSession& session) {
  if (window_ && !IsWindow(window_)) window_ = nullptr;  // its close box destroyed it
  if (!window_) {
    window_ = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_PWABFRAGE), owner, AbfrageProc, 0);
    if (!window_) return;  // no query, no way to end a locked run
  }
  SetWindowLongPtrW(window_, DWLP_USER, reinterpret_cast<LONG_PTR>(&session));
  if (owner) EnableWindow(owner, FALSE);
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(window_);
  RunModalLoop(window_, session);
  if (session.QueryOpen()) {  // left by WM_QUIT: put the query away as a close would
    session.QueryClosed();
    if (IsWindow(window_)) ShowWindow(window_, SW_HIDE);
  }
  if (owner) EnableWindow(owner, TRUE);
}

}  // namespace zelor::win32
