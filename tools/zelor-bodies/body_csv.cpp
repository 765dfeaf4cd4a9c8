#include "body_csv.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "common/cp1252.h"
#include "common/quoted.h"
#include "csv_fields.h"

namespace zelor::bodies {
namespace {

constexpr std::size_t kColumns = 7;
using ColumnNames = const char* const[kColumns];
constexpr ColumnNames kColumnNames = {"name", "mass_earth", "x_m", "y_m", "speed_m_s", "direction_deg", "color"};
// What the spreadsheet form writes, for a German reader; read in either form.
constexpr ColumnNames kGermanColumnNames = {"Name",  "Masse (Erdmassen)", "X (m)", "Y (m)", "Geschwindigkeit (m/s)",
                                            "Richtung (Grad)", "Farbe"};
const ColumnNames& NamesOf(bool german) { return german ? kGermanColumnNames : kColumnNames; }
// More would make the saver refuse the file.
constexpr std::size_t kMaxBodies = 32766;

struct FormRule {
  char separator;
  char decimal;
  const char* example;  // of a number in this form, for messages
};
const FormRule& RuleOf(CsvForm form) {
  static const FormRule kPlain{',', '.', "in dieser Tabelle mit Kommas gilt der Dezimalpunkt: 1.5"};
  static const FormRule kSpreadsheet{';', ',', "in dieser Tabelle mit Semikolons gilt das Dezimalkomma: 1,5"};
  return form == CsvForm::Plain ? kPlain : kSpreadsheet;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "332.946" or "1.234.567,5": dots that group the digits before the decimal
// comma by three, as a spreadsheet writes them; the text without them, or
// nullopt when the dots are anything else.
std::optional<std::string> WithoutThousandsDots(std::string_view text) {
  std::string_view whole = text.substr(0, text.find_first_of(",eE"));
  const std::string_view rest = text.substr(whole.size());
  if (!whole.empty() && (whole.front() == '-' || whole.front() == '+')) whole.remove_prefix(1);
  const auto firstDot = whole.find('.');
  if (firstDot == std::string_view::npos) return std::string(text);
  if (firstDot == 0 || firstDot > 3 || rest.find('.') != std::string_view::npos) return std::nullopt;
  for (std::size_t at = firstDot; at < whole.size(); at += 4)
    if (whole[at] != '.' || whole.substr(at + 1, 3).size() != 3 || !AllDigits(whole.substr(at + 1, 3)))
      return std::nullopt;
  std::string plain(text);
  plain.erase(std::remove(plain.begin(), plain.end(), '.'), plain.end());
  return plain;
}

std::optional<std::string> ParseNumber(std::string_view field, CsvForm form, double& value) {
  std::string_view text = Trimmed(field);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::optional<std::string> plain = std::string(text);
  if (form == CsvForm::Spreadsheet) {
    plain = WithoutThousandsDots(text);
    if (plain) std::replace(plain->begin(), plain->end(), ',', '.');
  }
  bool read = false;
  if (!text.empty() && plain) {
    const auto [end, ec] = std::from_chars(plain->data(), plain->data() + plain->size(), value);
    read = ec == std::errc() && end == plain->data() + plain->size();
  }
  if (!read) return QuotedShort(std::string(field)) + " ist keine Zahl (" + RuleOf(form).example + ")";
  if (!std::isfinite(value)) return QuotedShort(std::string(field)) + " ist keine endliche Zahl";
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
    if (value == 0) return "Schwarz l\xC3\xA4sst sich nicht speichern: eine gespeicherte 0 ist Wei\xC3\x9F";
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
  return QuotedShort(std::string(field)) + " ist keine Farbe: #RRGGBB oder 0x00BBGGRR schreiben";
}

// A row of the plain form with more fields than columns may hold a number
// written with a decimal comma, "1,5" split into "1" and "5": two fields of
// digits side by side. The column of that number, from 1, when one pair
// alone looks so; -1 when several do (then no field can be named), 0 when
// none does. The row must still end in its colour, else the extra field is
// something else.
int DecimalCommaColumn(const std::vector<std::string>& fields) {
  BodyRow scratch;
  if (ParseColor(fields.back(), scratch)) return 0;
  int found = 0;
  for (std::size_t k = 1; k + 2 < fields.size(); ++k) {
    std::string_view whole = Trimmed(fields[k]);
    if (!whole.empty() && (whole.front() == '-' || whole.front() == '+')) whole.remove_prefix(1);
    const std::string_view fraction = Trimmed(fields[k + 1]);
    if (AllDigits(whole) && AllDigits(fraction.substr(0, fraction.find_first_of("eE"))))
      found = found == 0 ? static_cast<int>(k + 1) : -1;
  }
  return found;
}

std::optional<CsvError> CountProblem(const CsvRecord& line, CsvForm form) {
  const std::size_t count = line.fields.size();
  const std::string counted = "die Zeile hat " + std::to_string(count) + " Felder statt 7";
  if (count < kColumns) return CsvError{line.line, static_cast<int>(count + 1), "fehlt (" + counted + ")"};
  const std::string hint = std::string(RuleOf(form).example) + ", oder die Tabelle mit Semikolons speichern";
  const int column = form == CsvForm::Plain ? DecimalCommaColumn(line.fields) : 0;
  if (column > 0)
    return CsvError{line.line, column,
                    QuotedShort(line.fields[column - 1] + "," + line.fields[column]) + " ist keine Zahl (" + hint + ")"};
  if (column < 0) return CsvError{line.line, 0, counted + "; steht in einer Zahl ein Dezimalkomma? (" + hint + ")"};
  return CsvError{line.line, static_cast<int>(kColumns + 1), "\xC3\xBC" "berz\xC3\xA4hlig (" + counted + ")"};
}

std::optional<CsvError> ParseRow(const CsvRecord& line, CsvForm form, BodyRow& row) {
  if (line.fields.size() != kColumns) return CountProblem(line, form);
  if (auto problem = NameProblem(line.fields[0])) return CsvError{line.line, 1, *problem};
  row.record.Name = line.fields[0];
  double* numbers[] = {&row.record.Mass, &row.record.X, &row.record.Y, &row.record.Speed, &row.record.Direction};
  for (int k = 0; k < 5; ++k)
    if (auto problem = ParseNumber(line.fields[k + 1], form, *numbers[k])) return CsvError{line.line, k + 2, *problem};
  if (auto problem = ParseColor(line.fields[6], row)) return CsvError{line.line, 7, *problem};
  return std::nullopt;
}

// The header row's names are the English ones or, from "Name" on, the German.
std::optional<CsvError> CheckHeader(const CsvRecord& header, bool& german) {
  german = !header.fields.empty() && Trimmed(header.fields[0]) == kGermanColumnNames[0];
  const ColumnNames& names = NamesOf(german);
  std::string whole = " (die ganze Kopfzeile: " + std::string(kBodyCsvHeader) + " oder ";
  for (std::size_t k = 0; k < kColumns; ++k) whole += std::string(k ? ";" : "") + kGermanColumnNames[k];
  whole += ", mit Kommas oder Semikolons)";
  for (std::size_t k = 0; k < kColumns; ++k) {
    const std::string_view given = k < header.fields.size() ? Trimmed(header.fields[k]) : std::string_view();
    if (given != names[k])
      return CsvError{header.line, static_cast<int>(k + 1),
                      std::string("die Kopfzeile braucht hier ") + Quoted(names[k]) + whole, german};
  }
  if (header.fields.size() > kColumns)
    return CsvError{header.line, static_cast<int>(kColumns + 1), "die Kopfzeile hat mehr als 7 Spalten" + whole,
                    german};
  return std::nullopt;
}

// The header row tells the form: its names hold no separator of their own.
CsvForm FormOf(std::string_view text) {
  const std::string_view first = text.substr(0, text.find('\n'));
  return first.find(';') != std::string_view::npos ? CsvForm::Spreadsheet : CsvForm::Plain;
}

std::string NumberText(double value, CsvForm form) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  std::replace(text.begin(), text.end(), '.', RuleOf(form).decimal);
  return text;
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

std::optional<std::string> NameProblem(const std::string& name) {
  const std::string bytes = Utf8ToCp1252(name);
  // Characters the code page lacks turn into '?' on the way; a name should
  // not change silently.
  if (std::count(bytes.begin(), bytes.end(), '?') != std::count(name.begin(), name.end(), '?'))
    return "der Name enth\xC3\xA4lt ein Zeichen, das Codepage 1252 nicht kennt (oder kaputtes UTF-8)";
  if (bytes.size() > kBodyNameLength)
    return "der Name hat " + std::to_string(bytes.size()) + " Zeichen; h\xC3\xB6" "chstens 15 passen";
  return std::nullopt;
}

CsvBodies ParseBodyCsv(std::string_view bytes) {
  CsvBodies result;
  const CsvText text = CsvTextAsUtf8(bytes);
  if (!text.error.empty()) {
    result.error = CsvError{1, 0, text.error};
    return result;
  }
  const CsvForm form = FormOf(text.utf8);
  const CsvSplit split = SplitCsv(text.utf8, RuleOf(form).separator);
  if (split.badLine) {
    result.error = CsvError{split.badLine, 0, "ein hier ge\xC3\xB6" "ffnetes Anf\xC3\xBChrungszeichen wird nie geschlossen"};
    return result;
  }
  if (split.records.empty()) {
    result.error = CsvError{1, 0, "keine Kopfzeile: die erste Zeile muss " + std::string(kBodyCsvHeader) + " sein"};
    return result;
  }
  bool german = false;
  if ((result.error = CheckHeader(split.records.front(), german))) return result;
  if (split.records.size() == 1) {
    result.error = CsvError{split.records.front().line, 0, "keine K\xC3\xB6rper nach der Kopfzeile"};
    return result;
  }
  if (split.records.size() - 1 > kMaxBodies) {
    result.error = CsvError{split.records[kMaxBodies + 1].line, 0,
                            "mehr als 32766 K\xC3\xB6rper; der Bildschirmschoner lehnt eine solche Datei ab"};
    return result;
  }
  std::vector<BodyRow> rows(split.records.size() - 1);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    if ((result.error = ParseRow(split.records[k + 1], form, rows[k]))) {
      result.error->germanNames = german;
      return result;
    }
  }
  result.rows = std::move(rows);
  return result;
}

std::string WriteBodyCsv(const std::vector<BodyRow>& rows, CsvForm form) {
  const char separator = RuleOf(form).separator;
  // Spreadsheets take a file without the mark for their own code page.
  const std::string start = form == CsvForm::Spreadsheet ? "\xEF\xBB\xBF" : "";
  const std::string end = form == CsvForm::Spreadsheet ? "\r\n" : "\n";
  std::string text = start;
  for (std::size_t k = 0; k < kColumns; ++k)
    text += (k ? std::string(1, separator) : std::string()) + NamesOf(form == CsvForm::Spreadsheet)[k];
  text += end;
  for (const BodyRow& row : rows) {
    const BodyRecord& r = row.record;
    text += QuoteCsvField(WithoutTrailingBlanks(r.Name), separator);
    for (double value : {r.Mass, r.X, r.Y, r.Speed, r.Direction}) text += separator + NumberText(value, form);
    text += separator + ColorText(row.storedColor) + end;
  }
  return text;
}

std::string Describe(const CsvError& error) {
  std::string where = "Zeile " + std::to_string(error.line);
  if (error.column > static_cast<int>(kColumns))
    where += ", Feld " + std::to_string(error.column);
  else if (error.column > 0)
    where += std::string(", Feld ") + Quoted(NamesOf(error.germanNames)[error.column - 1]);
  return where + ": " + error.message;
}

}  // namespace zelor::bodies
