// What frmPWEingabe's OK button does with the two boxes.
#pragma once

#include <string>

#include "settings/settings.h"

namespace zelor {

inline const std::string kPasswordMismatchMessage =
    "Passwort und Best\xC3\xA4tigung stimmen nicht \xC3\xBC" "berein. Bitte geben Sie beide noch einmal "
    "ein; das bisherige Passwort gilt weiter.";  // "...Bestätigung ... überein."
// The store refused the new password: saying nothing would leave the user
// believing the saver is locked when it is not.
inline const std::string kPasswordNotStoredMessage =
    "Das Passwort konnte nicht gespeichert werden. Das bisherige Passwort gilt weiter.";

enum class EntryOutcome {
  Mismatch,   // show kPasswordMismatchMessage; the dialog stays open, boxes unchanged
  NotStored,  // show kPasswordNotStoredMessage; the dialog stays open
  Stored,     // the encoded password is stored; hide the dialog
};

// Compares the boxes case-sensitively; when they agree, stores the encoded
// password under "Passwort", replacing the old one without asking for it.
// Both boxes empty store the empty text, which switches the lock off.
EntryOutcome ConfirmPasswordEntry(Settings& settings, const std::string& neu, const std::string& bestaetigung);

}  // namespace zelor
