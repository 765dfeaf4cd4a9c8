// The state of one saver run: plain data, filled by SimInit, advanced by
// SimStep and judged by SimEnd.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/run_values.h"
#include "sim/gravity_choice.h"

namespace zelor {

struct Body {
  std::string Name;   // 15 characters of code page 1252, trailing blanks kept
  double Mass = 0;    // Earth masses
  double X = 0, Y = 0;    // metres; origin at the centre of the screen, y downward
  double VX = 0, VY = 0;  // metres per step: m/s times SecondsPerStep(SimInterval)
  std::int32_t Color = 0; // 0x00BBGGRR, never 0 once loaded
  // Metres: the largest |X| and |Y| this run, from its start on. The end of
  // the run fits the next sky to the bodies that stay by these.
  double ReachX = 0, ReachY = 0;
};

struct SimState {
  std::vector<Body> Bodies;  // index 0 here is body 1 of the file
  double SimInterval = 0;    // days per step
  // The settings the step reads, by key ("Genauigkeit", ...).
  RunValues Values;
  // The exact kernel unless the run chose the tree (ChooseGravity).
  GravityChoice Gravity;
  std::string BodyFile;
  // AU: the sky this run shows, and after FinishRun the one the next run gets.
  // A negative size mirrors its axis.
  double ViewWidth = 0, ViewHeight = 0;
  // 64 bits: at hundreds of thousands of steps a second, 32 bits would run out
  // within a night.
  std::int64_t StepCount = 0;
};

}  // namespace zelor
