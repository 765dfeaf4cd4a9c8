// render: the picture a saver run shows after a number of steps, as a PNG.
#include <charconv>
#include <cmath>
#include <new>

#include "command_line.h"
#include "command_support.h"
#include "common/quoted.h"
#include "common/zelor_error.h"
#include "picture.h"
#include "render.h"
#include "render_progress.h"

namespace zelor::bodies {
namespace {

const char kUsageText[] =
    "Aufruf: zelor-bodies render DATEI.zel BILD.png --steps N [--size BREITExH\xC3\x96HE] [--interval TAGE]\n"
    "                            [--sky BREITExH\xC3\x96HE]\n"
    "        (vorgegeben: --size 800x600, Intervall und Himmel wie im Bildschirmschoner;\n"
    "        der Himmel in AE, z. B. --sky 3,5x3,5)";

// Beyond these a render runs for days or needs gigabytes: a typing error
// rather than a wish.
constexpr double kMaxSteps = 1e9;
constexpr double kMaxSide = 16384;
constexpr double kMaxPixels = 8192.0 * 8192.0;

// "4x3"; for --sky also the older "4,3" (then with decimal points only).
bool ParsePair(const std::string& text, bool commaPair, double& first, double& second) {
  auto cut = text.find_first_of("xX");
  if (cut == std::string::npos && commaPair && text.find(',') == text.rfind(',')) cut = text.find(',');
  return cut != std::string::npos && ParseNumber(text.substr(0, cut), first) &&
         ParseNumber(text.substr(cut + 1), second);
}

// Every option into the run's settings; the message for one that does not fit.
std::optional<std::string> ApplyOptions(const CommandLine& line, RenderOptions& options) {
  double steps = 0;
  if (!line.options.count("steps")) return "--steps fehlt: wie viele Schritte?";
  const std::string& stepsText = line.options.at("steps");
  if (!ParseNumber(stepsText, steps) || steps < 0 || steps > kMaxSteps || steps != std::floor(steps))
    return "--steps " + QuotedShort(stepsText) + ": eine ganze Zahl von 0 bis 1000000000";
  options.steps = static_cast<std::int64_t>(steps);
  if (line.options.count("size")) {
    const std::string& text = line.options.at("size");
    double width = 0, height = 0;
    if (!ParsePair(text, false, width, height) || width < 1 || height < 1 || width > kMaxSide ||
        height > kMaxSide || width != std::floor(width) || height != std::floor(height))
      return "--size " + QuotedShort(text) + ": BREITExH\xC3\x96HE in ganzen Pixeln, 1 bis 16384 je Seite";
    if (width * height > kMaxPixels)
      return "--size " + QuotedShort(text) + ": h\xC3\xB6" "chstens 67108864 Pixel (8192x8192) in einem Bild";
    options.width = static_cast<int>(width);
    options.height = static_cast<int>(height);
  }
  if (line.options.count("interval") && !ParseNumber(line.options.at("interval"), options.run.interval))
    return "--interval " + QuotedShort(line.options.at("interval")) + ": Tage je Schritt, eine Zahl wie 2 oder 0,5";
  if (line.options.count("sky") &&
      (!ParsePair(line.options.at("sky"), true, options.run.viewWidth, options.run.viewHeight) ||
       options.run.viewWidth == 0 || options.run.viewHeight == 0))
    return "--sky " + QuotedShort(line.options.at("sky")) + ": BREITExH\xC3\x96HE in AE, nicht 0, z. B. 3,5x2";
  return std::nullopt;
}

// The run and its picture; an empty PNG when the memory did not suffice.
std::vector<unsigned char> RenderPng(FileSystem& files, const std::string& path, const RenderOptions& options,
                                     RenderedRun& run) {
  RenderProgress progress(options.steps, std::cerr);
  try {
    run = RenderRun(files, path, options, [&](std::int64_t done) { progress.Done(done); });
    progress.Finish();
    return EncodePng(PictureOf(run.canvas, run.label));
  } catch (const std::bad_alloc&) {
    progress.Finish();
    run = RenderedRun{};  // give back what was taken
    return {};
  }
}

}  // namespace

int RenderCommand(FileSystem& files, const Words& words) {
  const CommandLine line = ParseCommandLine(words, {"steps", "size", "interval", "sky"});
  RenderOptions options = DefaultRenderOptions();
  if (!line.error.empty()) return Fail(kUsage, line.error + "\n" + kUsageText);
  if (line.arguments.size() != 2) return Fail(kUsage, kUsageText);
  if (const auto problem = ApplyOptions(line, options)) return Fail(kUsage, *problem + "\n" + kUsageText);
  RenderedRun run;
  std::vector<unsigned char> png;
  try {
    png = RenderPng(files, line.arguments[0], options, run);
  } catch (const ZelorError& error) {
    return Fail(kRefused, "der Bildschirmschoner bricht ab mit der Meldung:\n  " + std::string(error.what()));
  }
  if (png.empty())
    return Fail(kRefused, "zu wenig Speicher f\xC3\xBCr ein Bild von " + std::to_string(options.width) + "x" +
                              std::to_string(options.height) + " Pixeln; mit --size kleiner w\xC3\xA4hlen");
  if (!WriteBytesSafely(files, line.arguments[1], png))
    return Fail(kRefused, CannotWrite(line.arguments[1]));
  std::cout << line.arguments[1] << ": " << options.steps << " Schritte, " << run.label << " Tage; ";
  if (run.stepSeconds > 0)
    std::cout << static_cast<long long>(std::llround(options.steps / run.stepSeconds)) << " Schritte je Sekunde\n";
  else
    std::cout << "zu schnell, um Schritte je Sekunde zu messen\n";
  return kDone;
}

}  // namespace zelor::bodies
