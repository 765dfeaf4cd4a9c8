#include "x11/module/module_options.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <utility>
#include <vector>

#include "common/number_text.h"
#include "common/quoted.h"
#include "settings/settings.h"
#include "x11/module/module_option_table.h"

namespace zelor {
namespace {

// A measurement runs for a day at most: longer is a mistake, and far longer
// would be more than the clock counts.
constexpr double kMeasureSecondsMax = 86400;

bool IsNumber(const std::string& text) { return ParseNumber(text, kEnglishLocale).has_value(); }
bool IsNumberText(const std::string& text, NumberLocale locale) {
  return ReadNumberText(text, locale).kind != NumberReading::Kind::NoNumber;
}

// The daemon's settings dialog writes a number in the user's locale, "0,5" in
// a German one; an option that takes a single number cannot mistake that
// comma. The run reads the dot form.
std::string DotForm(std::string text) {
  if (!IsNumberText(text, kEnglishLocale) && IsNumberText(text, kGermanLocale))
    std::replace(text.begin(), text.end(), ',', '.');
  return text;
}

std::optional<std::string> SingleNumber(const std::string& text) {
  const std::string number = DotForm(text);
  return IsNumber(number) ? std::optional<std::string>(number) : std::nullopt;
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

// `takes` is what the option takes, "eine Zahl ungleich 0".
std::string NeedsNumber(const std::string& option, const std::string& takes, const std::string& value) {
  return "Die Option " + Quoted(option) + " braucht " + takes + ", etwa " + Quoted("0.5") + ", nicht " +
         QuotedShort(value) + ".";
}

// Empty when the setting `key` takes `number` (with a dot); else the message
// that names the option, what it takes and why, showing `value` as it was
// given. `part` says which of a pair's numbers it is, "als Breite ".
std::string RefusedNumber(const std::string& option, const std::string& part, const std::string& key,
                          const std::string& number, const std::string& value) {
  const NumberCheck check = CheckNumberSetting(key, number, kEnglishLocale);
  const std::string needs = "Die Option " + Quoted(option) + " braucht " + part + check.takes;
  switch (check.problem) {
    case NumberCheck::Problem::None: break;
    case NumberCheck::Problem::NoNumber: return NeedsNumber(option, part + check.takes, value);
    case NumberCheck::Problem::TooLarge: return needs + "; " + QuotedShort(value) + " ist zu gro\xC3\x9F.";
    case NumberCheck::Problem::Refused: return needs + ", nicht " + QuotedShort(value) + ".";
  }
  return std::string();
}

// Width and height with an "x" between them: "4x3", "2.5X2", "4×3". The
// older comma ("2.5,2") still works where the text cannot also be read as one
// number with a decimal comma: to a German reader "2,5" is two and a half.
std::string TakeSky(const std::string& option, const std::string& value, const std::string& widthKey,
                    const std::string& heightKey, ModuleOptions& options) {
  std::string text = value;
  for (std::size_t at; (at = text.find("\xC3\x97")) != std::string::npos;) text.replace(at, 2, "x");
  std::size_t cut = text.find_first_of("xX");
  if (cut == std::string::npos) {
    cut = text.find(',');
    if (cut != std::string::npos && ParseNumber(text, kGermanLocale))
      return "Die Option " + Quoted(option) + " ist mit " + QuotedShort(value) + " nicht eindeutig: Meinen Sie " +
             value + " AE oder " + text.substr(0, cut) + " mal " + text.substr(cut + 1) +
             " AE? Bitte schreiben Sie Breite und H\xC3\xB6he mit einem x dazwischen, etwa " +
             Quoted(text.substr(0, cut) + "x" + text.substr(cut + 1)) + ", und Dezimalzahlen mit Punkt.";
  }
  const std::string width = text.substr(0, cut), height = cut == std::string::npos ? "" : text.substr(cut + 1);
  if (!IsNumberText(width, kEnglishLocale) || !IsNumberText(height, kEnglishLocale))
    return "Die Option " + Quoted(option) + " braucht Breite und H\xC3\xB6he in AE mit einem x dazwischen, etwa " +
           Quoted("4x3") + " oder " + Quoted("2.5x2") + ", nicht " + QuotedShort(value) + ".";
  for (const auto& [key, number] : {std::pair{widthKey, width}, std::pair{heightKey, height}})
    if (std::string refused = RefusedNumber(option, "als " + key + " ", key, number, number); !refused.empty())
      return refused;
  options.settings[widthKey] = width;
  options.settings[heightKey] = height;
  return std::string();
}

// A switch's option sets it, the option with "no-" before it clears it.
bool TakeSwitch(const std::string& name, ModuleOptions& options) {
  const bool cleared = name.compare(0, 3, "no-") == 0;
  const ModuleOption* option = FindModuleOption(cleared ? name.substr(3) : name);
  if (!option || option->form != ModuleOptionForm::Switch) return false;
  options.settings[option->keys.front()] = FormatBool(!cleared);
  return true;
}

// The value of an option of the module itself: a window or a measurement.
std::string TakeOwnValue(const std::string& name, const std::string& value, ModuleOptions& options) {
  if (name == "window-id") {
    const auto id = ParseWindowId(value);
    if (!id) return "Die Option " + Quoted("-window-id") + " braucht die Nummer eines Fensters, nicht " +
                    QuotedShort(value) + ".";
    options.target = DrawTarget::GivenWindow;
    options.window = *id;
    return std::string();
  }
  const auto number = SingleNumber(value);
  if (!number) return NeedsNumber("-" + name, "eine Zahl", value);
  const double seconds = *ParseNumber(*number, kEnglishLocale);
  if (!(seconds > 0 && seconds <= kMeasureSecondsMax))
    return "Die Option " + Quoted("-measure-seconds") + " braucht eine Dauer von mehr als 0 bis " +
           FormatNumber(kMeasureSecondsMax, kEnglishLocale) + " Sekunden (ein Tag), nicht " + QuotedShort(value) +
           ".";
  options.measureSeconds = seconds;
  return std::string();
}

// The value of a setting's option: a text as it stands, a number with a dot.
std::string TakeSettingValue(const ModuleOption& option, const std::string& value, ModuleOptions& options) {
  const std::string dashed = "-" + option.name;
  if (option.form == ModuleOptionForm::Sky) return TakeSky(dashed, value, option.keys[0], option.keys[1], options);
  const std::string& key = option.keys.front();
  const SettingInfo* setting = FindSetting(key);
  if (!setting || setting->kind != SettingKind::Number) {
    options.settings[key] = value;
    return std::string();
  }
  const std::string number = DotForm(value);
  if (std::string refused = RefusedNumber(dashed, "", key, number, value); !refused.empty()) return refused;
  options.settings[key] = number;
  return std::string();
}

// The options of the module itself that take no value.
bool TakeOwnSwitch(const std::string& name, ModuleOptions& options) {
  if (name == "root") {
    options.target = DrawTarget::Root;
    options.window = {};
  } else if (name == "fullscreen") {
    options.fullscreen = true;
  } else if (name == "help" || name == "h") {
    options.help = true;
  } else {
    return false;
  }
  return true;
}

// Reads one option and its value, if it takes one; returns the error text.
std::string TakeOption(const std::string& name, const std::vector<std::string>& args, std::size_t& i,
                       ModuleOptions& options) {
  if (TakeOwnSwitch(name, options) || TakeSwitch(name, options)) return std::string();

  const bool ownValue = name == "window-id" || name == "measure-seconds";
  const ModuleOption* option = FindModuleOption(name);
  if (!ownValue && !option) return "Unbekannte Option " + QuotedShort("-" + name) + ".";
  if (i + 1 >= args.size()) return "Die Option " + Quoted("-" + name) + " braucht einen Wert.";
  const std::string& value = args[++i];
  return ownValue ? TakeOwnValue(name, value, options) : TakeSettingValue(*option, value, options);
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

// The options in brackets, wrapped below "Aufruf: zelor2 " where a line
// would grow past 90 characters.
std::string ModuleUsage() {
  std::vector<std::string> parts{"[-root | -window-id FENSTER | -fullscreen]"};
  for (const ModuleOption& option : kModuleOptions)
    parts.push_back(option.form == ModuleOptionForm::Switch ? "[-" + option.name + " | -no-" + option.name + "]"
                                                            : "[-" + option.name + " " + option.valueName + "]");
  constexpr std::size_t kWidth = 90;
  const std::string indent(14, ' ');
  std::string usage, line = "Aufruf: zelor2";
  for (const std::string& part : parts) {
    if (line.size() + 1 + part.size() > kWidth) {
      usage += line + "\n";
      line = indent + part;
    } else {
      line += " " + part;
    }
  }
  return usage + line + "\n" +
         "Zahlen mit Punkt; Breite und H\xC3\xB6he in AE, etwa -sky 4x3 oder -sky 2.5x2. Die Optionen\n"
         "gelten nur f\xC3\xBCr diesen Lauf; die Einstellungen stehen in $XDG_CONFIG_HOME/zelor2/zelor2.conf.\n";
}

}  // namespace zelor
