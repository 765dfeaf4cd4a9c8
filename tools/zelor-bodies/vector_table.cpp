#include "vector_table.h"

#include <charconv>
#include <cmath>

namespace zelor::bodies {
namespace {

constexpr double kMetresPerAstronomicalUnit = 1.495978707e11;  // IAU 2012, as ephemerides use it
constexpr double kSecondsPerDay = 86400;

// Colours for the bodies in turn: the first (usually the Sun) yellow.
constexpr std::int32_t kPalette[] = {0x0030DCFF, 0x00A0A8B0, 0x008CDCF0, 0x00FF8C3C, 0x003050E8,
                                     0x0070A8D8, 0x0060D0E8, 0x00E0E090, 0x00FF6040, 0x00C8C8C8};

struct Units {
  double metresPerLength = 0;
  double metresPerSecondPerSpeed = 0;
};

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

bool ParseDouble(std::string_view text, double& value) {
  text = Trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const auto cut = text.find(separator);
    parts.push_back(text.substr(0, cut));
    if (cut == std::string_view::npos) return parts;
    text.remove_prefix(cut + 1);
  }
}

std::optional<Units> UnitsNamed(std::string_view name) {
  if (name == "KM-S") return Units{1000, 1000};
  if (name == "KM-D") return Units{1000, 1000 / kSecondsPerDay};
  if (name == "AU-D") return Units{kMetresPerAstronomicalUnit, kMetresPerAstronomicalUnit / kSecondsPerDay};
  return std::nullopt;
}

std::string AtLine(int line, const std::string& message) { return "line " + std::to_string(line) + ": " + message; }

struct Row {
  int line = 0;
  std::string_view epochText;
  double epoch = 0;  // Julian day
  double x = 0, y = 0, vx = 0, vy = 0;
};

std::optional<std::string> ParseRow(std::string_view text, int line, Row& row) {
  const auto fields = Split(text, ',');
  if (fields.size() < 8) return AtLine(line, "a row needs 8 comma-separated columns: JDTDB, date, X, Y, Z, VX, VY, VZ");
  double values[6];
  static const char* const kNames[6] = {"X", "Y", "Z", "VX", "VY", "VZ"};
  for (int k = 0; k < 6; ++k)
    if (!ParseDouble(fields[k + 2], values[k]))
      return AtLine(line, std::string(kNames[k]) + " '" + std::string(Trimmed(fields[k + 2])) + "' is not a number");
  double epoch = 0;
  if (!ParseDouble(fields[0], epoch))
    return AtLine(line, "JDTDB '" + std::string(Trimmed(fields[0])) + "' is not a number");
  row = {line, Trimmed(fields[0]), epoch, values[0], values[1], values[3], values[4]};
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<NamedMass>> ParseNamedMasses(std::string_view list, std::string& error) {
  std::vector<NamedMass> bodies;
  for (std::string_view entry : Split(list, ',')) {
    const auto equals = entry.rfind('=');
    NamedMass body;
    if (equals == std::string_view::npos || equals == 0 || !ParseDouble(entry.substr(equals + 1), body.massEarth)) {
      error = "'" + std::string(entry) + "' is not name=mass (mass in Earth masses)";
      return std::nullopt;
    }
    body.name = std::string(entry.substr(0, equals));
    bodies.push_back(body);
  }
  return bodies;
}

VectorTable ParseVectorTable(std::string_view text, const std::vector<NamedMass>& bodies) {
  VectorTable table;
  std::optional<Units> units;
  std::vector<Row> firstRows;
  bool inBlock = false, blockHasRow = false;
  int line = 0, blockStart = 0;
  for (std::string_view raw : Split(text, '\n')) {
    ++line;
    const std::string_view content = Trimmed(raw);
    if (content == "$$SOE") {
      inBlock = true;
      blockHasRow = false;
      blockStart = line;
    } else if (content == "$$EOE") {
      if (!inBlock) return {{}, AtLine(line, "$$EOE without $$SOE before it")};
      if (!blockHasRow) return {{}, AtLine(blockStart, "the block holds no row")};
      inBlock = false;
    } else if (inBlock && !content.empty()) {
      if (blockHasRow) continue;  // later times of the same body
      Row row;
      if (auto problem = ParseRow(content, line, row)) return {{}, *problem};
      firstRows.push_back(row);
      blockHasRow = true;
    } else if (!inBlock && content.find("Output units") != std::string_view::npos) {
      const auto colon = content.find(':');
      const std::string_view value = colon == std::string_view::npos ? "" : Trimmed(content.substr(colon + 1));
      const std::string_view name = Trimmed(value.substr(0, value.find_first_of(", ")));
      if (!(units = UnitsNamed(name)))
        return {{}, AtLine(line, "units '" + std::string(name) + "': only KM-S, KM-D and AU-D are known")};
    }
  }
  if (inBlock) return {{}, AtLine(blockStart, "$$SOE without $$EOE after it")};
  if (firstRows.empty()) return {{}, "no block between $$SOE and $$EOE"};
  if (!units) return {{}, "no line 'Output units : KM-S' (or KM-D, AU-D) before the data"};
  if (firstRows.size() != bodies.size())
    return {{}, "the table has " + std::to_string(firstRows.size()) + " blocks, but " +
                    std::to_string(bodies.size()) + " bodies are named"};
  for (std::size_t k = 0; k < firstRows.size(); ++k) {
    const Row& row = firstRows[k];
    if (row.epoch != firstRows.front().epoch)
      return {{}, AtLine(row.line, "this block starts at " + std::string(row.epochText) + ", the first at " +
                                       std::string(firstRows.front().epochText) + "; all bodies must be at one time")};
    const double vx = row.vx * units->metresPerSecondPerSpeed;
    const double vy = -row.vy * units->metresPerSecondPerSpeed;
    BodyRecord record;
    record.Name = bodies[k].name;
    record.Mass = bodies[k].massEarth;
    record.X = row.x * units->metresPerLength;
    record.Y = -row.y * units->metresPerLength;
    record.Speed = std::hypot(vx, vy);
    record.Direction = std::atan2(vy, vx) * (180 / std::acos(-1.0));
    record.Color = kPalette[k % (sizeof kPalette / sizeof kPalette[0])];
    table.records.push_back(record);
  }
  return table;
}

}  // namespace zelor::bodies
