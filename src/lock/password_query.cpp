#include "lock/password_query.h"

#include "lock/encode_password.h"

namespace zelor {

bool PasswordMatches(const Settings& settings, const std::string& typed) {
  return EncodePassword(typed) == settings.ReadText(kKeyPasswort);
}

}  // namespace zelor
