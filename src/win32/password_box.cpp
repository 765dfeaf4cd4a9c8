#include "win32/password_box.h"

namespace zelor::win32 {
namespace {

// imm32 is loaded only here, so the program does not depend on it where it is
// missing; without it there is no input-method editor to switch off.
void TurnOffInputMethod(HWND box) {
  using AssociateFn = void*(WINAPI*)(HWND, void*);
  static const AssociateFn associate = [] {
    HMODULE imm = LoadLibraryW(L"imm32.dll");
    return imm ? reinterpret_cast<AssociateFn>(reinterpret_cast<void*>(GetProcAddress(imm, "ImmAssociateContext")))
               : nullptr;
  }();
  if (associate) associate(box, nullptr);
}

}  // namespace

void PreparePasswordBox(HWND box) {
  // Visual styles would show a dot instead.
  SendMessageW(box, EM_SETPASSWORDCHAR, L'*', 0);
  SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
  TurnOffInputMethod(box);
}

}  // namespace zelor::win32
