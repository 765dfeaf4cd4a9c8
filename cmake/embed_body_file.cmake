# Writes a C++ source that returns the bytes of INPUT: the body file the X11
# program carries. Run with cmake -DINPUT=... -DOUTPUT=... -P.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "(..)" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}.
#include \"x11/carried_body_file.h\"

namespace zelor::x11 {

std::vector<unsigned char> CarriedBodyFile() {
  static const unsigned char kBytes[] = {${bytes}};
  return std::vector<unsigned char>(kBytes, kBytes + sizeof kBytes);
}

}  // namespace zelor::x11
")
