#include "win32/win32_file_system.h"

#include <windows.h>

#include "win32/wide_text.h"

namespace zelor::win32 {
namespace {

class HandleFile : public OutputFile {
 public:
  explicit HandleFile(HANDLE handle) : handle_(handle) {}
  ~HandleFile() override { Close(); }
  bool Write(const void* data, std::size_t size) override {
    DWORD written = 0;
    return handle_ != INVALID_HANDLE_VALUE &&
           WriteFile(handle_, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
  }
  bool Flush() override { return handle_ != INVALID_HANDLE_VALUE && FlushFileBuffers(handle_); }
  bool Close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return true;
    const bool closed = CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

}  // namespace

NewFile Win32FileSystem::CreateNew(const std::string& path) {
  const std::wstring wide = Widen(path);
  NewFile made;
  HANDLE handle = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle != INVALID_HANDLE_VALUE) {
    made.file = std::make_unique<HandleFile>(handle);
  } else {
    // A folder of that name gives "access denied", not "exists".
    const DWORD error = GetLastError();
    made.nameTaken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                     GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  return made;
}

bool Win32FileSystem::Replace(const std::string& from, const std::string& to) {
  return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

}  // namespace zelor::win32
