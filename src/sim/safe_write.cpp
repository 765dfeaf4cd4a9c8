#include "sim/safe_write.h"

namespace zelor {

std::string TemporaryPathFor(const std::string& path) { return path + ".tmp"; }

bool WriteFileSafely(FileSystem& files, const std::string& path,
                     const std::function<bool(OutputFile&)>& fill) {
  const std::string temporary = TemporaryPathFor(path);
  std::unique_ptr<OutputFile> out = files.Create(temporary);
  if (!out) return false;
  bool ok = false;
  try {
    ok = fill(*out) && out->Flush();
  } catch (...) {
    ok = false;  // e.g. no memory left for the content; the old file stays
  }
  ok = out->Close() && ok;  // closed in any case, so the file can be removed
  out.reset();
  if (ok && files.Replace(temporary, path)) return true;
  files.Remove(temporary);
  return false;
}

}  // namespace zelor
