#include "win32/file_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "settings/options_form.h"
#include "shell/file_choice.h"
#include "win32/dialog_layout.h"
#include "win32/wide_text.h"

namespace zelor::win32 {
namespace {

// Room for the longest path Windows knows.
constexpr DWORD kPathChars = 32768;

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A path in the buffer makes the dialog start in its folder; without one,
// Windows may prefer the folder the user last chose. A folder that no longer
// exists would make the dialog complain, so then only the name is offered.
std::wstring PresetText(const std::string& preset) {
  const FilePreset split = SplitPreset(preset);
  if (!split.folder.empty() && IsFolder(Widen(split.folder))) return Widen(preset);
  return Widen(split.name);
}

FileDialogResult Show(HWND owner, FileDialogKind kind, const std::string& preset) {
  std::vector<wchar_t> buffer(kPathChars, L'\0');
  const std::wstring text = PresetText(preset);
  if (text.size() < buffer.size() && text.find(L'\0') == std::wstring::npos)
    std::copy(text.begin(), text.end(), buffer.begin());
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = L"Zelor-Dateien (*.zel)\0*.zel\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = buffer.data();
  dialog.nMaxFile = static_cast<DWORD>(buffer.size());
  dialog.lpstrDefExt = L"zel";
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  BOOL chosen;
  if (kind == FileDialogKind::Open) {
    dialog.Flags |= OFN_FILEMUSTEXIST;
    chosen = GetOpenFileNameW(&dialog);
  } else {
    dialog.Flags |= OFN_OVERWRITEPROMPT;
    chosen = GetSaveFileNameW(&dialog);
  }
  if (chosen) return {FileDialogEnd::Chosen, Narrow(buffer.data())};
  return {CommDlgExtendedError() == 0 ? FileDialogEnd::Cancelled : FileDialogEnd::Failed, std::string()};
}

}  // namespace

std::optional<std::string> ChooseZelorFile(HWND owner, FileDialogKind kind, const std::string& preset) {
  const FileChoice choice =
      ChooseFile([&](const std::string& text) { return Show(owner, kind, text); }, preset);
  if (choice.failed) ShowMessage(owner, kFileDialogFailedMessage.c_str(), MB_OK | MB_ICONERROR);
  return choice.path;
}

}  // namespace zelor::win32
