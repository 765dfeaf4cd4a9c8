// What the commands share: messages to the user, reading inputs and writing
// body files.
#pragma once

#include <charconv>
#include <cmath>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "body_rows.h"
#include "commands.h"
#include "common/file_system.h"

namespace zelor::bodies {

inline int Fail(int status, const std::string& message) {
  std::cerr << "zelor-bodies: " << message << "\n";
  return status;
}

inline std::string CannotRead(const std::string& path) { return path + " l\xC3\xA4sst sich nicht lesen"; }
inline std::string CannotWrite(const std::string& path) {
  return path + " l\xC3\xA4sst sich nicht schreiben; es bleibt, wie es war";
}

// A number with a decimal point or a decimal comma.
inline bool ParseNumber(std::string text, double& value) {
  for (char& c : text)
    if (c == ',') c = '.';
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// Text files of bodies are small; this is far beyond any of them.
constexpr std::size_t kMaxTextBytes = std::size_t{256} << 20;

// The file as text, or standard input for "-".
inline std::optional<std::string> ReadText(FileSystem& files, const std::string& path) {
  if (path == "-") return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  auto bytes = files.ReadFile(path, kMaxTextBytes);
  if (!bytes) return std::nullopt;
  return std::string(bytes->begin(), bytes->end());
}

inline int WriteBodies(FileSystem& files, const std::string& path, const std::vector<BodyRow>& rows) {
  if (!WriteBytesSafely(files, path, EncodeRows(rows)))
    return Fail(kRefused, CannotWrite(path));
  std::cout << path << ": " << rows.size() << " K\xC3\xB6rper\n";
  return kDone;
}

inline std::vector<BodyRow> RowsOf(const std::vector<BodyRecord>& records) {
  std::vector<BodyRow> rows;
  for (const BodyRecord& record : records) rows.push_back(RowOf(record));
  return rows;
}

}  // namespace zelor::bodies
