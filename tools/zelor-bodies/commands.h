// The tool's commands. Each takes the words after its name and returns the
// exit status: 0 done, 1 refused (bad input, a file the saver refuses, a
// failed write), 2 a usage error.
#pragma once

#include <string>
#include <vector>

#include "common/file_system.h"

namespace zelor::bodies {

constexpr int kDone = 0, kRefused = 1, kUsage = 2;

using Words = std::vector<std::string>;

int ShowCommand(FileSystem& files, const Words& words);
int ToCsvCommand(FileSystem& files, const Words& words);
int FromCsvCommand(FileSystem& files, const Words& words);
int FromVectorsCommand(FileSystem& files, const Words& words);
int RenderCommand(FileSystem& files, const Words& words);
int NewCommand(FileSystem& files, const Words& words);
int RunStepsCommand(FileSystem& files, const Words& words);

// The tool's usage, in German: what "zelor-bodies help" prints and the manual
// page shows.
const char* Usage();

// Picks the command by the first word.
int RunCommand(FileSystem& files, const Words& words);

}  // namespace zelor::bodies
