// The few file operations the core needs, behind an interface so that tests
// can make any single step fail. Paths are UTF-8.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zelor {

// A file being written; every call reports whether it succeeded.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool Write(const void* data, std::size_t size) = 0;
  // Pushes everything written down to the disk (StdFileSystem's files, made
  // by the C library, can only hand it to the system).
  virtual bool Flush() = 0;
  virtual bool Close() = 0;
};

// A file made by CreateNew; without one, whether the name was taken (by a
// file or folder that exists) or the file could not be made at all.
struct NewFile {
  std::unique_ptr<OutputFile> file;
  bool nameTaken = false;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Reads at most maxBytes from the start of the file; nullopt when it cannot
  // be opened or read. Never creates anything.
  virtual std::optional<std::vector<unsigned char>> ReadFile(const std::string& path,
                                                             std::size_t maxBytes) = 0;
  virtual bool IsRegularFile(const std::string& path) = 0;
  // Creates a file that does not exist yet; never opens or empties one that
  // does, so it cannot touch a file someone else made.
  virtual NewFile CreateNew(const std::string& path) = 0;
  // Puts `from` in the place of `to` in one step, replacing `to` if it exists.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // Creates the folder and its parents; true when it exists afterwards.
  virtual bool CreateFolders(const std::string& path) = 0;
};

// std::filesystem and the C library, which know no way to push a file to the
// disk: the base of the Linux and Windows implementations, which create and
// replace files their own way so that a save survives a power cut
// (x11/posix_file_system.h, win32/win32_file_system.h), and enough for the
// body-file tool.
class StdFileSystem : public FileSystem {
 public:
  std::optional<std::vector<unsigned char>> ReadFile(const std::string& path,
                                                     std::size_t maxBytes) override;
  bool IsRegularFile(const std::string& path) override;
  NewFile CreateNew(const std::string& path) override;
  bool Replace(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  bool CreateFolders(const std::string& path) override;
};

// A path cut at its last '\' or '/' into the folder it lies in and its name.
// A file in a root lies in the root itself, separator and all: "C:\x.zel"
// in "C:\", because "C:" alone means the drive's current folder, and "/x"
// in "/". Without a separator the folder is empty.
struct PathParts {
  std::string folder;
  std::string name;
};
PathParts SplitPath(const std::string& path);

// SplitPath's folder.
std::string FolderOf(const std::string& path);

// Joins a folder and a name with the separator the folder already uses.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace zelor
