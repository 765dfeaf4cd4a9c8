#include "console.h"

namespace zelor::bodies {

std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

void PrepareConsole() {}

FileSystem& ConsoleFiles() {
  static StdFileSystem files;
  return files;
}

}  // namespace zelor::bodies
