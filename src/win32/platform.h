// What the program asks of Windows at start: the user's decimal separator
// and the application-data folder.
#pragma once

#include <string>

#include "settings/number_text.h"

namespace zelor::win32 {

NumberLocale UserNumberLocale();

// The user's roaming application-data folder, UTF-8; empty when unknown.
std::string ApplicationDataFolder();

}  // namespace zelor::win32
