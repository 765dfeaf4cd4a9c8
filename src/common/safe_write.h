// Writing a file so that a failure half-way never destroys what was there: the
// content goes to a temporary file next to it, which takes the file's place in
// one step only when it is complete and on the disk.
#pragma once

#include <functional>
#include <string>

#include "common/file_system.h"

namespace zelor {

// The name of the temporary file while `path` is written, on the given try:
// "<path>.tmp", then "<path>.1.tmp", "<path>.2.tmp", ...
std::string TemporaryPathFor(const std::string& path, int attempt);

// `fill` writes the content and reports success. True when `path` now holds
// exactly that content; otherwise `path` is as it was and the temporary file
// is gone. The temporary file gets a name nothing has yet, so no other file
// is ever emptied or removed.
bool WriteFileSafely(FileSystem& files, const std::string& path,
                     const std::function<bool(OutputFile&)>& fill);

}  // namespace zelor
