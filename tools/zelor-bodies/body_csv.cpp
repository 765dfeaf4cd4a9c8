#include "body_csv.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "common/cp1252.h"
#include "csv_fields.h"

namespace zelor::bodies {
namespace {

constexpr std::size_t kColumns = 7;
constexpr const char* kColumnNames[kColumns] = {"name",      "mass_earth",    "x_m", "y_m",
                                                "speed_m_s", "direction_deg", "color"};
// More would make the saver refuse the file.
constexpr std::size_t kMaxBodies = 32766;

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<std::string> NameProblem(const std::string& name) {
  const std::string bytes = Utf8ToCp1252(name);
  // Characters the code page lacks turn into '?' on the way; a name should
  // not change silently.
  if (std::count(bytes.begin(), bytes.end(), '?') != std::count(name.begin(), name.end(), '?'))
    return "the name holds a character that code page 1252 lacks (or broken UTF-8)";
  if (bytes.size() > kBodyNameLength)
    return "the name has " + std::to_string(bytes.size()) + " characters; at most 15 fit";
  return std::nullopt;
}

namespace {

std::optional<std::string> ParseNumber(std::string_view field, double& value) {
  std::string_view text = Trimmed(field);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size())
    return "'" + std::string(field) + "' is not a number (write it like 1.5e11, with a decimal point)";
  if (!std::isfinite(value)) return "'" + std::string(field) + "' is not a finite number";
  return std::nullopt;
}

bool ParseHex(std::string_view digits, std::uint32_t& value) {
  if (digits.empty() || digits.size() > 8) return false;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
  return ec == std::errc() && end == digits.data() + digits.size();
}

std::optional<std::string> ParseColor(std::string_view field, BodyRow& row) {
  const std::string_view text = Trimmed(field);
  std::uint32_t value = 0;
  if (text.size() == 7 && text[0] == '#' && ParseHex(text.substr(1), value)) {
    if (value == 0) return "black cannot be stored: a stored 0 is white";
    const std::uint32_t bgr = ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
    row.record.Color = static_cast<std::int32_t>(bgr);
    row.storedColor = StoredColorOf(row.record.Color);
    return std::nullopt;
  }
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') && ParseHex(text.substr(2), value)) {
    row.storedColor = static_cast<std::int32_t>(value);
    row.record.Color = value == 0 ? kWhite : row.storedColor;
    return std::nullopt;
  }
  return "'" + std::string(field) + "' is no colour: write #RRGGBB or 0x00BBGGRR";
}

std::optional<CsvError> ParseRow(const CsvRecord& line, BodyRow& row) {
  if (line.fields.size() != kColumns) {
    const int column = static_cast<int>(std::min(line.fields.size(), kColumns) + 1);
    return CsvError{line.line, std::min(column, static_cast<int>(kColumns)),
                    "the row has " + std::to_string(line.fields.size()) + " fields instead of 7"};
  }
  if (auto problem = NameProblem(line.fields[0])) return CsvError{line.line, 1, *problem};
  row.record.Name = line.fields[0];
  double* numbers[] = {&row.record.Mass, &row.record.X, &row.record.Y, &row.record.Speed, &row.record.Direction};
  for (int k = 0; k < 5; ++k)
    if (auto problem = ParseNumber(line.fields[k + 1], *numbers[k])) return CsvError{line.line, k + 2, *problem};
  if (auto problem = ParseColor(line.fields[6], row)) return CsvError{line.line, 7, *problem};
  return std::nullopt;
}

std::optional<CsvError> CheckHeader(const CsvRecord& header) {
  for (std::size_t k = 0; k < kColumns; ++k) {
    const std::string_view given = k < header.fields.size() ? Trimmed(header.fields[k]) : std::string_view();
    if (given != kColumnNames[k])
      return CsvError{header.line, static_cast<int>(k + 1),
                      "the header must be " + std::string(kBodyCsvHeader) + " (this column: " + kColumnNames[k] + ")"};
  }
  if (header.fields.size() > kColumns)
    return CsvError{header.line, static_cast<int>(kColumns + 1), "the header has more than 7 columns"};
  return std::nullopt;
}

std::string NumberText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string ColorText(std::int32_t stored) {
  const auto value = static_cast<std::uint32_t>(stored);
  char buffer[16];
  if (value == 0 || (value <= 0x00FFFFFF && value != 0x00FFFFFF)) {
    const std::uint32_t bgr = value == 0 ? 0x00FFFFFF : value;
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", static_cast<unsigned>(bgr & 0xFF),
                  static_cast<unsigned>((bgr >> 8) & 0xFF), static_cast<unsigned>((bgr >> 16) & 0xFF));
  } else {
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(value));
  }
  return buffer;
}

std::string WithoutTrailingBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace

CsvBodies ParseBodyCsv(std::string_view text) {
  CsvBodies result;
  const CsvSplit split = SplitCsv(text);
  if (split.badLine) {
    result.error = CsvError{split.badLine, 0, "a quote opened here is never closed"};
    return result;
  }
  if (split.records.empty()) {
    result.error = CsvError{1, 1, "no header: the first row must be " + std::string(kBodyCsvHeader)};
    return result;
  }
  if ((result.error = CheckHeader(split.records.front()))) return result;
  if (split.records.size() == 1) {
    result.error = CsvError{split.records.front().line, 0, "no bodies after the header"};
    return result;
  }
  if (split.records.size() - 1 > kMaxBodies) {
    result.error = CsvError{split.records[kMaxBodies + 1].line, 0,
                            "more than 32766 bodies; the saver refuses such a file"};
    return result;
  }
  std::vector<BodyRow> rows(split.records.size() - 1);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    if ((result.error = ParseRow(split.records[k + 1], rows[k]))) return result;
  }
  result.rows = std::move(rows);
  return result;
}

std::string WriteBodyCsv(const std::vector<BodyRow>& rows) {
  std::string text = std::string(kBodyCsvHeader) + "\n";
  for (const BodyRow& row : rows) {
    const BodyRecord& r = row.record;
    text += QuoteCsvField(WithoutTrailingBlanks(r.Name));
    for (double value : {r.Mass, r.X, r.Y, r.Speed, r.Direction}) text += "," + NumberText(value);
    text += "," + ColorText(row.storedColor) + "\n";
  }
  return text;
}

std::string Describe(const CsvError& error) {
  std::string where = "line " + std::to_string(error.line);
  if (error.column > 0) {
    where += ", column " + std::to_string(error.column);
    if (error.column <= static_cast<int>(kColumns)) where += std::string(" (") + kColumnNames[error.column - 1] + ")";
  }
  return where + ": " + error.message;
}

}  // namespace zelor::bodies
