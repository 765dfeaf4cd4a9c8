#include <iostream>

#include "commands.h"

namespace zelor::bodies {
namespace {

const char kUsageText[] =
    "zelor-bodies: makes, inspects, converts and renders Zelor2 body files (.zel)\n"
    "\n"
    "  zelor-bodies show FILE.zel                    the bodies as a table; exit 1 if the saver refuses the file\n"
    "  zelor-bodies to-csv FILE.zel [OUT.csv]        the bodies as CSV (to standard output without OUT.csv)\n"
    "  zelor-bodies from-csv IN.csv OUT.zel          a body file from CSV (IN.csv - reads standard input)\n"
    "  zelor-bodies from-vectors IN.txt OUT.zel --bodies NAME=MASS,...\n"
    "                                                a body file from an ephemeris vector table (CSV form)\n"
    "  zelor-bodies render FILE.zel OUT.png --steps N [--size WxH] [--interval DAYS] [--sky W,H]\n"
    "                                                the picture a saver run shows after N steps\n"
    "  zelor-bodies new Voyager|InnerPlanets|BinaryStar|FigureEight OUT.zel\n"
    "  zelor-bodies new --random N [--seed S] OUT.zel\n"
    "\n"
    "CSV columns: name,mass_earth,x_m,y_m,speed_m_s,direction_deg,color\n"
    "Exit status: 0 done, 1 refused or failed, 2 usage error.\n";

}  // namespace

int RunCommand(FileSystem& files, const Words& words) {
  if (words.empty() || words[0] == "help" || words[0] == "--help" || words[0] == "-h") {
    (words.empty() ? std::cerr : std::cout) << kUsageText;
    return words.empty() ? kUsage : kDone;
  }
  const Words rest(words.begin() + 1, words.end());
  const std::string& command = words[0];
  if (command == "show") return ShowCommand(files, rest);
  if (command == "to-csv") return ToCsvCommand(files, rest);
  if (command == "from-csv") return FromCsvCommand(files, rest);
  if (command == "from-vectors") return FromVectorsCommand(files, rest);
  if (command == "render") return RenderCommand(files, rest);
  if (command == "new") return NewCommand(files, rest);
  std::cerr << "zelor-bodies: unknown command " << command << "\n\n" << kUsageText;
  return kUsage;
}

}  // namespace zelor::bodies
