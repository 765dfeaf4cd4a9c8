// The settings in a text file, for platforms without a registry:
//
//   [Einstellungen]
//   Breite=2.5
//   Datei=/home/anna/.local/share/zelor2/Voyager.zel
//
// Keys are matched exactly; blanks around a key and its value are ignored.
// A value keeps any character: a backslash, a line break, a tab and a blank
// at either end are written escaped (\\ \n \r \t \s). Lines the
// program does not know, comments and other sections are kept as they are,
// and so is a byte-order mark at the start, which is read as if it were not
// there.
// Every call reads the file; every write replaces it whole and safely, so a
// failure half-way leaves the old file.
#pragma once

#include <string>

#include "common/file_system.h"
#include "settings/settings_store.h"

namespace zelor {

inline const std::string kIniSection = "Einstellungen";

class IniStore : public SettingsStore {
 public:
  IniStore(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}

  std::optional<std::string> Read(const std::string& key) override;
  // Creates the file and its folder when missing. Refuses (false) when the
  // file exists but cannot be read, rather than lose its other keys.
  bool Write(const std::string& key, const std::string& text) override;

 private:
  // The lines of the file; nullopt when it exists and cannot be read.
  std::optional<std::string> Content();

  FileSystem& files_;
  std::string path_;
};

}  // namespace zelor
