// The one error type of the core: its text is German and complete, ready to be
// shown as it stands in a message box captioned "Zelor2".
#pragma once

#include <stdexcept>
#include <string>

namespace zelor {

class ZelorError : public std::runtime_error {
 public:
  explicit ZelorError(const std::string& germanMessage) : std::runtime_error(germanMessage) {}
};

}  // namespace zelor
