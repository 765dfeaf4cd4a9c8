// Bodies as CSV, for editing in a spreadsheet: a header row, then one body a
// row with the columns of kBodyCsvHeader. Text is UTF-8; a field holding a
// comma, a quote or a line break is quoted, quotes doubled.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "body_rows.h"

namespace zelor::bodies {

inline constexpr std::string_view kBodyCsvHeader = "name,mass_earth,x_m,y_m,speed_m_s,direction_deg,color";

// Where a CSV text went wrong: line and column counted from 1.
struct CsvError {
  int line = 0;
  int column = 0;
  std::string message;
};

struct CsvBodies {
  std::vector<BodyRow> rows;
  std::optional<CsvError> error;  // set: rows is empty
};

// Accepts "\n" and "\r\n" line ends, a UTF-8 byte order mark and blank lines.
// Colours are "#RRGGBB" (white is stored as 0) or "0x" and up to eight hex
// digits 0x00BBGGRR, stored as given. Names must fit 15 characters of code
// page 1252; numbers must be finite.
CsvBodies ParseBodyCsv(std::string_view text);

// Numbers in their shortest form that reads back to the same double; colours
// as "#RRGGBB" where the file holds 0x00BBGGRR or 0 for white, otherwise as
// "0x" and eight digits, so that ParseBodyCsv gives back the same bytes.
std::string WriteBodyCsv(const std::vector<BodyRow>& rows);

// Why the name cannot be stored as it is: a character outside code page
// 1252, or more than 15 characters; nullopt when it can.
std::optional<std::string> NameProblem(const std::string& utf8Name);

// "line 3, column 2 (mass_earth): ..."
std::string Describe(const CsvError& error);

}  // namespace zelor::bodies
