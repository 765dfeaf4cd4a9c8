// Files on Linux: as the portable implementation, but a file written safely
// is on the disk before it replaces the old one (fsync), and the folder's new
// entry is on the disk once the replacement returns, so a power cut leaves
// either the old file or the new one, never an empty one.
#pragma once

#include "common/file_system.h"

namespace zelor::x11 {

class PosixFileSystem : public StdFileSystem {
 public:
  NewFile CreateNew(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;
};

}  // namespace zelor::x11
