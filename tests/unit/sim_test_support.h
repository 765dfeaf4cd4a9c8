// Building blocks for the simulation tests: body records, body file bytes and
// a run's surroundings (settings in memory, files in memory, a small canvas).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/zelor_error.h"
#include "fake_file_system.h"
#include "memory_store.h"
#include "settings/settings.h"
#include "shell/run_setup.h"
#include "sim/body_file.h"
#include "sim/canvas.h"
#include "sim/sim.h"

namespace zelor {

// For messages: the whole text shows when the part is missing.
inline ::testing::AssertionResult Contains(const std::string& text, const std::string& part) {
  if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "\"" << text << "\" lacks \"" << part << "\"";
}

inline BodyRecord MakeRecord(const std::string& name, double mass, double x, double y, double speed,
                             double direction, std::int32_t color = kWhite) {
  BodyRecord record;
  record.Name = name;
  record.Mass = mass;
  record.X = x;
  record.Y = y;
  record.Speed = speed;
  record.Direction = direction;
  record.Color = color;
  return record;
}

inline std::vector<unsigned char> BodyFileBytes(const std::vector<BodyRecord>& records) {
  std::vector<unsigned char> bytes(records.size() * kBodyRecordSize);
  for (std::size_t k = 0; k < records.size(); ++k) EncodeBodyRecord(records[k], &bytes[k * kBodyRecordSize]);
  return bytes;
}

inline Body MakeBody(double mass, double x, double y, double vx = 0, double vy = 0,
                     std::int32_t color = kWhite) {
  Body body;
  body.Name = "Body           ";
  body.Mass = mass;
  body.X = x;
  body.Y = y;
  body.VX = vx;
  body.VY = vy;
  body.Color = color;
  return body;
}

// Everything a run touches, held in memory. The body file is "/data/bodies.zel".
struct SimRun {
  explicit SimRun(NumberLocale locale = kEnglishLocale)
      : settings(store, MakeDefaultPaths("/appdata"), locale) {
    canvas.Resize(200, 200);
    store.values[kKeyDatei] = kBodyPath;
  }

  // Writes the records as the body file, sets the interval and starts the run.
  void Load(const std::vector<BodyRecord>& records, const std::string& interval = "2") {
    files.files[kBodyPath] = BodyFileBytes(records);
    store.values[kKeyIntervall] = interval;
    StartRun(state, settings, files, canvas, {});
  }

  // StartRun's message, or "" when it succeeded.
  std::string SetUpError() {
    try {
      StartRun(state, settings, files, canvas, {});
    } catch (const ZelorError& error) {
      return error.what();
    }
    return "";
  }

  std::vector<BodyRecord> RecordsIn(const std::string& path) const {
    return DecodeBodyRecords(files.files.at(path));
  }

  const std::string kBodyPath = "/data/bodies.zel";
  MemoryStore store;
  Settings settings;
  FakeFileSystem files;
  Canvas canvas;
  SimState state;
};

}  // namespace zelor
