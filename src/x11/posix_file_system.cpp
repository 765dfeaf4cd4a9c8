#include "x11/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace zelor::x11 {
namespace {

class DescriptorFile : public OutputFile {
 public:
  explicit DescriptorFile(int fd) : fd_(fd) {}
  ~DescriptorFile() override { Close(); }
  bool Write(const void* data, std::size_t size) override {
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (fd_ >= 0 && size > 0) {
      const ssize_t written = ::write(fd_, bytes, size);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return false;
      bytes += written;
      size -= static_cast<std::size_t>(written);
    }
    return fd_ >= 0;
  }
  bool Flush() override { return fd_ >= 0 && ::fsync(fd_) == 0; }
  bool Close() override {
    if (fd_ < 0) return true;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return closed;
  }

 private:
  int fd_;
};

// The folder's entries reach the disk only with the folder itself.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

NewFile PosixFileSystem::CreateNew(const std::string& path) {
  NewFile made;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd >= 0) {
    made.file = std::make_unique<DescriptorFile>(fd);
  } else {
    struct stat info;
    made.nameTaken = errno == EEXIST || ::lstat(path.c_str(), &info) == 0;
  }
  return made;
}

bool PosixFileSystem::Replace(const std::string& from, const std::string& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return false;
  // Some file systems cannot sync a folder; the new file has taken the old
  // one's place all the same, so that is no failure of the save.
  SyncFolder(FolderOf(to));
  return true;
}

}  // namespace zelor::x11
