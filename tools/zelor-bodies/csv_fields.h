// The plain CSV layer: the file's text encoding, and records of fields,
// quoting as spreadsheets write it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelor::bodies {

struct CsvText {
  std::string utf8;
  std::string error;  // not empty: the bytes are no text this reads
};

// The file's bytes as UTF-8 text: a UTF-8 byte-order mark is dropped, and
// bytes that are not UTF-8 are read as code page 1252, in which a German
// spreadsheet saves a plain CSV. Refused: UTF-16, and UTF-8 with a broken
// sequence, which as code page 1252 would turn every umlaut into two
// characters without a word.
CsvText CsvTextAsUtf8(std::string_view bytes);

struct CsvRecord {
  int line = 0;  // where the record starts, from 1
  std::vector<std::string> fields;
};

struct CsvSplit {
  std::vector<CsvRecord> records;  // blank lines are left out
  int badLine = 0;                 // non-zero: a quote there is never closed
};

// separator is ',' or, as German spreadsheets write it, ';'.
CsvSplit SplitCsv(std::string_view text, char separator = ',');

// The field as it must be written: quoted when it holds the separator, a
// quote, a line break or blanks at either end.
std::string QuoteCsvField(std::string_view field, char separator = ',');

}  // namespace zelor::bodies
