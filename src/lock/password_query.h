// What frmPWAbfrage's OK button decides. The query hides after every OK,
// matching or not, and keeps its text for the next time; only its close box
// throws the text away.
#pragma once

#include <string>

#include "settings/settings.h"

namespace zelor {

// True when the typed password, encoded, equals the stored one exactly. No
// stored password reads as the empty text, so an empty box then matches.
bool PasswordMatches(const Settings& settings, const std::string& typed);

}  // namespace zelor
