#include "csv_fields.h"

namespace zelor::bodies {

CsvSplit SplitCsv(std::string_view text) {
  CsvSplit split;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  CsvRecord record{1, {}};
  std::string field;
  bool recordStarted = false;  // a record that is only an empty line stays out
  bool fieldStarted = false;   // a quote opens a field only at its start
  int line = 1;
  std::size_t i = 0;
  auto endRecord = [&] {
    if (recordStarted) {
      record.fields.push_back(field);
      split.records.push_back(record);
    }
    record = {line, {}};
    field.clear();
    recordStarted = fieldStarted = false;
  };
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"' && !fieldStarted) {
      const int opened = line;
      ++i;
      for (;;) {
        if (i >= text.size()) {
          split.badLine = opened;
          return split;
        }
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        if (text[i] == '\n') ++line;
        field += text[i++];
      }
      recordStarted = fieldStarted = true;
    } else if (c == ',') {
      record.fields.push_back(field);
      field.clear();
      recordStarted = true;
      fieldStarted = false;
      ++i;
    } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      i += c == '\r' ? 2 : 1;
      ++line;
      endRecord();
    } else {
      field += c;
      recordStarted = fieldStarted = true;
      ++i;
    }
  }
  endRecord();
  return split;
}

std::string QuoteCsvField(std::string_view field) {
  const bool plain = field.find_first_of(",\"\r\n") == std::string_view::npos &&
                     (field.empty() || (field.front() != ' ' && field.back() != ' '));
  if (plain) return std::string(field);
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace zelor::bodies
