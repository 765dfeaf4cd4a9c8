// A whole saver run on a body file anybody could have handed us: set-up, a few
// steps, the end of the run with the results saved, and the start of the next
// run from what was saved. A German ZelorError is
// the designed way to refuse bad input; anything else that escapes, every
// sanitizer report and every broken property is a fault.
//
// The reader ignores a trailing part shorter than a record, so those bytes
// carry the settings instead: up to three lines for "Breite", "Höhe" and
// "Intervall". A plain body file (a multiple of 59 bytes) runs with the
// defaults.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/zelor_error.h"
#include "fake_file_system.h"
#include "fuzz_check.h"
#include "memory_store.h"
#include "settings/settings.h"
#include "shell/run_setup.h"
#include "sim/body_file.h"
#include "sim/canvas.h"
#include "sim/sim.h"

namespace zelor {
namespace {

const std::string kBodyPath = "/data/bodies.zel";
const std::string kResultsPath = "/data/results.zel";
constexpr int kSteps = 4;

void PutSettingsFromTail(const std::uint8_t* tail, std::size_t size, MemoryStore& store) {
  const std::string keys[] = {kKeyBreite, kKeyHoehe, kKeyIntervall};
  std::string text(reinterpret_cast<const char*>(tail), size);
  for (const std::string& key : keys) {
    if (text.empty()) break;
    const std::size_t end = text.find('\n');
    store.values[key] = text.substr(0, end);
    text = end == std::string::npos ? std::string() : text.substr(end + 1);
  }
}

// The end of a run goes on past every failure, so it must never throw; what
// it stores has to be readable again.
void EndRun(SimState& state, Settings& settings, MemoryStore& store, FakeFileSystem& files) {
  const std::size_t bodies = state.Bodies.size();
  try {
    FinishRun(state, settings, files);
  } catch (...) {
    FuzzFailure("FinishRun threw");
  }
  FUZZ_CHECK(settings.ReadNumber(kKeyBreite).has_value());
  FUZZ_CHECK(settings.ReadNumber(kKeyHoehe).has_value());
  if (store.values[kKeyDatei] == kResultsPath) {
    FUZZ_CHECK(files.Exists(kResultsPath));
    const std::vector<unsigned char>& saved = files.files[kResultsPath];
    FUZZ_CHECK(saved.size() % kBodyRecordSize == 0);
    FUZZ_CHECK(saved.size() / kBodyRecordSize <= bodies);
  }
}

// The next run must start from what this one left behind: a run that ended
// normally never leaves a configuration that the next one refuses.
// ZELOR_FUZZ_NEXT_RUN=0 leaves this out, to look for other faults alone.
void StartNextRun(const Settings& settings, FakeFileSystem& files) {
  static const bool wanted = [] {
    const char* setting = std::getenv("ZELOR_FUZZ_NEXT_RUN");
    return setting == nullptr || std::string(setting) != "0";
  }();
  if (!wanted) return;
  SimState next;
  Canvas canvas;
  canvas.Resize(64, 48);
  try {
    StartRun(next, settings, files, canvas, {});
  } catch (const ZelorError& error) {
    std::fprintf(stderr, "next run: %s\n", error.what());
    FuzzFailure("the next run refuses what this run left behind");
  }
}

}  // namespace
}  // namespace zelor

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelor;
  MemoryStore store;
  Settings settings(store, MakeDefaultPaths("/appdata"), kEnglishLocale);
  FakeFileSystem files;
  files.files[kBodyPath].assign(data, data + size);
  store.values[kKeyDatei] = kBodyPath;
  store.values[kKeyResultsPath] = kResultsPath;
  store.values[kKeySaveResults] = "True";
  const std::size_t tail = size % kBodyRecordSize;
  PutSettingsFromTail(data + size - tail, tail, store);

  Canvas canvas;
  canvas.Resize(64, 48);
  SimState state;
  try {
    StartRun(state, settings, files, canvas, {});
    FUZZ_CHECK(!state.Bodies.empty());
    for (int step = 0; step < kSteps; ++step) SimStep(state, canvas);
    FUZZ_CHECK(state.StepCount == kSteps);
    TimeLabel(state, kGermanLocale);
  } catch (const ZelorError&) {
    return 0;  // a refusal in German: the designed outcome for bad input
  }
  EndRun(state, settings, store, files);
  StartNextRun(settings, files);
  return 0;
}
