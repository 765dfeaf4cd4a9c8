// show, to-csv, from-csv, from-vectors and new: body files in and out.
#include <climits>
#include <cstdlib>
#include <limits>

#include "body_csv.h"
#include "body_table.h"
#include "command_line.h"
#include "command_support.h"
#include "common/number_text.h"
#include "common/quoted.h"
#include "galaxies.h"
#include "samples.h"
#include "common/setting_table.h"
#include "vector_table.h"

namespace zelor::bodies {
namespace {

std::optional<std::vector<unsigned char>> ReadBytes(FileSystem& files, const std::string& path) {
  return files.ReadFile(path, std::numeric_limits<std::size_t>::max());
}

bool ParseCount(const std::string& text, long long low, long long high, long long& value) {
  char* end = nullptr;
  value = std::strtoll(text.c_str(), &end, 10);
  return !text.empty() && *end == '\0' && value >= low && value <= high;
}

const std::string kGalaxiesName = "Galaxien";

// The line of a setting as the options dialog names it, with its value.
std::string SettingLine(const std::string& key, double value) {
  const std::string& label = FindSetting(key)->label;
  return "  " + label + ": " + FormatNumber(value, kGermanLocale) + "\n";
}

// Two galaxies and the settings they are made for.
int NewGalaxies(FileSystem& files, const CommandLine& line, std::uint64_t seed, const std::string& usage) {
  long long count = kGalaxyBodiesDefault;
  if (line.options.count("bodies") &&
      !ParseCount(line.options.at("bodies"), kGalaxyBodiesLeast, kGalaxyBodiesDefault, count))
    return Fail(kUsage, "--bodies " + QuotedShort(line.options.at("bodies")) + ": eine ganze Zahl von " +
                            std::to_string(kGalaxyBodiesLeast) + " bis " + std::to_string(kGalaxyBodiesDefault) +
                            " (zwei Zentren und je Galaxie mindestens ein Stern)\n" + usage);
  const GalaxyPair pair = CollidingGalaxies(static_cast<int>(count), seed);
  const int status = WriteBodies(files, line.arguments[1], RowsOf(pair.records));
  if (status != kDone) return status;
  std::cout << "Einstellungen dazu:\n"
            << SettingLine(kKeyIntervall, pair.intervalDays) << SettingLine(kKeyBreite, pair.skyWidth)
            << SettingLine(kKeyHoehe, pair.skyHeight) << "  (zelor2 -interval "
            << FormatNumber(pair.intervalDays, kEnglishLocale) << " -sky " << FormatNumber(pair.skyWidth, kEnglishLocale)
            << "x" << FormatNumber(pair.skyHeight, kEnglishLocale) << ")\n";
  return kDone;
}

}  // namespace

int ShowCommand(FileSystem& files, const Words& words) {
  if (words.size() != 1) return Fail(kUsage, "Aufruf: zelor-bodies show DATEI.zel");
  const std::string& path = words[0];
  if (const auto bytes = ReadBytes(files, path)) {
    const std::vector<BodyRow> rows = DecodeRows(*bytes);
    std::cout << FormatBodyTable(rows);
    std::cout << rows.size() << " K\xC3\xB6rper";
    if (const std::size_t rest = bytes->size() % kBodyRecordSize)
      std::cout << "; " << rest << (rest == 1 ? " Byte" : " Bytes") << " am Ende \xC3\xBC" "bergangen";
    std::cout << "\n";
  }
  if (const auto refusal = SaverRefusal(files, path)) {
    std::cout << "Achtung: der Bildschirmschoner lehnt diese Datei ab mit der Meldung:\n  " << *refusal << "\n";
    return kRefused;
  }
  return kDone;
}

int ToCsvCommand(FileSystem& files, const Words& words) {
  const CommandLine line = ParseCommandLine(words, {}, {"tabelle"});
  if (!line.error.empty() || line.arguments.empty() || line.arguments.size() > 2)
    return Fail(kUsage, "Aufruf: zelor-bodies to-csv DATEI.zel [AUS.csv] [--tabelle]\n"
                        "        (--tabelle: mit Semikolons und Dezimalkommas, wie eine deutsche Tabellenkalkulation)");
  const auto bytes = ReadBytes(files, line.arguments[0]);
  if (!bytes) return Fail(kRefused, CannotRead(line.arguments[0]));
  const CsvForm form = line.options.count("tabelle") ? CsvForm::Spreadsheet : CsvForm::Plain;
  const std::string text = WriteBodyCsv(DecodeRows(*bytes), form);
  if (line.arguments.size() == 1) {
    std::cout << text;
    return kDone;
  }
  if (!WriteBytesSafely(files, line.arguments[1], std::vector<unsigned char>(text.begin(), text.end())))
    return Fail(kRefused, CannotWrite(line.arguments[1]));
  return kDone;
}

int FromCsvCommand(FileSystem& files, const Words& words) {
  if (words.size() != 2)
    return Fail(kUsage, "Aufruf: zelor-bodies from-csv EIN.csv AUS.zel   (EIN.csv - liest die Standardeingabe)");
  const auto text = ReadText(files, words[0]);
  if (!text) return Fail(kRefused, CannotRead(words[0]));
  const CsvBodies parsed = ParseBodyCsv(*text);
  if (parsed.error) return Fail(kRefused, words[0] + ", " + Describe(*parsed.error) + "; nichts geschrieben");
  return WriteBodies(files, words[1], parsed.rows);
}

int FromVectorsCommand(FileSystem& files, const Words& words) {
  const CommandLine line = ParseCommandLine(words, {"bodies"});
  if (!line.error.empty() || line.arguments.size() != 2 || !line.options.count("bodies"))
    return Fail(kUsage, "Aufruf: zelor-bodies from-vectors EIN.txt AUS.zel --bodies NAME=MASSE,...   (Massen in Erdmassen)");
  std::string error;
  const auto bodies = ParseNamedMasses(line.options.at("bodies"), error);
  if (!bodies) return Fail(kUsage, "--bodies: " + error);
  for (const NamedMass& body : *bodies)
    if (const auto problem = NameProblem(body.name)) return Fail(kUsage, "--bodies: " + body.name + ": " + *problem);
  const auto text = ReadText(files, line.arguments[0]);
  if (!text) return Fail(kRefused, CannotRead(line.arguments[0]));
  const VectorTable table = ParseVectorTable(*text, *bodies);
  if (!table.error.empty()) return Fail(kRefused, line.arguments[0] + ", " + table.error + "; nichts geschrieben");
  return WriteBodies(files, line.arguments[1], RowsOf(table.records));
}

int NewCommand(FileSystem& files, const Words& words) {
  std::string samples;
  for (const std::string& name : SampleNames()) samples += (samples.empty() ? "" : "|") + name;
  const std::string usage = "Aufruf: zelor-bodies new " + samples +
                            " AUS.zel\n        zelor-bodies new --random N [--seed S] AUS.zel"
                            "\n        zelor-bodies new Galaxien AUS.zel [--bodies N] [--seed S]";
  const CommandLine line = ParseCommandLine(words, {"random", "seed", "bodies"});
  if (!line.error.empty()) return Fail(kUsage, line.error + "\n" + usage);
  long long seed = 1;
  if (line.options.count("seed") && !ParseCount(line.options.at("seed"), 0, LLONG_MAX, seed))
    return Fail(kUsage, "--seed " + QuotedShort(line.options.at("seed")) + ": eine ganze Zahl ab 0\n" + usage);
  if (line.options.count("random")) {
    long long count = 0;
    if (line.arguments.size() != 1 || line.options.count("bodies") ||
        !ParseCount(line.options.at("random"), 1, 32766, count))
      return Fail(kUsage, "--random nimmt 1 bis 32766 K\xC3\xB6rper, --seed eine ganze Zahl ab 0\n" + usage);
    return WriteBodies(files, line.arguments[0], RowsOf(RandomCluster(static_cast<int>(count), static_cast<std::uint64_t>(seed))));
  }
  if (line.arguments.size() == 2 && line.arguments[0] == kGalaxiesName)
    return NewGalaxies(files, line, static_cast<std::uint64_t>(seed), usage);
  if (line.arguments.size() != 2 || line.options.count("seed") || line.options.count("bodies"))
    return Fail(kUsage, usage);
  const auto system = SampleSystem(line.arguments[0]);
  if (!system) return Fail(kUsage, "kein Beispiel namens " + line.arguments[0] + "\n" + usage);
  return WriteBodies(files, line.arguments[1], RowsOf(*system));
}

}  // namespace zelor::bodies
