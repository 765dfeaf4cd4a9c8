// The few things in which the platforms differ for a console program: the
// command line's text, the console's code page and how files are created.
#pragma once

#include <string>
#include <vector>

#include "common/file_system.h"

namespace zelor::bodies {

// The words after the program's name, in UTF-8 (Windows passes main() the
// ANSI code page, so there they are taken from the wide command line).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Text goes out as UTF-8, so names with umlauts show as they are; standard
// input and output carry bytes unchanged.
void PrepareConsole();

FileSystem& ConsoleFiles();

}  // namespace zelor::bodies
