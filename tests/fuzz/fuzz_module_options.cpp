// The X11 program's command line as a saver daemon or a user writes it. The
// input's pieces between NUL bytes are the arguments; a first piece that
// starts with '=' is XSCREENSAVER_WINDOW instead. A command line that is
// taken names a real window when it names one and gives only settings the
// program knows, with numbers the run takes where it needs them; one that is refused says why in readable UTF-8. Never a password.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "common/number_text.h"
#include "settings/settings.h"
#include "x11/module/module_options.h"

namespace zelor {
namespace {

bool IsUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

}  // namespace
}  // namespace zelor

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelor;
  std::vector<std::string> arguments(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) arguments.emplace_back();
    else arguments.back() += static_cast<char>(data[i]);
  }
  std::optional<std::string> saverWindow;
  if (!arguments[0].empty() && arguments[0][0] == '=') saverWindow = arguments[0].substr(1), arguments.erase(arguments.begin());
  if (arguments.size() == 1 && arguments[0].empty()) arguments.clear();

  const ModuleOptions options = ParseModuleOptions(arguments, saverWindow);
  FUZZ_CHECK(options.settings.count(kKeyPasswort) && options.settings.at(kKeyPasswort).empty());
  bool utf8 = !saverWindow || IsUtf8(*saverWindow);
  for (const std::string& argument : arguments) utf8 = utf8 && IsUtf8(argument);
  if (!options.error.empty()) {
    FUZZ_CHECK(!utf8 || IsUtf8(options.error));
    return 0;
  }
  FUZZ_CHECK((options.target == DrawTarget::GivenWindow) == (options.window != 0));
  // Every key is a setting's, a number's text a number the run takes, a switch's a truth value.
  for (const auto& [key, text] : options.settings) {
    const SettingInfo* setting = FindSetting(key);
    FUZZ_CHECK(setting);
    if (setting->kind == SettingKind::Number)
      FUZZ_CHECK(CheckNumberSetting(key, text, kEnglishLocale).problem == NumberCheck::Problem::None);
    if (setting->kind == SettingKind::Switch) FUZZ_CHECK(text == "True" || text == "False");
  }
  // The same command line gives the same run.
  const ModuleOptions again = ParseModuleOptions(arguments, saverWindow);
  FUZZ_CHECK(again.settings == options.settings && again.window == options.window && again.target == options.target);
  return 0;
}
