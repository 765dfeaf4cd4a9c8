// The plain CSV layer: records of fields, quoting as spreadsheets write it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelor::bodies {

struct CsvRecord {
  int line = 0;  // where the record starts, from 1
  std::vector<std::string> fields;
};

struct CsvSplit {
  std::vector<CsvRecord> records;  // blank lines are left out
  int badLine = 0;                 // non-zero: a quote there is never closed
};

CsvSplit SplitCsv(std::string_view text);

// The field as it must be written: quoted when it holds a comma, a quote, a
// line break or blanks at either end.
std::string QuoteCsvField(std::string_view field);

}  // namespace zelor::bodies
