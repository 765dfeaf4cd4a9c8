#include <iostream>

#include "commands.h"

namespace zelor::bodies {
namespace {

const char kUsageText[] =
    "zelor-bodies: erstellt, zeigt, wandelt und zeichnet Zelor-Dateien (.zel)\n"
    "\n"
    "  zelor-bodies show DATEI.zel\n"
    "      die K\xC3\xB6rper als Tabelle; Ende mit 1, wenn der Bildschirmschoner die\n"
    "      Datei ablehnt\n"
    "  zelor-bodies to-csv DATEI.zel [AUS.csv] [--tabelle]\n"
    "      die K\xC3\xB6rper als CSV (ohne AUS.csv auf die Standardausgabe);\n"
    "      --tabelle: mit Semikolons, Dezimalkommas und deutschen Spaltennamen\n"
    "  zelor-bodies from-csv EIN.csv AUS.zel\n"
    "      eine Zelor-Datei aus CSV, mit Kommas oder Semikolons\n"
    "      (EIN.csv - liest die Standardeingabe)\n"
    "  zelor-bodies from-vectors EIN.txt AUS.zel --bodies NAME=MASSE,...\n"
    "      eine Zelor-Datei aus einer Tabelle von Zustandsvektoren\n"
    "      (CSV-Form eines Ephemeridendienstes)\n"
    "  zelor-bodies render DATEI.zel BILD.png --steps N [--size BREITExH\xC3\x96HE]\n"
    "      [--interval TAGE] [--sky BREITExH\xC3\x96HE]\n"
    "      das Bild eines Laufs nach N Schritten\n"
    "  zelor-bodies run DATEI.zel AUS.zel --steps N [--interval TAGE]\n"
    "      [--accuracy K]\n"
    "      die K\xC3\xB6rper nach N Schritten, alle, als Zelor-Datei\n"
    "  zelor-bodies new Voyager|InnerPlanets|BinaryStar|FigureEight AUS.zel\n"
    "  zelor-bodies new --random N [--seed S] AUS.zel\n"
    "  zelor-bodies new Galaxien AUS.zel [--bodies N] [--seed S]\n"
    "      zwei Scheibengalaxien vor einem nahen Vorbeiflug, N K\xC3\xB6rper (vorgegeben\n"
    "      32766); nennt Intervall und Himmel, f\xC3\xBCr die sie gemacht sind\n"
    "\n"
    "CSV-Spalten: name,mass_earth,x_m,y_m,speed_m_s,direction_deg,color\n"
    "  oder, wie --tabelle sie schreibt: Name;Masse (Erdmassen);X (m);Y (m);\n"
    "  Geschwindigkeit (m/s);Richtung (Grad);Farbe\n"
    "Ende mit 0: erledigt, 1: abgelehnt oder fehlgeschlagen, 2: falscher Aufruf.\n";

}  // namespace

const char* Usage() { return kUsageText; }

int RunCommand(FileSystem& files, const Words& words) {
  if (words.empty() || words[0] == "help" || words[0] == "hilfe" || words[0] == "--help" || words[0] == "-h") {
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
  if (command == "run") return RunStepsCommand(files, rest);
  std::cerr << "zelor-bodies: unbekannter Befehl " << command << "\n\n" << kUsageText;
  return kUsage;
}

}  // namespace zelor::bodies
