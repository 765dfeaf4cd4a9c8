// The live miniature in the platform's screen-saver settings: the same
// simulation as a run, drawn into a small window at a gentle pace, that
// writes nothing, takes no input and shows no message. It lives inside
// someone else's settings page, so it never holds the processor for long.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/zelor_error.h"
#include "settings/settings.h"
#include "sim/canvas.h"

namespace zelor {

class PreviewBackend {
 public:
  virtual ~PreviewBackend() = default;
  virtual std::int64_t NowMicroseconds() = 0;
  // The picture, the size of the preview window.
  virtual Canvas& Picture() = 0;
  // Puts what changed in the picture on the screen.
  virtual void Present() = 0;
  // Shows a short text in place of the picture.
  virtual void ShowText(const std::string& text) = 0;
  // Handles waiting messages until the clock reaches `untilUs`; false as soon
  // as the window it draws in is gone.
  virtual bool WaitUntil(std::int64_t untilUs) = 0;
};

constexpr int kPreviewFramesPerSecond = 30;
// Enough for the inner planets to draw their rings within a second at the
// default interval, few enough to cost next to nothing.
constexpr int kPreviewStepsPerFrame = 10;
// The computing of a frame stops before it takes longer than this and goes
// on in the next frame, in the middle of a step if need be: thirty frames of
// it take 4.5 % of one core on any body file, so the preview stays well under
// a tenth of a core with its drawing and waiting, and the page it lives in is
// never kept waiting. A large file then develops slowly.
constexpr std::int64_t kPreviewWorkPerFrameUs = 1500;

// The short text shown in place of the picture (or over it, after a fault
// in a step) for what went wrong.
std::string PreviewProblemText(const ZelorError& error);

// Runs until the window is gone. Reads the settings and the body file only;
// when the default body file does not exist yet, draws the copy the program
// carries without writing it.
void RunPreview(PreviewBackend& backend, const Settings& settings, FileSystem& files,
                const std::vector<unsigned char>& carriedCopy);

}  // namespace zelor
