// render: the picture a saver run shows after a number of steps, as a PNG.
#include <charconv>
#include <cmath>

#include "command_line.h"
#include "command_support.h"
#include "common/zelor_error.h"
#include "picture.h"
#include "render.h"

namespace zelor::bodies {
namespace {

const char kUsageText[] =
    "usage: zelor-bodies render FILE.zel OUT.png --steps N [--size WxH] [--interval DAYS] [--sky W,H]\n"
    "       (defaults: --size 800x600, and the saver's own interval and sky)";

bool ParseNumber(const std::string& text, double& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

bool ParsePair(const std::string& text, char separator, double& first, double& second) {
  const auto cut = text.find(separator);
  return cut != std::string::npos && ParseNumber(text.substr(0, cut), first) && ParseNumber(text.substr(cut + 1), second);
}

// Every option into the run's settings; false on a value that does not fit.
bool ApplyOptions(const CommandLine& line, RenderOptions& options) {
  double steps = 0;
  if (!line.options.count("steps") || !ParseNumber(line.options.at("steps"), steps) || steps < 0 ||
      steps > 1e15 || steps != std::floor(steps))
    return false;
  options.steps = static_cast<std::int64_t>(steps);
  if (line.options.count("size")) {
    double width = 0, height = 0;
    if (!ParsePair(line.options.at("size"), 'x', width, height) || width < 1 || height < 1 || width > 16384 ||
        height > 16384 || width != std::floor(width) || height != std::floor(height))
      return false;
    options.width = static_cast<int>(width);
    options.height = static_cast<int>(height);
  }
  if (line.options.count("interval") && !ParseNumber(line.options.at("interval"), options.run.interval)) return false;
  if (line.options.count("sky") &&
      (!ParsePair(line.options.at("sky"), ',', options.run.viewWidth, options.run.viewHeight) ||
       options.run.viewWidth == 0 || options.run.viewHeight == 0))
    return false;
  return true;
}

}  // namespace

int RenderCommand(FileSystem& files, const Words& words) {
  const CommandLine line = ParseCommandLine(words, {"steps", "size", "interval", "sky"});
  RenderOptions options = DefaultRenderOptions();
  if (!line.error.empty()) return Fail(kUsage, line.error + "\n" + kUsageText);
  if (line.arguments.size() != 2 || !ApplyOptions(line, options)) return Fail(kUsage, kUsageText);
  RenderedRun run;
  try {
    run = RenderRun(files, line.arguments[0], options);
  } catch (const ZelorError& error) {
    return Fail(kRefused, "the saver stops with the message:\n  " + std::string(error.what()));
  }
  const std::vector<unsigned char> png = EncodePng(PictureOf(run.canvas, run.label));
  if (png.empty() || !WriteBytesSafely(files, line.arguments[1], png))
    return Fail(kRefused, "cannot write " + line.arguments[1] + "; it is left as it was");
  std::cout << line.arguments[1] << ": " << options.steps << " steps, " << run.label << " days; ";
  if (run.stepSeconds > 0)
    std::cout << static_cast<long long>(std::llround(options.steps / run.stepSeconds)) << " steps per second\n";
  else
    std::cout << "too quick to measure steps per second\n";
  return kDone;
}

}  // namespace zelor::bodies
