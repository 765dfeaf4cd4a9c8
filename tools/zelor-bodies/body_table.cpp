#include "body_table.h"

#include <cstdarg>
#include <cstdio>

#include "common/quoted.h"
#include "common/zelor_error.h"
#include "render.h"
#include "sim/units.h"

namespace zelor::bodies {
namespace {

// Pads by characters, not bytes, so that umlauts keep the columns straight.
std::string PaddedName(const std::string& utf8, std::size_t width) {
  std::size_t characters = 0;
  for (unsigned char c : utf8) characters += (c & 0xC0) != 0x80;
  return utf8 + std::string(characters < width ? width - characters : 0, ' ');
}

std::string Row(const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

// Numbers with the decimal comma a German reader expects, and without the
// sign of a value that rounds to 0: "-0,00000" would read as a number below 0.
std::string WithDecimalCommas(std::string text) {
  for (char& c : text)
    if (c == '.') c = ',';
  for (std::size_t at = text.find('-'); at != std::string::npos; at = text.find('-', at + 1)) {
    const std::size_t end = text.find_first_not_of("0,", at + 1);
    if (end != at + 1 && (end == std::string::npos || text[end] == ' ' || text[end] == '\xC2')) text[at] = ' ';
  }
  return text;
}

std::string ColorText(std::int32_t color) {
  const auto c = static_cast<std::uint32_t>(color);
  return Row("#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

}  // namespace

std::string FormatBodyTable(const std::vector<BodyRow>& rows) {
  std::string table = Row("%5s  %-15s %13s %11s %11s %11s %9s  %s\n", "#", "Name", "Masse (Erde)", "X (AE)", "Y (AE)",
                          "Tempo km/s", "Richtung", "Farbe");
  for (std::size_t k = 0; k < rows.size(); ++k) {
    const BodyRecord& r = rows[k].record;
    table += Row("%5zu  ", k + 1) + PaddedName(Visible(r.Name), 15) +
             WithDecimalCommas(Row(" %13.6g %11.5f %11.5f %11.4f %8.3f\xC2\xB0  ", r.Mass, r.X / kMetresPerAU,
                                   r.Y / kMetresPerAU, r.Speed / 1000, r.Direction)) +
             ColorText(r.Color) + "\n";
  }
  return table;
}

std::optional<std::string> SaverRefusal(FileSystem& files, const std::string& path) {
  RenderOptions options = DefaultRenderOptions();
  options.width = options.height = 1;
  try {
    RenderRun(files, path, options);
  } catch (const ZelorError& error) {
    return std::string(error.what());
  }
  return std::nullopt;
}

}  // namespace zelor::bodies
