#include "shell/file_choice.h"

namespace zelor {

FileChoice ChooseFile(const FileDialogShower& show, const std::string& preset) {
  FileDialogResult result = show(preset);
  if (result.end == FileDialogEnd::Failed && !preset.empty()) result = show(std::string());
  switch (result.end) {
    case FileDialogEnd::Chosen:
      return {result.path, false};
    case FileDialogEnd::Cancelled:
      return {};
    case FileDialogEnd::Failed:
      break;
  }
  return {std::nullopt, true};
}

}  // namespace zelor
