#include "lock/password_entry.h"

#include "lock/encode_password.h"

namespace zelor {

EntryOutcome ConfirmPasswordEntry(Settings& settings, const std::string& neu, const std::string& bestaetigung) {
  if (bestaetigung != neu) return EntryOutcome::Mismatch;
  return settings.WriteText(kKeyPasswort, EncodePassword(neu)) ? EntryOutcome::Stored : EntryOutcome::NotStored;
}

}  // namespace zelor
