// The end of a run for the tests of SimEnd (what the end decides) and of
// FinishRun (how it reaches settings and files): bodies in AU, and a run
// whose results go to /data/Ergebnis.zel.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sim_test_support.h"

namespace zelor {
namespace {

constexpr double kAU = 1.5e11;
constexpr double kSun = 332946;  // Earth masses
const std::string kResults = "/data/Ergebnis.zel";

// A body given in AU and m/s, for a state with an interval of one day.
Body At(double mass, double xAU, double yAU, double vx = 0, double vy = 0, std::int32_t color = kWhite) {
  return MakeBody(mass, xAU * kAU, yAU * kAU, vx * 86400, vy * 86400, color);
}

// The end of a run with "speichern" on, results going to /data/Ergebnis.zel:
// decided by SimEnd, or applied to settings and files by FinishRun.
struct End {
  explicit End(std::vector<Body> bodies, NumberLocale locale = kEnglishLocale)
      : settings(store, MakeDefaultPaths("/appdata"), locale) {
    store.values[kKeySaveResults] = "True";
    store.values[kKeyResultsPath] = kResults;
    store.values[kKeyDatei] = "/data/bodies.zel";
    state.Bodies = std::move(bodies);
    state.SimInterval = 1;
    state.ViewWidth = 2;
    state.ViewHeight = 3;
  }
  void Run() { FinishRun(state, settings, files); }
  // What the end decides, with the results asked for at /data/Ergebnis.zel.
  EndOfRun Decide(bool save = true, const std::string& path = kResults) const { return SimEnd(state, {save, path}); }
  std::vector<BodyRecord> Records() const { return DecodeBodyRecords(files.files.at(kResults)); }

  MemoryStore store;
  Settings settings;
  FakeFileSystem files;
  SimState state;
};

}  // namespace
}  // namespace zelor
