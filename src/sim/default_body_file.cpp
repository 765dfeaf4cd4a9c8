#include "sim/safe_write.h"
#include "sim/sim.h"

namespace zelor {

void EnsureDefaultBodyFile(const Settings& settings, FileSystem& files,
                           const std::vector<unsigned char>& carriedCopy) {
  const std::string& path = settings.Defaults().bodyFile;
  // Only the default is ours to restore; a file the user chose and lost is
  // reported by the set-up, not quietly replaced.
  if (carriedCopy.empty() || settings.ReadText(kKeyDatei) != path || files.IsRegularFile(path)) return;
  files.CreateFolders(FolderOf(path));
  WriteFileSafely(files, path,
                  [&](OutputFile& out) { return out.Write(carriedCopy.data(), carriedCopy.size()); });
}

}  // namespace zelor
