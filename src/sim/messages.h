// Pieces of the German messages that set-up and step have in common.
#pragma once

#include <string>

#include "common/quoted.h"

namespace zelor {


inline const std::string kArithmeticFaultText =
    "Rechenfehler (Überlauf, Division durch null oder ungültige Operation)";

}  // namespace zelor
