// Pieces of the German messages that set-up and step have in common.
#pragma once

#include <string>

namespace zelor {

// A name or path in German quotation marks: „…“.
inline std::string Quoted(const std::string& text) { return "„" + text + "“"; }

inline const std::string kArithmeticFaultText =
    "Rechenfehler (Überlauf, Division durch null oder ungültige Operation)";

}  // namespace zelor
