// The body tool's command line: the input's pieces between NUL bytes are the
// words after the program's name, run on a small disk that holds a body file,
// its CSV and a vector table under /data. Whatever the words, the exit status
// is 0, 1 or 2, a refusal or a usage error changes no file, and a command that
// is done leaves no file behind that its words do not name.
//
// `render` is left out: its steps and picture size are the user's to choose,
// so any words can ask it for hours of work.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "fuzz_bodies_support.h"

namespace zelor::bodies {
namespace {

const char kVectorTable[] =
    "Output units    : KM-S\n"
    "JDTDB, Calendar Date (TDB), X, Y, Z, VX, VY, VZ,\n"
    "$$SOE\n"
    "2461381.500000000, A.D. 2026-Dec-07 00:00:00.0000, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0,\n"
    "$$EOE\n"
    "$$SOE\n"
    "2461381.500000000, A.D. 2026-Dec-07 00:00:00.0000, 1.496E+08, 0.0, 0.0, 0.0, 29.78, 0.0,\n"
    "$$EOE\n";

FakeFileSystem Disk() {
  static const FakeFileSystem prepared = [] {
    FakeFileSystem files;
    FUZZ_CHECK(RunCommand(files, {"new", "BinaryStar", "/data/a.zel"}) == kDone);
    FUZZ_CHECK(RunCommand(files, {"to-csv", "/data/a.zel", "/data/a.csv"}) == kDone);
    files.files["/data/v.txt"] = {kVectorTable, kVectorTable + sizeof kVectorTable - 1};
    return files;
  }();
  FakeFileSystem files;
  files.files = prepared.files;
  files.folders = prepared.folders;
  return files;
}

}  // namespace
}  // namespace zelor::bodies

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zelor::bodies::SilenceConsole();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelor::bodies;
  Words words = WordsOf(data, size);
  if (words.size() == 1 && words[0].empty()) words.clear();
  if (!words.empty() && words[0] == "render") return 0;
  zelor::FakeFileSystem files = Disk();
  const auto before = files.files;
  if (RunChecked(files, words) != kDone) return 0;
  const std::set<std::string> named(words.begin(), words.end());
  for (const auto& [path, bytes] : files.files)
    FUZZ_CHECK(named.count(path) || (before.count(path) && before.at(path) == bytes));
  return 0;
}
