#include "shell/run_setup.h"

#include <string>

#include "common/safe_write.h"
#include "common/zelor_error.h"
#include "sim/body_file.h"

namespace zelor {
namespace {

// A number the setting takes, by the rules of its row of the settings table.
double ReadNumberSetting(const Settings& settings, const std::string& key) {
  const NumberCheck check = CheckNumberSetting(key, settings.ReadText(key), settings.Locale());
  if (check.problem == NumberCheck::Problem::None) return check.value;
  throw ZelorError("Die Einstellung " + check.why + " Bitte tragen Sie in den Einstellungen des Bildschirmschoners " +
                       check.takes + " ein.",
                   ErrorCause::BrokenSetting, key);
}

// A text that is no truth value does not ask for a file: the options dialog
// shows it unticked, and writing files unasked is the worse mistake. A store
// that cannot be read asks for nothing either.
ResultsRequest ReadResultsRequest(const Settings& settings) {
  ResultsRequest request;
  try {
    if (!settings.ReadBool(kKeySaveResults).value_or(false)) return request;
    request.resultsPath = settings.ReadText(kKeyResultsPath);
    request.saveResults = true;
  } catch (...) {
    return ResultsRequest();
  }
  return request;
}

// The configuration follows the results file only once it has been written
// completely, so a failed save never leaves the next run without a body file.
// True when the next run starts from the results.
bool SaveResults(SimState& state, Settings& settings, FileSystem& files, const ResultsRequest& request,
                 const EndOfRun& end) {
  if (!end.saveResults) return false;
  try {
    if (!WriteBodyFile(files, request.resultsPath, end.records)) return false;
    state.BodyFile = request.resultsPath;
    return settings.WriteText(kKeyDatei, request.resultsPath);
  } catch (...) {
    // A failing store: the sky is still worth keeping.
    return false;
  }
}

}  // namespace

RunConfig ReadRunConfig(const Settings& settings) {
  RunConfig config;
  config.viewWidth = ReadNumberSetting(settings, kKeyBreite);
  config.viewHeight = ReadNumberSetting(settings, kKeyHoehe);
  config.interval = ReadNumberSetting(settings, kKeyIntervall);
  config.bodyFile = settings.ReadText(kKeyDatei);
  config.round = ReadSwitch(settings, kKeyRund);
  for (const SettingInfo& setting : kSettingTable) {
    if (setting.run != RunUse::Step) continue;
    config.values.Set(setting.key, setting.kind == SettingKind::Switch ? ReadSwitch(settings, setting.key)
                                                                       : ReadNumberSetting(settings, setting.key));
  }
  return config;
}

double ReadTempo(const Settings& settings) { return ReadNumberSetting(settings, kKeyTempo); }

void StartRun(SimState& state, const Settings& settings, FileSystem& files, Canvas& canvas,
              const std::vector<unsigned char>& carriedCopy) {
  EnsureDefaultBodyFile(settings, files, carriedCopy);
  SimInit(state, ReadRunConfig(settings), files, canvas);
}

void FinishRun(SimState& state, Settings& settings, FileSystem& files) {
  const ResultsRequest request = ReadResultsRequest(settings);
  const EndOfRun end = SimEnd(state, request);
  const bool saved = SaveResults(state, settings, files, request, end);
  const Sky& sky = saved ? end.skyIfSaved : end.skyIfNotSaved;
  state.ViewWidth = sky.width;
  state.ViewHeight = sky.height;
  try {
    settings.WriteNumber(kKeyBreite, state.ViewWidth);
  } catch (...) {
  }
  try {
    settings.WriteNumber(kKeyHoehe, state.ViewHeight);
  } catch (...) {
  }
}

void EnsureDefaultBodyFile(const Settings& settings, FileSystem& files,
                           const std::vector<unsigned char>& carriedCopy) {
  const std::string& path = settings.Defaults().bodyFile;
  // Only the default is ours to restore; a file the user chose and lost is
  // reported by the set-up, not quietly replaced.
  if (carriedCopy.empty() || settings.ReadText(kKeyDatei) != path || files.IsRegularFile(path)) return;
  files.CreateFolders(FolderOf(path));
  WriteFileSafely(files, path,
                  [&](OutputFile& out) { return out.Write(carriedCopy.data(), carriedCopy.size()); });
}

}  // namespace zelor
