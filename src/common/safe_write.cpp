#include "common/safe_write.h"

namespace zelor {
namespace {

// Enough for any leftovers; beyond that something else is wrong.
constexpr int kTemporaryNameAttempts = 100;

struct Temporary {
  std::string path;
  std::unique_ptr<OutputFile> file;
};

Temporary CreateTemporaryFor(FileSystem& files, const std::string& path) {
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    Temporary temporary{TemporaryPathFor(path, attempt), nullptr};
    NewFile made = files.CreateNew(temporary.path);
    temporary.file = std::move(made.file);
    if (temporary.file || !made.nameTaken) return temporary;
  }
  return {};
}

}  // namespace

std::string TemporaryPathFor(const std::string& path, int attempt) {
  if (attempt == 0) return path + ".tmp";
  return path + "." + std::to_string(attempt) + ".tmp";
}

bool WriteFileSafely(FileSystem& files, const std::string& path,
                     const std::function<bool(OutputFile&)>& fill) {
  Temporary temporary = CreateTemporaryFor(files, path);
  std::unique_ptr<OutputFile>& out = temporary.file;
  if (!out) return false;
  bool ok = false;
  try {
    ok = fill(*out) && out->Flush();
  } catch (...) {
    ok = false;  // e.g. no memory left for the content; the old file stays
  }
  ok = out->Close() && ok;  // closed in any case, so the file can be removed
  out.reset();
  if (ok && files.Replace(temporary.path, path)) return true;
  files.Remove(temporary.path);  // ours: made just now under a new name
  return false;
}

}  // namespace zelor
