// Whatever a password box may hand over, as UTF-8 (broken sequences
// included): the stored form has one code page 1252 character per character
// typed, and undoing the arithmetic on each code gives the typed text's codes
// back, so no two passwords share a stored form.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/cp1252.h"
#include "fuzz_check.h"
#include "lock/encode_password.h"

namespace zelor {
namespace {

// 57 * 9 = 513 = 1 (mod 256): the inverse of the multiplier.
constexpr int kInverseMultiplier = 57;
static_assert((kInverseMultiplier * kEncodeMultiplier) % 256 == 1, "57 undoes 9");

unsigned char DecodeCode(unsigned char code) {
  return static_cast<unsigned char>(((code - kEncodeAddend + 256) * kInverseMultiplier) & 0xFF);
}

}  // namespace
}  // namespace zelor

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelor;
  const std::string typed(reinterpret_cast<const char*>(data), size);
  const std::string stored = EncodePassword(typed);
  const std::string typedCodes = Utf8ToCp1252(typed);
  const std::string storedCodes = Utf8ToCp1252(stored);
  FUZZ_CHECK(storedCodes.size() == typedCodes.size());
  // The stored text is clean UTF-8 of code page 1252 characters.
  FUZZ_CHECK(Cp1252ToUtf8(storedCodes) == stored);
  for (std::size_t k = 0; k < storedCodes.size(); ++k) {
    const auto code = static_cast<unsigned char>(storedCodes[k]);
    FUZZ_CHECK(code == EncodeCode(static_cast<unsigned char>(typedCodes[k])));
    FUZZ_CHECK(DecodeCode(code) == static_cast<unsigned char>(typedCodes[k]));
  }
  // Encoding the code page form of the text gives the same stored form.
  FUZZ_CHECK(EncodePassword(Cp1252ToUtf8(typedCodes)) == stored);
  return 0;
}
