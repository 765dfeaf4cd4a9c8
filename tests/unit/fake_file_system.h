// An in-memory FileSystem for unit tests. Files live in a map; a file can
// only be created in a folder that exists; any single call of a kind can be
// made to fail, and every call is counted.
#pragma once

#include <algorithm>
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/file_system.h"

namespace zelor {

class FakeFileSystem : public FileSystem {
 public:
  using Bytes = std::vector<unsigned char>;

  std::map<std::string, Bytes> files;
  std::set<std::string> folders{"/data"};
  std::set<std::string> readOnly;  // cannot be written, replaced or removed
  // Written since their last flush: a power cut empties them, as a file
  // system that writes the data after the names does.
  std::set<std::string> unflushed;

  // The n-th call (counting from 1) of that kind fails; 0: none fails.
  int failCreateAt = 0, failWriteAt = 0, failFlushAt = 0, failCloseAt = 0, failReplaceAt = 0;
  bool failReads = false;

  int reads = 0, creates = 0, writes = 0, flushes = 0, closes = 0, replaces = 0, removes = 0,
      folderCreations = 0;
  std::size_t lastReadLimit = 0;

  // Every call that could change what is on the disk.
  int Changes() const { return creates + replaces + removes + folderCreations; }
  bool Exists(const std::string& path) const { return files.count(path) != 0; }
  void PowerCut() {
    for (const std::string& path : unflushed)
      if (Exists(path)) files[path].clear();
    unflushed.clear();
  }

  std::optional<Bytes> ReadFile(const std::string& path, std::size_t maxBytes) override {
    ++reads;
    lastReadLimit = maxBytes;
    const auto it = files.find(path);
    if (failReads || it == files.end()) return std::nullopt;
    const Bytes& all = it->second;
    return Bytes(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(std::min(maxBytes, all.size())));
  }

  bool IsRegularFile(const std::string& path) override { return Exists(path); }

  NewFile CreateNew(const std::string& path) override {
    ++creates;
    NewFile made;
    made.nameTaken = Exists(path) || folders.count(path);
    if (creates == failCreateAt || made.nameTaken || !folders.count(FolderOf(path))) return made;
    files[path];
    made.file = std::make_unique<File>(*this, path);
    return made;
  }

  bool Replace(const std::string& from, const std::string& to) override {
    ++replaces;
    if (replaces == failReplaceAt || !Exists(from) || readOnly.count(to) || !folders.count(FolderOf(to)))
      return false;
    Bytes moved = std::move(files[from]);
    files.erase(from);
    files[to] = std::move(moved);
    unflushed.erase(to);
    if (unflushed.erase(from)) unflushed.insert(to);
    return true;
  }

  bool Remove(const std::string& path) override {
    ++removes;
    if (readOnly.count(path)) return false;
    unflushed.erase(path);
    return files.erase(path) != 0;
  }

  bool CreateFolders(const std::string& path) override {
    ++folderCreations;
    for (std::string folder = path; !folder.empty();) {
      folders.insert(folder);
      std::string parent = FolderOf(folder);
      if (parent == folder) break;  // a root is its own folder
      folder = std::move(parent);
    }
    return true;
  }

 private:
  // Each write lands in the map at once, as it would on a disk.
  class File : public OutputFile {
   public:
    File(FakeFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
    bool Write(const void* data, std::size_t size) override {
      ++fs_.writes;
      if (closed_ || fs_.writes == fs_.failWriteAt) return false;
      const auto* bytes = static_cast<const unsigned char*>(data);
      Bytes& file = fs_.files[path_];
      file.insert(file.end(), bytes, bytes + size);
      fs_.unflushed.insert(path_);
      return true;
    }
    bool Flush() override {
      if (closed_ || ++fs_.flushes == fs_.failFlushAt) return false;
      fs_.unflushed.erase(path_);
      return true;
    }
    bool Close() override {
      const bool wasOpen = !closed_;
      closed_ = true;
      return wasOpen && ++fs_.closes != fs_.failCloseAt;
    }

   private:
    FakeFileSystem& fs_;
    std::string path_;
    bool closed_ = false;
  };
};

}  // namespace zelor
