// `from-vectors` on any table. The input's first line is the --bodies list,
// the rest the table. A table it refuses writes nothing; one it takes gives
// whole records that the CSV route keeps byte for byte.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_bodies_support.h"
#include "sim/body_file.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zelor::bodies::SilenceConsole();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelor::bodies;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = input.find('\n');
  const std::string bodies = input.substr(0, cut), table = cut == std::string::npos ? "" : input.substr(cut + 1);
  zelor::FakeFileSystem files;
  files.files["/data/v.txt"] = {table.begin(), table.end()};
  if (RunChecked(files, {"from-vectors", "/data/v.txt", "/data/v.zel", "--bodies", bodies}) != kDone) return 0;
  const auto& made = files.files["/data/v.zel"];
  FUZZ_CHECK(!made.empty() && made.size() % zelor::kBodyRecordSize == 0);
  FUZZ_CHECK(RunChecked(files, {"to-csv", "/data/v.zel", "/data/v.csv"}) == kDone);
  FUZZ_CHECK(RunChecked(files, {"from-csv", "/data/v.csv", "/data/w.zel"}) == kDone);
  FUZZ_CHECK(files.files["/data/w.zel"] == made);
  return 0;
}
