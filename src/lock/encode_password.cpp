#include "lock/encode_password.h"

#include "common/cp1252.h"

namespace zelor {

std::string EncodePassword(std::string_view text) {
  std::string codes = Utf8ToCp1252(text);
  for (char& c : codes) c = static_cast<char>(EncodeCode(static_cast<unsigned char>(c)));
  return Cp1252ToUtf8(codes);
}

}  // namespace zelor
