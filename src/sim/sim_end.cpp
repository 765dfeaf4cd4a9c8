// The end of a run goes on past every failure: nothing here stops the
// program or shows a message. A value that cannot be computed leaves its
// target as it was, and a test that cannot be decided counts as passed. All inputs are finite (every step checks its
// results), so an arithmetic fault always shows as a non-finite result.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "sim/sim.h"
#include "sim/sky_fit.h"
#include "sim/tree_gravity.h"
#include "sim/tree_potential.h"
#include "sim/units.h"

namespace zelor {
namespace {

std::optional<double> IfFinite(double value) {
  if (std::isfinite(value)) return value;
  return std::nullopt;
}

// The depth of the potential at body i caused by all the others, in m²/s².
// Bodies at the same place add nothing; nor does a pair whose distance or
// pull cannot be computed.
double PotentialDepth(const std::vector<Body>& bodies, std::size_t i) {
  double depth = 0;
  for (const Body& other : bodies) {
    const double dx = bodies[i].X - other.X;
    const double dy = bodies[i].Y - other.Y;
    const double r = std::sqrt(dx * dx + dy * dy);
    if (!std::isfinite(r) || !(r > 0)) continue;
    if (const auto sum = IfFinite(kGravitationalConstant * kKgPerEarthMass * other.Mass / r + depth))
      depth = *sum;
  }
  return depth;
}

// Metres per second, from the displacement per step the bodies move by.
std::optional<double> SpeedOf(const Body& body, double interval) {
  return IfFinite(std::sqrt(body.VX * body.VX + body.VY * body.VY) / SecondsPerStep(interval));
}

// A body escapes when its kinetic energy per unit mass reaches the depth of
// the potential it sits in; a lone body (depth 0) always escapes. A test that
// cannot be decided keeps the body.
bool Escapes(const std::optional<double>& speed, double depth) {
  if (!speed) return false;
  const auto energy = IfFinite(*speed * *speed / 2);
  return energy && *energy >= depth;
}

// Degrees from -90 (included) to 270 (excluded).
std::optional<double> DirectionOf(const Body& body) {
  if (body.VX == 0) return body.VY > 0 ? 90.0 : body.VY < 0 ? -90.0 : 0.0;
  const auto slope = IfFinite(body.VY / body.VX);
  if (!slope) return std::nullopt;
  double degrees = std::atan(*slope) * 45 / std::atan(1.0);
  if (body.VX < 0) degrees += 180;
  return IfFinite(degrees);
}

// The body's file form; a speed or direction that cannot be computed keeps
// the record's.
void FillRecord(const Body& body, const std::optional<double>& speed, BodyRecord& record) {
  record.Name = body.Name;
  record.Mass = body.Mass;
  record.X = body.X;
  record.Y = body.Y;
  record.Color = body.Color;  // the writer turns white into 0
  if (speed) record.Speed = *speed;
  if (const auto direction = DirectionOf(body)) record.Direction = *direction;
}

struct Results {
  std::vector<BodyRecord> records;  // the bodies that stay, in order
  // AU, twice the largest distance from the origin along each axis that the
  // bodies which stay reached during the run.
  Sky reach;
};

// An escaping body is left out of the records and of the sky: it would
// shrink everything else to a dot in the next run.
Results EvaluateBodies(const SimState& state) {
  Results results;
  // A large file weighs its pairs through the tree, as its steps may.
  const std::vector<double> treeDepths =
      state.Bodies.size() >= kTreeFromBodies ? TreePotentialDepths(state.Bodies) : std::vector<double>{};
  double reachX = 0, reachY = 0;  // metres
  BodyRecord record;  // reused, so a field that cannot be computed keeps the last value
  for (std::size_t i = 0; i < state.Bodies.size(); ++i) {
    const Body& body = state.Bodies[i];
    const std::optional<double> speed = SpeedOf(body, state.SimInterval);
    const double depth = treeDepths.empty() ? PotentialDepth(state.Bodies, i) : treeDepths[i];
    if (Escapes(speed, depth)) continue;
    reachX = std::max({reachX, body.ReachX, std::fabs(body.X)});
    reachY = std::max({reachY, body.ReachY, std::fabs(body.Y)});
    FillRecord(body, speed, record);
    results.records.push_back(record);
  }
  results.reach = {reachX / kMetresPerAU * 2, reachY / kMetresPerAU * 2};
  return results;
}

// The next sky is the run's sky scaled by one factor on both axes, the
// smallest that holds the reach of the bodies that stay: a shape the user
// chose stays, and a short run that traced only part of each orbit does not
// squash the next one. The next run starts from the saved bodies, or, when
// nothing was saved, from the same body file as this one, which the sky it
// started with showed whole, so that sky never shrinks. A reach of 0 (no body
// that stays left the origin) could not be shown, so the run's sky stays.
Sky NextSky(const Sky& run, const Sky& reach, bool saved) {
  return ScaledToHold(run, reach, saved ? 0 : 1).value_or(RoundedUp(run));
}

// Results without a body, or without any mass to move round, could not start
// the next run; saving them would only put a working body file out of use.
bool CanStartARun(const std::vector<BodyRecord>& records) {
  double totalMass = 0;
  for (const BodyRecord& record : records) totalMass += record.Mass;
  return !records.empty() && totalMass != 0;
}

}  // namespace

std::vector<BodyRecord> AllRecords(const SimState& state) {
  std::vector<BodyRecord> records;
  BodyRecord record;
  for (const Body& body : state.Bodies) {
    FillRecord(body, SpeedOf(body, state.SimInterval), record);
    records.push_back(record);
  }
  return records;
}

EndOfRun SimEnd(const SimState& state, const ResultsRequest& request) noexcept {
  EndOfRun end;
  const Sky run{state.ViewWidth, state.ViewHeight};
  end.skyIfSaved = end.skyIfNotSaved = run;
  try {
    Results results = EvaluateBodies(state);
    end.skyIfSaved = NextSky(run, results.reach, true);
    end.skyIfNotSaved = NextSky(run, results.reach, false);
    end.saveResults = request.saveResults && !request.resultsPath.empty() && CanStartARun(results.records);
    end.records = std::move(results.records);
  } catch (...) {
    // Out of memory: nothing is saved and the run's sky stays.
    end.saveResults = false;
    end.skyIfSaved = end.skyIfNotSaved = run;
  }
  return end;
}

}  // namespace zelor
