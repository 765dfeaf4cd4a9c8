// `from-csv` on any text. A text it takes must survive the way back: the body
// file as CSV reads in to the same bytes, and that CSV is the one written
// again. A text it refuses writes nothing.
#include <cstddef>
#include <cstdint>

#include "fuzz_bodies_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zelor::bodies::SilenceConsole();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelor::bodies;
  zelor::FakeFileSystem files;
  files.files["/data/in.csv"] = {data, data + size};
  if (RunChecked(files, {"from-csv", "/data/in.csv", "/data/a.zel"}) != kDone) return 0;
  FUZZ_CHECK(files.Exists("/data/a.zel"));
  FUZZ_CHECK(RunChecked(files, {"to-csv", "/data/a.zel", "/data/a.csv"}) == kDone);
  FUZZ_CHECK(RunChecked(files, {"from-csv", "/data/a.csv", "/data/b.zel"}) == kDone);
  FUZZ_CHECK(files.files["/data/b.zel"] == files.files["/data/a.zel"]);
  FUZZ_CHECK(RunChecked(files, {"to-csv", "/data/b.zel", "/data/b.csv"}) == kDone);
  FUZZ_CHECK(files.files["/data/b.csv"] == files.files["/data/a.csv"]);
  return 0;
}
