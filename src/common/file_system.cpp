#include "common/file_system.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace zelor {
namespace fs = std::filesystem;
namespace {

fs::path ToPath(const std::string& utf8) {
#if defined(__cpp_char8_t)
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
#else
  return fs::u8path(utf8);
#endif
}

class StdOutputFile : public OutputFile {
 public:
  explicit StdOutputFile(std::FILE* file) : file_(file) {}
  ~StdOutputFile() override { Close(); }
  bool Write(const void* data, std::size_t size) override {
    return file_ && std::fwrite(data, 1, size, file_) == size;
  }
  bool Flush() override { return file_ && std::fflush(file_) == 0; }
  bool Close() override {
    if (!file_) return true;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed;
  }

 private:
  std::FILE* file_;
};

}  // namespace

std::optional<std::vector<unsigned char>> StdFileSystem::ReadFile(const std::string& path,
                                                                  std::size_t maxBytes) {
  std::error_code ec;
  if (!fs::is_regular_file(ToPath(path), ec)) return std::nullopt;
  std::ifstream in(ToPath(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<unsigned char> bytes;
  constexpr std::size_t kChunk = 1 << 16;
  while (bytes.size() < maxBytes) {
    const std::size_t want = std::min(kChunk, maxBytes - bytes.size());
    const std::size_t had = bytes.size();
    bytes.resize(had + want);
    in.read(reinterpret_cast<char*>(bytes.data() + had), static_cast<std::streamsize>(want));
    bytes.resize(had + static_cast<std::size_t>(in.gcount()));
    if (!in) break;
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool StdFileSystem::IsRegularFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(ToPath(path), ec);
}

NewFile StdFileSystem::CreateNew(const std::string& path) {
  // "x": created exclusively, failing when the name exists.
  NewFile made;
  errno = 0;
  if (std::FILE* file = std::fopen(path.c_str(), "wbx")) {
    made.file = std::make_unique<StdOutputFile>(file);
  } else {
    std::error_code ec;
    made.nameTaken = errno == EEXIST || fs::exists(ToPath(path), ec);
  }
  return made;
}

bool StdFileSystem::Replace(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(ToPath(from), ToPath(to), ec);
  return !ec;
}

bool StdFileSystem::Remove(const std::string& path) {
  std::error_code ec;
  return fs::remove(ToPath(path), ec) && !ec;
}

bool StdFileSystem::CreateFolders(const std::string& path) {
  std::error_code ec;
  fs::create_directories(ToPath(path), ec);
  return fs::is_directory(ToPath(path), ec);
}

PathParts SplitPath(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  if (cut == std::string::npos) return {std::string(), path};
  const bool inRoot = cut == 0 || (cut == 2 && path[1] == ':');
  return {path.substr(0, inRoot ? cut + 1 : cut), path.substr(cut + 1)};
}

std::string FolderOf(const std::string& path) { return SplitPath(path).folder; }

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder.back();
  if (last == '\\' || last == '/') return folder + name;
  const char sep = folder.find('\\') != std::string::npos ? '\\' : '/';
  return folder + sep + name;
}

}  // namespace zelor
