// zelor-manpage NAME OUT: writes the manual page of zelor2 or zelor-bodies.
// Each page shows the usage the program itself prints, taken from the same
// function, so page and -help cannot drift apart; the build makes the pages
// with this, and the package installs them.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "commands.h"
#include "man_page.h"
#include "x11/module/module_options.h"

namespace zelor::manpages {
namespace {

const std::string kVersion = "Zelor2 " ZELOR_VERSION;
const std::string kSamples = ZELOR_DATA_DIR "/zelor2/samples";

ManPage ModulePage() {
  return {"zelor2", "6", kVersion, "Bildschirmschoner: die Schwerkraft vieler K\xC3\xB6rper in der Ebene", ModuleUsage(),
          {{"BESCHREIBUNG",
            {{"", "zelor2 rechnet die Newtonsche Schwerkraft zwischen den K\xC3\xB6rpern einer Zelor-Datei (.zel) in "
                  "zwei Dimensionen und zeichnet die Bahn jedes K\xC3\xB6rpers in seiner Farbe auf schwarzen Grund. "
                  "Nichts wird gel\xC3\xB6scht, so entstehen ganze Umlaufbahnen; oben links stehen die verstrichenen "
                  "Tage."},
             {"", "Ohne Option \xC3\xB6" "ffnet zelor2 ein eigenes Fenster von 800 \xC3\x97 600 Punkten. Als Modul des "
                  "Bildschirmschoners xscreensaver(1) zeichnet es in das Fenster, das der Dienst in "
                  "XSCREENSAVER_WINDOW nennt; es liest dann keine Eingabe und sperrt nie, denn das Sperren ist "
                  "Sache des Dienstes. Die Optionen, die xscreensaver-settings(1) anbietet, beschreibt "
                  "/usr/share/xscreensaver/config/zelor2.xml."}}},
           {"OPTIONEN",
            {{"-root", "zeichnet auf das Wurzelfenster oder, wenn XSCREENSAVER_WINDOW gesetzt ist, in dessen Fenster."},
             {"-window-id FENSTER", "zeichnet in dieses Fenster (dezimal oder hexadezimal mit 0x)."},
             {"-fullscreen", "ein eigenes Fenster \xC3\xBC" "ber den ganzen Bildschirm; eine Taste oder eine Bewegung "
                             "der Maus beendet den Lauf."},
             {"-help", "zeigt die \xC3\x9C" "bersicht oben."},
             {"", "Die \xC3\xBC" "brigen Optionen setzen eine Einstellung nur f\xC3\xBCr diesen Lauf; keine davon wird "
                  "gespeichert. Kommen die Zelor-Datei, der Himmel oder die Ergebnisdatei von der Befehlszeile, "
                  "schreibt das Ende des Laufs die Ergebnisse, speichert aber weder den Himmel noch die n\xC3\xA4" "chste "
                  "Zelor-Datei."}}},
           {"DATEIEN",
            {{"$XDG_CONFIG_HOME/zelor2/zelor2.conf",
              "die Einstellungen (ohne XDG_CONFIG_HOME in ~/.config/zelor2/zelor2.conf)."},
             {"$XDG_DATA_HOME/zelor2/",
              "die mitgebrachte Voyager.zel, beim ersten Lauf geschrieben, und die Ergebnisdatei Temp.zel (ohne "
              "XDG_DATA_HOME in ~/.local/share/zelor2/)."},
             {kSamples, "vier Beispiele: Voyager.zel, InnerPlanets.zel, BinaryStar.zel, FigureEight.zel."}}},
           {"EXIT-STATUS",
            {{"", "0 nach einem Lauf, 1 nach einem Fehler (die Meldung steht auf der Standardfehlerausgabe), 2 bei "
                  "einem falschen Aufruf."}}},
           {"SIEHE AUCH", {{"", "zelor-bodies(1), xscreensaver(1), xscreensaver-settings(1)"}}}}};
}

ManPage BodiesPage() {
  return {"zelor-bodies", "1", kVersion, "erstellt, zeigt, wandelt und zeichnet Zelor-Dateien f\xC3\xBCr zelor2",
          bodies::Usage(),
          {{"BESCHREIBUNG",
            {{"", "zelor-bodies macht aus einer Tabelle (CSV, auch wie eine deutsche Tabellenkalkulation sie "
                  "speichert) oder aus den Zustandsvektoren eines Ephemeridendienstes eine Zelor-Datei, zeigt eine "
                  "als Tabelle, schreibt sie als CSV zur\xC3\xBC" "ck und zeichnet das Bild eines Laufs als PNG. Eine "
                  "Datei, die der Bildschirmschoner ablehnen w\xC3\xBCrde, lehnt es mit dessen Meldung ab; bei "
                  "einer falschen Zeile schreibt es nichts."},
             {"", "Massen in Erdmassen, Orte in Metern vom Mittelpunkt des Bildschirms (y w\xC3\xA4" "chst nach unten), "
                  "Tempo in m/s, Richtung in Grad von +X nach +Y, Farbe als #RRGGBB."}}},
           {"BEISPIEL",
            {{"", "zelor-bodies from-csv sonne.csv sonne.zel; zelor-bodies render sonne.zel sonne.png --steps 2000"}}},
           {"DATEIEN", {{kSamples, "die Beispiele, die auch zelor-bodies new schreibt."}}},
           {"SIEHE AUCH", {{"", "zelor2(6)"}}}}};
}

}  // namespace
}  // namespace zelor::manpages

int main(int argc, char** argv) {
  using namespace zelor::manpages;
  const std::string name = argc == 3 ? argv[1] : "";
  if (name != "zelor2" && name != "zelor-bodies") {
    std::cerr << "Aufruf: zelor-manpage zelor2|zelor-bodies AUSGABE\n";
    return 2;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out << RoffPage(name == "zelor2" ? ModulePage() : BodiesPage());
  out.close();
  if (!out) {
    std::cerr << "zelor-manpage: " << argv[2] << " nicht geschrieben\n";
    return 1;
  }
  return 0;
}
