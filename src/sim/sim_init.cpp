#include <cmath>
#include <cstddef>
#include <string>

#include "common/zelor_error.h"
#include "sim/body_file.h"
#include "sim/messages.h"
#include "sim/sim.h"
#include "sim/tree_gravity.h"
#include "sim/units.h"

namespace zelor {
namespace {

// The record counter of the body file format is a signed 16-bit number.
constexpr std::size_t kMaxBodies = 32766;

std::string WithoutTrailingBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string RecordName(std::size_t number, const BodyRecord& record) {
  return "Datensatz " + std::to_string(number) + " (" + Quoted(WithoutTrailingBlanks(record.Name)) + ")";
}

// Infinities and not-a-numbers would spread through every body in the first
// step, so they are refused where they come from.
void RequireFiniteFields(const std::string& path, std::size_t number, const BodyRecord& record) {
  const struct {
    const char* name;
    double value;
  } fields[] = {{"Masse", record.Mass},
                {"X", record.X},
                {"Y", record.Y},
                {"Geschwindigkeit", record.Speed},
                {"Richtung", record.Direction}};
  for (const auto& field : fields) {
    if (std::isfinite(field.value)) continue;
    throw ZelorError("Die Zelor-Datei " + Quoted(path) + " enthält im " + RecordName(number, record) +
                     " bei " + Quoted(field.name) + " keinen gültigen Wert (unendlich oder keine Zahl).",
                     ErrorCause::BrokenFile);
  }
}

}  // namespace

std::vector<BodyRecord> LoadBodyFile(FileSystem& files, const std::string& path) {
  // One record more than allowed is enough to tell that there are too many.
  auto records = ReadBodyFile(files, path, kMaxBodies + 1);
  if (!records)
    throw ZelorError("Die Zelor-Datei " + Quoted(path) +
                     " konnte nicht geöffnet werden. Bitte wählen Sie in den "
                     "Einstellungen des Bildschirmschoners eine vorhandene Zelor-Datei.",
                     ErrorCause::MissingFile);
  if (records->empty())
    throw ZelorError("Die Zelor-Datei " + Quoted(path) +
                     " enthält keinen vollständigen Datensatz (59 Bytes je Körper).",
                     ErrorCause::BrokenFile);
  if (records->size() > kMaxBodies)
    throw ZelorError("Die Zelor-Datei " + Quoted(path) +
                     " enthält mehr als 32766 Körper; so viele kann Zelor2 nicht berechnen.",
                     ErrorCause::TooManyBodies);
  for (std::size_t k = 0; k < records->size(); ++k) RequireFiniteFields(path, k + 1, (*records)[k]);
  return std::move(*records);
}

namespace {

// Speed (m/s) and direction become a displacement per step (metres), the
// form SimStep moves bodies by; SimEnd turns it back. Multiplied from left
// to right. With finite inputs every arithmetic fault leaves a non-finite
// result, which is what is checked.
Body ToBody(const BodyRecord& record, double interval, const std::string& path, std::size_t number) {
  Body body;
  body.Name = record.Name;
  body.Mass = record.Mass;
  body.X = record.X;
  body.Y = record.Y;
  body.ReachX = std::fabs(record.X);
  body.ReachY = std::fabs(record.Y);
  body.Color = record.Color;  // the reader has already made colour 0 white
  const double angle = record.Direction * std::atan(1.0) / 45;
  body.VX = SecondsPerStep(interval) * record.Speed * std::cos(angle);
  body.VY = SecondsPerStep(interval) * record.Speed * std::sin(angle);
  if (!std::isfinite(body.VX) || !std::isfinite(body.VY))
    throw ZelorError(kArithmeticFaultText +
                     std::string(" beim Umrechnen von Geschwindigkeit und Richtung im ") +
                     RecordName(number, record) + " der Zelor-Datei " + Quoted(path) + ".",
                     ErrorCause::ArithmeticFault);
  return body;
}

// Takes away the velocity of the centre of mass, so that the system as a
// whole stays on the screen; the positions stay as they are.
void RemoveDrift(std::vector<Body>& bodies, const std::string& path) {
  double totalMass = 0, momentumX = 0, momentumY = 0;
  for (const Body& body : bodies) {
    totalMass += body.Mass;
    momentumX += body.Mass * body.VX;
    momentumY += body.VY * body.Mass;
  }
  if (totalMass == 0)
    throw ZelorError("Die Gesamtmasse der Körper in der Zelor-Datei " + Quoted(path) +
                     " ist 0. Mindestens ein Körper braucht eine Masse, damit sich die "
                     "anderen um den gemeinsamen Schwerpunkt bewegen können.",
                     ErrorCause::BrokenFile);
  bool finite = std::isfinite(totalMass);
  for (Body& body : bodies) {
    body.VX = body.VX - momentumX / totalMass;
    body.VY = body.VY - momentumY / totalMass;
    finite = finite && std::isfinite(body.VX) && std::isfinite(body.VY);
  }
  if (!finite)
    throw ZelorError(kArithmeticFaultText +
                     std::string(" beim Ausgleichen der Bewegung des Schwerpunkts der Körper aus der "
                                 "Zelor-Datei ") +
                     Quoted(path) + ".",
                     ErrorCause::ArithmeticFault);
}

}  // namespace

void SimInit(SimState& state, const RunConfig& config, FileSystem& files, Canvas& canvas) {
  SimState fresh;
  fresh.ViewWidth = config.viewWidth;
  fresh.ViewHeight = config.viewHeight;
  fresh.SimInterval = config.interval;
  fresh.Values = config.values;
  fresh.BodyFile = config.bodyFile;
  fresh.StepCount = 0;

  const std::vector<BodyRecord> records = LoadBodyFile(files, fresh.BodyFile);
  fresh.Bodies.reserve(records.size());
  for (std::size_t k = 0; k < records.size(); ++k)
    fresh.Bodies.push_back(ToBody(records[k], fresh.SimInterval, fresh.BodyFile, k + 1));
  RemoveDrift(fresh.Bodies, fresh.BodyFile);
  // From 4,096 bodies on, and with "Naeherung" on, the tree (docs/architecture.md).
  fresh.Gravity = ChooseGravity(fresh.Bodies, fresh.Values.Switch(kKeyNaeherung));

  // The sky is ViewWidth by ViewHeight AU around the origin, stretched to the
  // screen's shape or, round, at least that much of it; a negative size
  // mirrors its axis.
  canvas.SetUserScale(-fresh.ViewWidth / 2, -fresh.ViewHeight / 2, fresh.ViewWidth / 2, fresh.ViewHeight / 2,
                      config.round);
  state = std::move(fresh);
}

}  // namespace zelor
