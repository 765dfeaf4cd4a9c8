#include "render.h"

#include <chrono>
#include <optional>
#include <string>

#include "settings/settings.h"
#include "settings/settings_store.h"
#include "shell/run_setup.h"

namespace zelor::bodies {
namespace {

// Nothing stored: every setting reads as its default.
class NothingStored : public SettingsStore {
 public:
  std::optional<std::string> Read(const std::string&) override { return std::nullopt; }
  bool Write(const std::string&, const std::string&) override { return false; }
};

}  // namespace

RenderOptions DefaultRenderOptions() {
  NothingStored store;
  const Settings settings(store, MakeDefaultPaths(""), kEnglishLocale);
  RenderOptions options;
  options.run = ReadRunConfig(settings);
  return options;
}

RenderedRun RenderRun(FileSystem& files, const std::string& bodyFile, const RenderOptions& options,
                      const std::function<void(std::int64_t)>& afterStep) {
  RenderedRun result;
  RunConfig config = options.run;
  config.bodyFile = bodyFile;
  SimState state;
  result.canvas.Resize(options.width, options.height);
  SimInit(state, config, files, result.canvas);
  const auto start = std::chrono::steady_clock::now();
  if (afterStep) afterStep(0);
  for (std::int64_t k = 0; k < options.steps; ++k) {
    SimStep(state, result.canvas);
    if (afterStep) afterStep(k + 1);
  }
  result.stepSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.label = TimeLabel(state, kGermanLocale);  // as a German saver shows it
  return result;
}

}  // namespace zelor::bodies
