// zelor-bodies: body files for Zelor2, from the command line.
#include "commands.h"
#include "console.h"

int main(int argc, char** argv) {
  zelor::bodies::PrepareConsole();
  return zelor::bodies::RunCommand(zelor::bodies::ConsoleFiles(), zelor::bodies::Utf8Arguments(argc, argv));
}
