// run: advances a body file by a number of the saver's steps and writes the
// state it reaches as a body file, every body kept.
#include <cmath>
#include <iostream>

#include "command_line.h"
#include "command_support.h"
#include "common/quoted.h"
#include "settings/settings.h"
#include "common/zelor_error.h"
#include "render.h"
#include "render_progress.h"
#include "sim/body_file.h"

namespace zelor::bodies {
namespace {

const char kUsageText[] =
    "Aufruf: zelor-bodies run DATEI.zel AUS.zel --steps N [--interval TAGE] [--accuracy K]\n"
    "        (Intervall und Genauigkeit, Teilschritte je Schritt von 1 bis 1000, vorgegeben wie im\n"
    "        Bildschirmschoner)";

constexpr double kMaxSteps = 1e9;

bool WholeNumberIn(const std::string& text, double low, double high, double& value) {
  return ParseNumber(text, value) && value >= low && value <= high && value == std::floor(value);
}

std::optional<std::string> ApplyOptions(const CommandLine& line, std::int64_t& steps, RunConfig& run) {
  if (!line.options.count("steps")) return "--steps fehlt: wie viele Schritte?";
  double number = 0;
  if (!WholeNumberIn(line.options.at("steps"), 0, kMaxSteps, number))
    return "--steps " + QuotedShort(line.options.at("steps")) + ": eine ganze Zahl von 0 bis 1000000000";
  steps = static_cast<std::int64_t>(number);
  if (line.options.count("interval") && !ParseNumber(line.options.at("interval"), run.interval))
    return "--interval " + QuotedShort(line.options.at("interval")) + ": Tage je Schritt, eine Zahl wie 2 oder 0,5";
  if (line.options.count("accuracy")) {
    // The saver's own rule for "Genauigkeit".
    const NumberCheck check = CheckNumberSetting(kKeyGenauigkeit, line.options.at("accuracy"), kEnglishLocale);
    if (check.problem != NumberCheck::Problem::None)
      return "--accuracy " + QuotedShort(line.options.at("accuracy")) + ": Teilschritte je Schritt, " + check.takes;
    run.values.Set(kKeyGenauigkeit, check.value);
  }
  return std::nullopt;
}

}  // namespace

int RunStepsCommand(FileSystem& files, const Words& words) {
  const CommandLine line = ParseCommandLine(words, {"steps", "interval", "accuracy"});
  if (!line.error.empty()) return Fail(kUsage, line.error + "\n" + kUsageText);
  if (line.arguments.size() != 2) return Fail(kUsage, kUsageText);
  std::int64_t steps = 0;
  RunConfig config = DefaultRenderOptions().run;
  if (const auto problem = ApplyOptions(line, steps, config)) return Fail(kUsage, *problem + "\n" + kUsageText);
  config.bodyFile = line.arguments[0];
  SimState state;
  Canvas canvas;  // one pixel: the paths are not kept
  canvas.Resize(1, 1);
  RenderProgress progress(steps, std::cerr);
  try {
    SimInit(state, config, files, canvas);
    progress.Done(0);
    for (std::int64_t k = 0; k < steps; ++k) {
      SimStep(state, canvas);
      progress.Done(k + 1);
    }
    progress.Finish();
  } catch (const ZelorError& error) {
    progress.Finish();
    return Fail(kRefused, "der Bildschirmschoner bricht ab mit der Meldung:\n  " + std::string(error.what()));
  }
  if (!WriteBodyFile(files, line.arguments[1], AllRecords(state)))
    return Fail(kRefused, CannotWrite(line.arguments[1]));
  std::cout << line.arguments[1] << ": " << state.Bodies.size() << " K\xC3\xB6rper nach " << steps
            << " Schritten, " << TimeLabel(state, kGermanLocale) << " Tage\n";
  return kDone;
}

}  // namespace zelor::bodies
