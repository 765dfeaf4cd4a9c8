// Main: one instance at a time; the mode from the command line.
#include <windows.h>

#include "win32/password_dialogs.h"
#include "settings/settings.h"
#include "win32/options_dialog.h"
#include "win32/registry_store.h"
#include "shell/mode.h"
#include "win32/platform.h"
#include "win32/preview_window.h"
#include "win32/saver_run.h"
#include "win32/wide_text.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace zelor;
  const std::string commandLine = win32::Narrow(GetCommandLineW());
  const Command command = ParseCommand(ArgumentText(commandLine));
  const Mode mode = command.mode;
  if (mode == Mode::Exit) ExitProcess(0);
  // A window handle is pointer-sized; a number beyond it names no window.
  const HWND window = command.window <= UINTPTR_MAX ? reinterpret_cast<HWND>(static_cast<UINT_PTR>(command.window))
                                                    : nullptr;

  // The mutex lives until the process ends; a second start sees it and leaves
  // without looking at anything else. The preview in the settings page takes
  // no part: the page's own "Vorschau" starts a saver while it runs.
  if (mode != Mode::Preview) {
    CreateMutexW(nullptr, FALSE, L"Local\\Zelor2.Instanz");
    if (GetLastError() == ERROR_ALREADY_EXISTS) ExitProcess(0);
  }

  win32::RegistryStore store;
  Settings settings(store, MakeDefaultPaths(win32::ApplicationDataFolder()), win32::UserNumberLocale());
  int exitCode = 0;
  switch (mode) {
    case Mode::Saver:
      exitCode = win32::RunSaver(instance, settings);
      break;
    case Mode::Options:
      win32::ShowOptionsDialog(instance, settings, window);
      break;
    case Mode::Preview:
      win32::RunPreviewWindow(instance, settings, window);
      break;
    case Mode::PasswordEntry:
      win32::ShowPasswordEntry(instance, settings);
      break;
    case Mode::Exit:
      break;
  }
  // Ends at once: no window gets another message.
  ExitProcess(static_cast<UINT>(exitCode));
}
