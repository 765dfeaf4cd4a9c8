// Body files as the tool sees them: each record with its colour exactly as
// stored, so that converting a file and back changes no byte (the core's
// reader turns both forms of white into one).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "sim/body_file.h"

namespace zelor::bodies {

struct BodyRow {
  BodyRecord record;            // record.Color as the saver reads it
  std::int32_t storedColor = 0;  // the four bytes the file holds
};

// The stored form of a colour the user gives as a colour: white becomes 0.
constexpr std::int32_t StoredColorOf(std::int32_t color) { return color == kWhite ? 0 : color; }

BodyRow RowOf(const BodyRecord& record);

// Every whole record of the bytes; a trailing part is ignored.
std::vector<BodyRow> DecodeRows(const std::vector<unsigned char>& bytes);
std::vector<unsigned char> EncodeRows(const std::vector<BodyRow>& rows);

// Replaces the file only once the whole content is written.
bool WriteBytesSafely(FileSystem& files, const std::string& path, const std::vector<unsigned char>& bytes);

}  // namespace zelor::bodies
