#include "shell/preview.h"

#include <algorithm>

#include "common/quoted.h"
#include "shell/run_setup.h"
#include "sim/sim.h"

namespace zelor {
namespace {

// The files as the preview sees them: read-only, and with the carried copy
// standing in for a default body file that a first saver run has not written
// yet.
class PreviewFiles : public FileSystem {
 public:
  PreviewFiles(FileSystem& files, std::string defaultBodyFile, const std::vector<unsigned char>& carriedCopy)
      : files_(files), defaultBodyFile_(std::move(defaultBodyFile)), carriedCopy_(carriedCopy) {}

  std::optional<std::vector<unsigned char>> ReadFile(const std::string& path, std::size_t maxBytes) override {
    if (auto bytes = files_.ReadFile(path, maxBytes)) return bytes;
    if (path != defaultBodyFile_ || carriedCopy_.empty() || files_.IsRegularFile(path)) return std::nullopt;
    return std::vector<unsigned char>(carriedCopy_.begin(),
                                      carriedCopy_.begin() + static_cast<std::ptrdiff_t>(
                                                                 std::min(maxBytes, carriedCopy_.size())));
  }
  bool IsRegularFile(const std::string& path) override { return files_.IsRegularFile(path); }
  NewFile CreateNew(const std::string&) override { return {}; }
  bool Replace(const std::string&, const std::string&) override { return false; }
  bool Remove(const std::string&) override { return false; }
  bool CreateFolders(const std::string&) override { return false; }

 private:
  FileSystem& files_;
  std::string defaultBodyFile_;
  const std::vector<unsigned char>& carriedCopy_;
};

struct CauseText {
  ErrorCause cause;
  const char* text;
};
const CauseText kCauseTexts[] = {
    {ErrorCause::MissingFile, "Zelor-Datei fehlt"},
    {ErrorCause::BrokenFile, "Zelor-Datei fehlerhaft"},
    {ErrorCause::TooManyBodies, "Mehr als 32.766 Körper"},
    {ErrorCause::BrokenSetting, "Einstellung ungültig"},
    {ErrorCause::ArithmeticFault, "Rechenfehler"},
};
constexpr char kOtherProblemText[] = "Keine Vorschau möglich";

constexpr std::int64_t kFrameUs = 1000000 / kPreviewFramesPerSecond;

void WaitForTheWindowToGo(PreviewBackend& backend) {
  while (backend.WaitUntil(backend.NowMicroseconds() + kFrameUs)) {
  }
}

}  // namespace

std::string PreviewProblemText(const ZelorError& error) {
  for (const CauseText& entry : kCauseTexts) {
    if (entry.cause != error.Cause()) continue;
    if (error.Cause() == ErrorCause::BrokenSetting && !error.Subject().empty())
      return "Einstellung " + Quoted(error.Subject()) + " ungültig";
    return entry.text;
  }
  return kOtherProblemText;
}

void RunPreview(PreviewBackend& backend, const Settings& settings, FileSystem& files,
                const std::vector<unsigned char>& carriedCopy) {
  SimState state;
  try {
    PreviewFiles readOnly(files, settings.Defaults().bodyFile, carriedCopy);
    SimInit(state, ReadRunConfig(settings), readOnly, backend.Picture());
  } catch (const ZelorError& error) {
    backend.ShowText(PreviewProblemText(error));
    WaitForTheWindowToGo(backend);
    return;
  }
  // A block of bodies at a time, on this thread only.
  StepInPieces step(1, 1);
  std::int64_t next = backend.NowMicroseconds();
  try {
    for (;;) {
      // A further piece starts only when one more as long as the last still
      // ends within the frame's time.
      std::int64_t last = backend.NowMicroseconds();
      const std::int64_t stop = last + kPreviewWorkPerFrameUs;
      const auto inTime = [&] {
        const std::int64_t now = backend.NowMicroseconds();
        const bool fits = now + (now - last) < stop;
        last = now;
        return fits;
      };
      for (int steps = 0; steps < kPreviewStepsPerFrame && inTime();)
        steps += step.Continue(state, backend.Picture(), inTime) ? 1 : 0;
      backend.Present();
      // A late frame does not cause a burst of catch-up frames.
      next += kFrameUs;
      const std::int64_t now = backend.NowMicroseconds();
      if (next < now) next = now;
      if (!backend.WaitUntil(next)) return;
    }
  } catch (const ZelorError& error) {
    // A fault ends the picture where it stands, saying why; the preview
    // waits for its window to go.
    backend.Present();
    backend.ShowText(PreviewProblemText(error));
    WaitForTheWindowToGo(backend);
  }
}

}  // namespace zelor
