// What the program asks of Windows: the user's decimal separator, the
// application-data folder, the body file it carries, a steady clock.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/number_text.h"

namespace zelor::win32 {

NumberLocale UserNumberLocale();

// The user's roaming application-data folder, UTF-8; empty when unknown.
std::string ApplicationDataFolder();

// The copy of Voyager.zel in the program's resources; empty when missing.
std::vector<unsigned char> CarriedBodyFile(HINSTANCE instance);

// The performance counter in microseconds.
std::int64_t SteadyMicroseconds();

}  // namespace zelor::win32
