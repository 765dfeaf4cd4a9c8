// Choosing a body or results file: the platform's file dialog, preset with
// the stored path, and what to do when the platform refuses to open it.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace zelor {

enum class FileDialogEnd { Chosen, Cancelled, Failed };

struct FileDialogResult {
  FileDialogEnd end = FileDialogEnd::Cancelled;
  std::string path;  // when chosen
};

// Shows the dialog once with the given text in its name box.
using FileDialogShower = std::function<FileDialogResult(const std::string& preset)>;

inline const std::string kFileDialogFailedMessage =
    "Der Dateidialog konnte nicht ge\xC3\xB6" "ffnet werden. Die bisherige Datei gilt weiter.";

struct FileChoice {
  std::optional<std::string> path;  // nullopt: nothing chosen
  bool failed = false;              // the dialog could not be shown at all: say so
};

// A stored path may hold characters no file name may have, and the platform
// then refuses to open the dialog; it is tried once more with an empty box.
FileChoice ChooseFile(const FileDialogShower& show, const std::string& preset);

}  // namespace zelor
