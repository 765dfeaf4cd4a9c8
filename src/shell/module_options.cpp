#include "shell/module_options.h"

#include <cerrno>
#include <cstdlib>

#include "common/quoted.h"
#include "settings/number_text.h"
#include "settings/settings.h"

namespace zelor {
namespace {

bool IsNumber(const std::string& text) { return ParseNumber(text, kEnglishLocale).has_value(); }

// Decimal, or hexadecimal after "0x" as window tools print it; 0 is no window.
std::optional<std::uint64_t> ParseWindowId(const std::string& text) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const std::string digits = hex ? text.substr(2) : text;
  if (digits.empty() || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos)
    return std::nullopt;
  errno = 0;
  const unsigned long long id = std::strtoull(digits.c_str(), nullptr, hex ? 16 : 10);
  if (errno == ERANGE || id == 0) return std::nullopt;
  return id;
}

std::string NeedsNumber(const std::string& option, const std::string& value) {
  return "Die Option " + Quoted(option) + " braucht eine Zahl mit Punkt als Dezimalzeichen, nicht " +
         QuotedShort(value) + ".";
}

// Reads one option and its value, if it takes one; returns the error text.
std::string TakeOption(const std::string& name, const std::vector<std::string>& args, std::size_t& i,
                       ModuleOptions& options) {
  if (name == "root") return options.target = DrawTarget::Root, options.window = {}, std::string();
  if (name == "fullscreen") return options.fullscreen = true, std::string();
  if (name == "save") return options.settings[kKeySaveResults] = "True", std::string();
  if (name == "no-save") return options.settings[kKeySaveResults] = "False", std::string();
  if (name == "help" || name == "h") return options.help = true, std::string();

  static const char* const kWithValue[] = {"window-id", "file",  "results",         "interval",
                                           "sky",       "tempo", "measure-seconds"};
  bool takesValue = false;
  for (const char* known : kWithValue) takesValue = takesValue || name == known;
  if (!takesValue) return "Unbekannte Option " + QuotedShort("-" + name) + ".";
  if (i + 1 >= args.size()) return "Die Option " + Quoted("-" + name) + " braucht einen Wert.";
  const std::string& value = args[++i];

  if (name == "window-id") {
    const auto id = ParseWindowId(value);
    if (!id) return "Die Option " + Quoted("-window-id") + " braucht die Nummer eines Fensters, nicht " +
                    QuotedShort(value) + ".";
    options.target = DrawTarget::GivenWindow;
    options.window = *id;
  } else if (name == "file") {
    options.settings[kKeyDatei] = value;
  } else if (name == "results") {
    options.settings[kKeyResultsPath] = value;
  } else if (name == "sky") {
    const std::size_t comma = value.find(',');
    const std::string width = value.substr(0, comma), height = comma == std::string::npos ? "" : value.substr(comma + 1);
    if (!IsNumber(width) || !IsNumber(height))
      return "Die Option " + Quoted("-sky") + " braucht Breite und H\xC3\xB6he in AE, durch ein Komma getrennt, etwa " +
             Quoted("2.5,2") + ", nicht " + QuotedShort(value) + ".";
    options.settings[kKeyBreite] = width;
    options.settings[kKeyHoehe] = height;
  } else {
    if (!IsNumber(value)) return NeedsNumber("-" + name, value);
    if (name == "interval") options.settings[kKeyIntervall] = value;
    if (name == "tempo") options.settings[kKeyTempo] = value;
    if (name == "measure-seconds") options.measureSeconds = *ParseNumber(value, kEnglishLocale);
  }
  return std::string();
}

}  // namespace

ModuleOptions ParseModuleOptions(const std::vector<std::string>& arguments,
                                 const std::optional<std::string>& saverWindow) {
  ModuleOptions options;
  options.settings[kKeyPasswort] = "";
  for (std::size_t i = 0; i < arguments.size() && options.error.empty(); ++i) {
    const std::string& arg = arguments[i];
    if (arg.size() < 2 || arg[0] != '-') {
      options.error = "Unerwartetes Argument " + QuotedShort(arg) + ".";
      break;
    }
    const std::string name = arg.substr(arg[1] == '-' ? 2 : 1);
    options.error = TakeOption(name, arguments, i, options);
  }
  if (options.error.empty() && options.target == DrawTarget::OwnWindow && !options.fullscreen && saverWindow) {
    const auto id = ParseWindowId(*saverWindow);
    if (id) {
      options.target = DrawTarget::GivenWindow;
      options.window = *id;
    } else {
      options.error = "XSCREENSAVER_WINDOW nennt kein Fenster: " + QuotedShort(*saverWindow) + ".";
    }
  }
  return options;
}

std::string ModuleUsage() {
  return "Aufruf: zelor2 [-root | -window-id FENSTER | -fullscreen] [-file DATEI] [-results DATEI]\n"
         "              [-interval TAGE] [-sky BREITE,H\xC3\x96HE] [-tempo SCHRITTE] [-save | -no-save]\n"
         "Zahlen mit Punkt, Breite und H\xC3\xB6he in AE. Die Optionen gelten nur f\xC3\xBCr diesen Lauf;\n"
         "die Einstellungen stehen in $XDG_CONFIG_HOME/zelor2/zelor2.conf.\n";
}

}  // namespace zelor
