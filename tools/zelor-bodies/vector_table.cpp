#include "vector_table.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "common/quoted.h"

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

std::string AtLine(int line, const std::string& message) { return "Zeile " + std::to_string(line) + ": " + message; }

std::string Quoted(std::string_view text) { return QuotedShort(std::string(text)); }

// What a table's header says about the block after it.
struct Header {
  std::optional<Units> units;
  std::string frame;             // "Reference frame"
  std::string coordinateSystem;  // "Coordinate systm", in older tables
  std::string centre;
  std::string target;
};

// The value of a header line "Key : value" without a trailing "{source: ...}".
std::string_view HeaderValue(std::string_view content) {
  std::string_view value = Trimmed(content.substr(content.find(':') + 1));
  return Trimmed(value.substr(0, value.find('{')));
}

bool Mentions(std::string_view text, std::string_view word) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower.find(word) != std::string::npos;
}

// Older tables name the frame ("ICRF/J2000.0") and the plane apart; newer
// ones name the plane in the frame ("Ecliptic of J2000.0", or "ICRF" for the
// equator).
std::string_view PlaneOf(const Header& header) {
  return header.coordinateSystem.empty() ? header.frame : header.coordinateSystem;
}

// A header line read into the header; an error for units it does not know.
std::optional<std::string> ReadHeaderLine(std::string_view content, int line, Header& header) {
  const std::string_view key = Trimmed(content.substr(0, content.find(':')));
  if (key.size() == content.size()) return std::nullopt;
  const std::string_view value = HeaderValue(content);
  if (key == "Output units") {
    const std::string_view name = Trimmed(value.substr(0, value.find_first_of(", ")));
    if (!(header.units = UnitsNamed(name)))
      return AtLine(line, "Einheiten " + Quoted(name) + ": bekannt sind nur KM-S, KM-D und AU-D");
  } else if (key == "Reference frame") {
    // A new table's frame; an older table's plane must not outlive it.
    header.frame = value;
    header.coordinateSystem.clear();
  } else if (key == "Coordinate systm") {
    header.coordinateSystem = value;
  } else if (key == "Center body name") {
    header.centre = value;
  } else if (key == "Target body name") {
    header.target = value;
  }
  return std::nullopt;
}

struct Row {
  int line = 0;
  std::string_view epochText;
  double epoch = 0;  // Julian day
  double x = 0, y = 0, vx = 0, vy = 0;
};

struct Block {
  int line = 0;  // of its $$SOE
  Header header;
  Row first;
};

std::string BlockName(std::size_t index, const Block& block) {
  std::string name = "Block " + std::to_string(index + 1) + " (";
  if (!block.header.target.empty()) name += Quoted(block.header.target) + ", ";
  return name + "Zeile " + std::to_string(block.line) + ")";
}

std::optional<std::string> ParseRow(std::string_view text, int line, Row& row) {
  const auto fields = Split(text, ',');
  if (fields.size() < 8)
    return AtLine(line, "eine Zeile braucht 8 durch Kommas getrennte Spalten: JDTDB, Datum, X, Y, Z, VX, VY, VZ");
  double values[6];
  static const char* const kNames[6] = {"X", "Y", "Z", "VX", "VY", "VZ"};
  for (int k = 0; k < 6; ++k)
    if (!ParseDouble(fields[k + 2], values[k]))
      return AtLine(line, std::string(kNames[k]) + " " + Quoted(Trimmed(fields[k + 2])) + " ist keine Zahl");
  double epoch = 0;
  if (!ParseDouble(fields[0], epoch)) return AtLine(line, "JDTDB " + Quoted(Trimmed(fields[0])) + " ist keine Zahl");
  row = {line, Trimmed(fields[0]), epoch, values[0], values[1], values[3], values[4]};
  return std::nullopt;
}

// Why the blocks cannot stand together in one picture; nullopt when they can.
std::optional<std::string> BlockProblem(const std::vector<Block>& blocks, std::size_t k) {
  const Block& block = blocks[k];
  const Block& first = blocks.front();
  const std::string name = BlockName(k, block);
  if (!block.header.units)
    return name + ": keine Zeile \xE2\x80\x9EOutput units : KM-S\xE2\x80\x9C (oder KM-D, AU-D) davor";
  const std::string_view plane = PlaneOf(block.header);
  if (plane.empty())
    return name + ": keine Zeile \xE2\x80\x9EReference frame : Ecliptic of J2000.0\xE2\x80\x9C davor; "
                  "ohne sie ist die Bezugsebene unbekannt";
  if (!Mentions(plane, "ecliptic"))
    return name + ": die Bezugsebene ist " + Quoted(plane) +
           ", nicht die Ekliptik (beim Abruf \xE2\x80\x9EReference plane: ecliptic\xE2\x80\x9C w\xC3\xA4hlen)";
  if (block.header.centre != first.header.centre)
    return name + ": Mittelpunkt " + Quoted(block.header.centre) + ", in " + BlockName(0, first) + " aber " +
           Quoted(first.header.centre) + "; alle Bl\xC3\xB6" "cke brauchen denselben Mittelpunkt";
  if (block.first.epoch != first.first.epoch)
    return name + ": beginnt bei " + std::string(block.first.epochText) + ", " + BlockName(0, first) + " bei " +
           std::string(first.first.epochText) + "; alle K\xC3\xB6rper m\xC3\xBCssen zur selben Zeit stehen";
  return std::nullopt;
}

