#include "shell/module_options.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "common/number_text.h"
#include "common/quoted.h"
#include "settings/settings.h"

namespace zelor {
namespace {

// A measurement runs for a day at most: longer is a mistake, and far longer
// would be more than the clock counts.
constexpr double kMeasureSecondsMax = 86400;

bool IsNumber(const std::string& text) { return ParseNumber(text, kEnglishLocale).has_value(); }

// The daemon's settings dialog writes a number in the user's locale, "0,5" in
// a German one; an option that takes a single number cannot mistake that
// comma. The run reads the dot form.
std::optional<std::string> SingleNumber(std::string text) {
  if (!IsNumber(text) && ParseNumber(text, kGermanLocale)) std::replace(text.begin(), text.end(), ',', '.');
  return IsNumber(text) ? std::optional<std::string>(text) : std::nullopt;
}

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
  return "Die Option " + Quoted(option) + " braucht eine Zahl, etwa " + Quoted("0.5") + ", nicht " +
         QuotedShort(value) + ".";
}

// Width and height with an "x" between them: "4x3", "2.5X2", "4×3". The
// older comma ("2.5,2") still works where the text cannot also be read as one
// number with a decimal comma: to a German reader "2,5" is two and a half.
std::string TakeSky(const std::string& value, ModuleOptions& options) {
  std::string text = value;
  for (std::size_t at; (at = text.find("\xC3\x97")) != std::string::npos;) text.replace(at, 2, "x");
  std::size_t cut = text.find_first_of("xX");
  if (cut == std::string::npos) {
    cut = text.find(',');
    if (cut != std::string::npos && ParseNumber(text, kGermanLocale))
      return "Die Option " + Quoted("-sky") + " ist mit " + QuotedShort(value) + " nicht eindeutig: Meinen Sie " +
             value + " AE oder " + text.substr(0, cut) + " mal " + text.substr(cut + 1) +
             " AE? Bitte schreiben Sie Breite und H\xC3\xB6he mit einem x dazwischen, etwa " +
             Quoted(text.substr(0, cut) + "x" + text.substr(cut + 1)) + ", und Dezimalzahlen mit Punkt.";
  }
  const std::string width = text.substr(0, cut), height = cut == std::string::npos ? "" : text.substr(cut + 1);
  if (!IsNumber(width) || !IsNumber(height))
    return "Die Option " + Quoted("-sky") + " braucht Breite und H\xC3\xB6he in AE mit einem x dazwischen, etwa " +
           Quoted("4x3") + " oder " + Quoted("2.5x2") + ", nicht " + QuotedShort(value) + ".";
  options.settings[kKeyBreite] = width;
  options.settings[kKeyHoehe] = height;
  return std::string();
}

// Reads one option and its value, if it takes one; returns the error text.
std::string TakeOption(const std::string& name, const std::vector<std::string>& args, std::size_t& i,
                       ModuleOptions& options) {
  if (name == "root") return options.target = DrawTarget::Root, options.window = {}, std::string();
  if (name == "fullscreen") return options.fullscreen = true, std::string();
  if (name == "save") return options.settings[kKeySaveResults] = "True", std::string();
  if (name == "no-save") return options.settings[kKeySaveResults] = "False", std::string();
  if (name == "round") return options.settings[kKeyRund] = "True", std::string();
  if (name == "no-round") return options.settings[kKeyRund] = "False", std::string();
  if (name == "all-screens") return options.settings[kKeyAlleBildschirme] = "True", std::string();
  if (name == "no-all-screens") return options.settings[kKeyAlleBildschirme] = "False", std::string();
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
    return TakeSky(value, options);
  } else {
    const auto number = SingleNumber(value);
    if (!number) return NeedsNumber("-" + name, value);
    if (name == "interval") options.settings[kKeyIntervall] = *number;
    if (name == "tempo") options.settings[kKeyTempo] = *number;
    if (name == "measure-seconds") {
      const double seconds = *ParseNumber(*number, kEnglishLocale);
      if (!(seconds > 0 && seconds <= kMeasureSecondsMax))
        return "Die Option " + Quoted("-measure-seconds") + " braucht eine Dauer von mehr als 0 bis " +
               FormatNumber(kMeasureSecondsMax, kEnglishLocale) + " Sekunden (ein Tag), nicht " +
               QuotedShort(value) + ".";
      options.measureSeconds = seconds;
    }
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
  // The daemon starts its modules with -root and hands them its own window
  // in the variable: drawing on the real root would be hidden behind it.
  if (options.error.empty() && options.target != DrawTarget::GivenWindow && !options.fullscreen && saverWindow) {
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
         "              [-interval TAGE] [-sky BREITExH\xC3\x96HE] [-tempo SCHRITTE] [-save | -no-save]\n"
         "              [-round | -no-round] [-all-screens | -no-all-screens]\n"
         "Zahlen mit Punkt; Breite und H\xC3\xB6he in AE, etwa -sky 4x3 oder -sky 2.5x2. Die Optionen\n"
         "gelten nur f\xC3\xBCr diesen Lauf; die Einstellungen stehen in $XDG_CONFIG_HOME/zelor2/zelor2.conf.\n";
}

}  // namespace zelor
