// frmOptionen: what the options dialog shows, checks and writes. The dialog
// keeps nothing of its own; every handler works on the settings store.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "common/file_system.h"
#include "common/sky.h"
#include "settings/options_layout.h"
#include "settings/settings.h"

namespace zelor {

// The check box's values; a grey box counts as ticked.
enum class CheckState { Unticked = 0, Ticked = 1, Grey = 2 };

// What the controls show when the dialog opens: a text field for every number
// setting and a check box for every switch, by key (see kSettingTable).
struct OptionsView {
  std::map<std::string, std::string> fields;
  std::map<std::string, CheckState> boxes;
  std::string title;
};

// What the controls hold when "OK" is pressed, by key; a field left out
// counts as empty, a box left out as unticked.
struct OptionsEntry {
  std::map<std::string, std::string> fields;
  std::map<std::string, CheckState> boxes;
};

struct OkOutcome {
  enum class Kind {
    Saved,       // everything written: close the dialog
    NotANumber,  // nothing written: show the message, focus `field` (also a number its row refuses)
    NotSaved,    // the store refused a write: show the message, stay open
  };
  Kind kind = Kind::Saved;
  std::string field;    // the key of the field to focus
  std::string message;  // German, for a message box captioned "Zelor2"
};

// Shows a file dialog preset with the given file name; the chosen file, or
// nullopt when the user cancelled or the dialog could not be shown.
using FileChooser = std::function<std::optional<std::string>(const std::string& preset)>;

// The sky that holds the bodies of a body file where a run starts them, in
// the given shape; nullopt when the file cannot be read. The Windows front
// end passes the simulation's SkyHoldingBodyFile.
using BodyFileSky = std::function<std::optional<Sky>(const std::string& path, const Sky& shape)>;

struct FileOutcome {
  std::optional<std::string> title;  // the dialog's new title, when it changes
  std::string message;               // German; set when the choice could not be stored
  // New texts for fields, by key: the sky fitted to a newly chosen body file.
  std::map<std::string, std::string> fields;
};

// A preset file name split for a file dialog: the folder to start in and the
// name to offer, by SplitPath's rule. A path without a folder gives only the name.
using FilePreset = PathParts;
FilePreset SplitPreset(const std::string& path);

class OptionsForm {
 public:
  // `rows`: the dialog's, where each setting stands (OptionsLayout).
  OptionsForm(Settings& settings, OptionsRows rows) : settings_(settings), rows_(std::move(rows)) {}

  OptionsView Form_Load() const;
  OkOutcome cmdOK_Click(const OptionsEntry& entry);
  // The body file: a choice is stored at once and becomes the title. A file
  // other than the stored one brings a sky that holds its bodies, in the
  // shape of the sky `shownFields` hold; the fields show it, and "OK" stores
  // it as any typed sky. A file that cannot be read leaves the fields.
  FileOutcome cmdDatei_Click(const FileChooser& showOpenDialog, const BodyFileSky& skyFor,
                             const std::map<std::string, std::string>& shownFields);
  // The results file: a choice is stored at once; the title stays.
  FileOutcome cmdSpeicher_Click(const FileChooser& showSaveDialog);

  std::string Title() const;

 private:
  Settings& settings_;
  OptionsRows rows_;
};

}  // namespace zelor