BodyRecord RecordOf(const Block& block, const NamedMass& body, std::size_t index) {
  const Units& units = *block.header.units;
  const Row& row = block.first;
  const double vx = row.vx * units.metresPerSecondPerSpeed;
  const double vy = -row.vy * units.metresPerSecondPerSpeed;
  BodyRecord record;
  record.Name = body.name;
  record.Mass = body.massEarth;
  record.X = row.x * units.metresPerLength;
  record.Y = -row.y * units.metresPerLength;
  record.Speed = std::hypot(vx, vy);
  record.Direction = std::atan2(vy, vx) * (180 / std::acos(-1.0));
  record.Color = kPalette[index % (sizeof kPalette / sizeof kPalette[0])];
  return record;
}

}  // namespace

std::optional<std::vector<NamedMass>> ParseNamedMasses(std::string_view list, std::string& error) {
  std::vector<NamedMass> bodies;
  for (std::string_view entry : Split(list, ',')) {
    const auto equals = entry.rfind('=');
    NamedMass body;
    if (equals == std::string_view::npos || equals == 0 || !ParseDouble(entry.substr(equals + 1), body.massEarth)) {
      error = Quoted(entry) + " ist nicht Name=Masse (Masse in Erdmassen)";
      return std::nullopt;
    }
    body.name = std::string(entry.substr(0, equals));
    bodies.push_back(body);
  }
  return bodies;
}

VectorTable ParseVectorTable(std::string_view text, const std::vector<NamedMass>& bodies) {
  VectorTable table;
  Header header;  // the lines read so far, for the next block
  std::vector<Block> blocks;
  bool inBlock = false, blockHasRow = false;
  int line = 0;
  for (std::string_view raw : Split(text, '\n')) {
    ++line;
    const std::string_view content = Trimmed(raw);
    if (content == "$$SOE") {
      if (inBlock) return {{}, AtLine(line, "$$SOE, bevor der Block von Zeile " + std::to_string(blocks.back().line) +
                                                 " mit $$EOE endet")};
      inBlock = true;
      blockHasRow = false;
      blocks.push_back({line, header, {}});
    } else if (content == "$$EOE") {
      if (!inBlock) return {{}, AtLine(line, "$$EOE ohne $$SOE davor")};
      if (!blockHasRow) return {{}, AtLine(blocks.back().line, "der Block enth\xC3\xA4lt keine Zeile")};
      inBlock = false;
    } else if (inBlock && !content.empty()) {
      if (blockHasRow) continue;  // later times of the same body
      if (auto problem = ParseRow(content, line, blocks.back().first)) return {{}, *problem};
      blockHasRow = true;
    } else if (!inBlock) {
      if (auto problem = ReadHeaderLine(content, line, header)) return {{}, *problem};
    }
  }
  if (inBlock) return {{}, AtLine(blocks.back().line, "$$SOE ohne $$EOE danach")};
  if (blocks.empty()) return {{}, "kein Block zwischen $$SOE und $$EOE"};
  if (blocks.size() != bodies.size())
    return {{}, "die Tabelle hat " + std::to_string(blocks.size()) + (blocks.size() == 1 ? " Block" : " Bl\xC3\xB6" "cke") +
                    ", genannt sind aber " + std::to_string(bodies.size()) + " K\xC3\xB6rper"};
  for (std::size_t k = 0; k < blocks.size(); ++k) {
    if (auto problem = BlockProblem(blocks, k)) return {{}, *problem};
    // A number the table may hold in kilometres can be too big in metres,
    // and a body file with an endless coordinate is one the saver refuses.
    const BodyRecord record = RecordOf(blocks[k], bodies[k], k);
    if (!std::isfinite(record.X) || !std::isfinite(record.Y) || !std::isfinite(record.Speed))
      return {{}, AtLine(blocks[k].first.line, "in Metern zu gro\xC3\x9F f\xC3\xBCr eine Zelor-Datei")};
    table.records.push_back(record);
  }
  return table;
}

}  // namespace zelor::bodies
