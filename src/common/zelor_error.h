// The one error type of the core: its text is German and complete, ready to be
// shown as it stands in a message box captioned "Zelor2".
#pragma once

#include <stdexcept>
#include <utility>
#include <string>

namespace zelor {

// What went wrong, in a word, for a place with no room for the whole message
// (the preview in the settings page's little monitor).
enum class ErrorCause { Other, MissingFile, BrokenFile, TooManyBodies, BrokenSetting, ArithmeticFault };

class ZelorError : public std::runtime_error {
 public:
  explicit ZelorError(const std::string& germanMessage, ErrorCause cause = ErrorCause::Other,
                      std::string subject = std::string())
      : std::runtime_error(germanMessage), cause_(cause), subject_(std::move(subject)) {}
  ErrorCause Cause() const { return cause_; }
  // What the cause concerns where the word alone does not say it: the
  // setting's key for BrokenSetting.
  const std::string& Subject() const { return subject_; }

 private:
  ErrorCause cause_;
  std::string subject_;
};

}  // namespace zelor
