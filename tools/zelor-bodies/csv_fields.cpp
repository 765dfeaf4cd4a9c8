#include "csv_fields.h"

#include "common/cp1252.h"

namespace zelor::bodies {
namespace {

// The length of the UTF-8 sequence at the start of bytes; 0 when none starts
// there.
std::size_t Utf8SequenceLength(std::string_view bytes) {
  const auto lead = static_cast<unsigned char>(bytes[0]);
  const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || length > bytes.size()) return 0;
  for (std::size_t k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(bytes[k]) & 0xC0) != 0x80) return 0;
  return length;
}

}  // namespace

CsvText CsvTextAsUtf8(std::string_view bytes) {
  if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")
    return {"", "die Datei ist UTF-16; bitte als \xE2\x80\x9E" "CSV UTF-8\xE2\x80\x9C oder \xE2\x80\x9E"
                "CSV (Trennzeichen-getrennt)\xE2\x80\x9C speichern"};
  const bool marked = bytes.substr(0, 3) == "\xEF\xBB\xBF";
  if (marked) bytes.remove_prefix(3);
  bool multiByte = false, broken = false;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = Utf8SequenceLength(bytes.substr(i));
    multiByte = multiByte || length > 1;
    broken = broken || length == 0;
    i += length == 0 ? 1 : length;
  }
  if (!broken) return {std::string(bytes), ""};
  if (marked || multiByte)
    return {"", "die Datei ist UTF-8, aber mit kaputten Zeichen darin; so lie\xC3\x9F" "en sich Namen nur "
                "verf\xC3\xA4lscht lesen"};
  return {Cp1252ToUtf8(bytes), ""};
}

CsvSplit SplitCsv(std::string_view text, char separator) {
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
    } else if (c == separator) {
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

std::string QuoteCsvField(std::string_view field, char separator) {
  const bool plain = field.find_first_of("\"\r\n") == std::string_view::npos &&
                     field.find(separator) == std::string_view::npos &&
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
