// The settings file as anybody may have edited it. The input is the file's
// text; after a NUL byte come a value to store and, in its first byte, which
// key. Storing it keeps every other key's value, the file read afresh gives
// the stored value back, and storing it again changes no byte.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fake_file_system.h"
#include "fuzz_check.h"
#include "x11/module/ini_store.h"
#include "settings/settings.h"

namespace zelor {
namespace {

const std::string kPath = "/data/zelor2/zelor2.conf";
const std::string kKeys[] = {kKeyBreite, kKeyHoehe, kKeyIntervall, kKeyDatei,
                             kKeyResultsPath, kKeySaveResults, kKeyPasswort, kKeyTempo};
constexpr std::size_t kKeyCount = sizeof kKeys / sizeof kKeys[0];

std::vector<std::optional<std::string>> ReadAll(FakeFileSystem& files) {
  IniStore store(files, kPath);
  std::vector<std::optional<std::string>> values;
  for (const std::string& key : kKeys) values.push_back(store.Read(key));
  return values;
}

}  // namespace
}  // namespace zelor

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelor;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = input.find('\0');
  const std::string text = input.substr(0, cut);
  std::string value = cut == std::string::npos ? "" : input.substr(cut + 1);
  std::size_t which = 0;
  if (!value.empty()) which = static_cast<unsigned char>(value[0]) % kKeyCount, value.erase(0, 1);

  FakeFileSystem files;
  files.folders.insert("/data/zelor2");
  files.files[kPath] = {text.begin(), text.end()};
  const auto before = ReadAll(files);

  FUZZ_CHECK(IniStore(files, kPath).Write(kKeys[which], value));
  auto expected = before;
  expected[which] = value;
  FUZZ_CHECK(ReadAll(files) == expected);

  const auto written = files.files[kPath];
  FUZZ_CHECK(IniStore(files, kPath).Write(kKeys[which], value));
  FUZZ_CHECK(files.files[kPath] == written);
  return 0;
}
