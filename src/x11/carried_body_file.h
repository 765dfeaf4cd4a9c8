// The copy of Voyager.zel built into the program, written to the data
// folder on the first run.
#pragma once

#include <vector>

namespace zelor::x11 {

std::vector<unsigned char> CarriedBodyFile();

}  // namespace zelor::x11
