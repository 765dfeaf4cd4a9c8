// Bodies as CSV, for editing in a spreadsheet: a header row with the column
// names of kBodyCsvHeader, or the German ones the spreadsheet form writes
// ("Name;Masse (Erdmassen);X (m);Y (m);Geschwindigkeit (m/s);Richtung
// (Grad);Farbe"), then one body a row. Two forms: the plain one with
// commas and decimal points, and the one a German spreadsheet writes, with
// semicolons and decimal commas; the header row tells which. A field holding
// the separator, a quote or a line break is quoted, quotes doubled.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "body_rows.h"

namespace zelor::bodies {

inline constexpr std::string_view kBodyCsvHeader = "name,mass_earth,x_m,y_m,speed_m_s,direction_deg,color";

enum class CsvForm {
  Plain,        // "," and 1.5, UTF-8
  Spreadsheet,  // ";" and 1,5; written as UTF-8 with a byte-order mark and CR LF
};

// Where a CSV text went wrong: line and field counted from 1 (0: the whole
// line).
struct CsvError {
  int line = 0;
  int column = 0;
  std::string message;
  bool germanNames = false;  // the header row's names are the German ones
};

struct CsvBodies {
  std::vector<BodyRow> rows;
  std::optional<CsvError> error;  // set: rows is empty
};

// The bytes of a CSV file, in UTF-8 (with or without a byte-order mark) or
// code page 1252. Accepts "\n" and "\r\n" line ends and blank lines. In the
// spreadsheet form a number may group its thousands with dots (332.946).
// Colours are "#RRGGBB" (white is stored as 0) or "0x" and up to eight hex
// digits 0x00BBGGRR, stored as given. Names must fit 15 characters of code
// page 1252; numbers must be finite.
CsvBodies ParseBodyCsv(std::string_view bytes);

// Numbers in their shortest form that reads back to the same double; colours
// as "#RRGGBB" where the file holds 0x00BBGGRR or 0 for white, otherwise as
// "0x" and eight digits, so that ParseBodyCsv gives back the same bytes.
std::string WriteBodyCsv(const std::vector<BodyRow>& rows, CsvForm form = CsvForm::Plain);

// Why the name cannot be stored as it is: a character outside code page
// 1252, or more than 15 characters; nullopt when it can.
std::optional<std::string> NameProblem(const std::string& utf8Name);

// "Zeile 3, Feld „mass_earth“: ..."
std::string Describe(const CsvError& error);

}  // namespace zelor::bodies
