// The three stages of a saver run. The simulation knows neither the settings
// nor where its results go: the shell reads the one and applies the other
// (shell/run_setup.h).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "common/number_text.h"
#include "common/run_values.h"
#include "common/sky.h"
#include "sim/body_file.h"
#include "sim/canvas.h"
#include "sim/gravity.h"
#include "sim/sim_state.h"
#include "sim/step_parts.h"
#include "sim/tree_gravity.h"

namespace zelor {

// What a run starts from.
struct RunConfig {
  std::string bodyFile;
  double viewWidth = 0, viewHeight = 0;  // AU; non-zero, a negative size mirrors its axis
  double interval = 0;                   // days per step
  bool round = false;                    // circles drawn as circles: one scale for both axes
  RunValues values;                      // every further setting the step reads, by key
};

// The records of a body file as a run takes them. Throws ZelorError with a
// German message naming the file when it cannot be read, holds no whole
// record or more than a run can compute, or a value that is not finite.
std::vector<BodyRecord> LoadBodyFile(FileSystem& files, const std::string& path);

// Loads the body file, turns speeds into displacements per step, removes the
// drift of the centre of mass and sets the canvas's user coordinates. Throws
// ZelorError with a German message naming the cause and the file when no
// valid state can be made; state and canvas are then left as they were.
void SimInit(SimState& state, const RunConfig& config, FileSystem& files, Canvas& canvas);

// One step: gravity, drawing and motion, each body's reach, count. Throws ZelorError
// on an arithmetic fault.
void SimStep(SimState& state, Canvas& canvas);

// A step a piece at a time, for a caller that must never hold the processor
// for long: the preview at its frame's time, the saver at its input. A piece
// is part of a gravity phase worth about `pairsPerPiece` pairs of bodies of
// the exact kernel: at least a block of bodies i
// (GravityInBlocks::kBodiesPerBlock), or with the tree a chunk of groups
// (TreeInPieces::kPairsPerChunk), on `threads` threads (1: the calling
// thread only, 0: all cores). Once every body has been pulled come the
// drawing, the moves and the count, or in substeps the drifts to the next
// gravity phase. Until a step is complete, the state and the picture stay
// those of the last whole step, so a step left unfinished is dropped by Drop,
// or by never going on with it. Every whole step gives SimStep's state and
// picture, bit for bit. The state must not change between the pieces of a
// step.
class StepInPieces {
 public:
  StepInPieces(std::size_t pairsPerPiece, int threads);

  // Computes one piece, then more while goOn() says so; true when this
  // completed a step. Throws ZelorError as SimStep does; the step is then
  // dropped.
  bool Continue(SimState& state, Canvas& canvas, const std::function<bool()>& goOn);
  // Forgets the step under way, and what it held back from the canvas.
  void Drop(Canvas& canvas);

 private:
  void Begin(SimState& state, Canvas& canvas);
  void StartKick(const SimState& state, const std::vector<Body>& bodies, double K);
  // Pulls at least a block or a chunk of the kick under way, and about
  // `pairs` pairs' worth; returns the pairs' worth it pulled.
  std::size_t PullMore(std::size_t pairs);
  bool KickDone() const;
  // After the kick under way: true when the step is complete, else the next
  // kick has started.
  bool AfterKick(SimState& state, Canvas& canvas);

  std::size_t pairsPerPiece_;
  int threads_;
  std::size_t bodyCount_ = 0;
  GravityInBlocks gravity_;
  TreeInPieces tree_;
  bool treeKick_ = false;
  bool inStep_ = false;
  int kick_ = 0;  // of the step, 0 first
  SubstepWork substeps_;
};

// The simulated time in days, as the label shows it.
std::string TimeLabel(const SimState& state, NumberLocale locale);

// What the user asked to happen to the results.
struct ResultsRequest {
  bool saveResults = false;
  std::string resultsPath;
};

// What the end of a run decided. The next sky depends on whether the results
// really were written and taken as the next body file, which only the one who
// writes them knows; so both are given.
struct EndOfRun {
  std::vector<BodyRecord> records;  // the bodies that stay, in order
  bool saveResults = false;         // write the records to the results path
  Sky skyIfSaved;                   // the next run starts from the records
  Sky skyIfNotSaved;                // the next run starts from this run's body file
};

// Tells the bodies that stay from those that escape and scales the run's sky,
// keeping its shape, to hold the bodies that stay, so an escaping body never
// widens it; the sizes are rounded up to three significant digits. Changes
// nothing and never throws: a value that cannot be computed keeps the run's.
EndOfRun SimEnd(const SimState& state, const ResultsRequest& request) noexcept;

// Every body in its file form, none left out: the state as a body file.
std::vector<BodyRecord> AllRecords(const SimState& state);

}  // namespace zelor
