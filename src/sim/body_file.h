// Body files (*.zel): a headerless run of 59-byte records, one per body,
// numbers little-endian. The name is 15 bytes of code page 1252, padded with
// blanks; colour 0 in the file stands for white, which is the only way white
// is written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/file_system.h"

namespace zelor {

constexpr std::size_t kBodyRecordSize = 59;
constexpr std::size_t kBodyNameLength = 15;
constexpr std::int32_t kWhite = 0x00FFFFFF;

// One body as the file holds it; the name is UTF-8 here.
struct BodyRecord {
  std::string Name;
  double Mass = 0;              // Earth masses
  double X = 0, Y = 0;          // metres
  double Speed = 0;             // metres per second
  double Direction = 0;         // degrees from +X towards +Y (clockwise on screen)
  std::int32_t Color = kWhite;  // 0x00BBGGRR
};

// The 59 bytes of a record: the name cut or padded to 15 bytes, white as 0.
void EncodeBodyRecord(const BodyRecord& record, unsigned char* out);
// The record in 59 bytes: colour 0 becomes white.
BodyRecord DecodeBodyRecord(const unsigned char* in);

// Every whole record in the bytes, in file order; a trailing part shorter
// than a record is ignored.
std::vector<BodyRecord> DecodeBodyRecords(const std::vector<unsigned char>& bytes);

// The records of the file, at most maxRecords of them (only that much is
// read, so a huge file costs nothing); nullopt when the file cannot be read.
// Never creates the file.
std::optional<std::vector<BodyRecord>> ReadBodyFile(FileSystem& files, const std::string& path,
                                                    std::size_t maxRecords);

// Writes the records so that the file at `path` is either replaced as a
// whole or left as it was; false when it was left.
bool WriteBodyFile(FileSystem& files, const std::string& path, const std::vector<BodyRecord>& records);

}  // namespace zelor
