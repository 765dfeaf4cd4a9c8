// Files on Windows: as the portable implementation, but the results file is
// pushed to the disk before it replaces the old one, and the replacement is
// one MoveFileEx, so a power loss leaves either the old or the new file.
#pragma once

#include "common/file_system.h"

namespace zelor::win32 {

class Win32FileSystem : public StdFileSystem {
 public:
  NewFile CreateNew(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;
};

}  // namespace zelor::win32
