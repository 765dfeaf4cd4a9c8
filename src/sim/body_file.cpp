#include "sim/body_file.h"

#include <cstring>

#include "common/cp1252.h"
#include "common/safe_write.h"

namespace zelor {
namespace {

// Byte by byte, so the layout is the same whatever the machine's byte order.
void PutUint(unsigned char* out, std::uint64_t value, int bytes) {
  for (int k = 0; k < bytes; ++k) out[k] = static_cast<unsigned char>(value >> (8 * k));
}

std::uint64_t GetUint(const unsigned char* in, int bytes) {
  std::uint64_t value = 0;
  for (int k = 0; k < bytes; ++k) value |= static_cast<std::uint64_t>(in[k]) << (8 * k);
  return value;
}

void PutDouble(unsigned char* out, double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  PutUint(out, bits, 8);
}

double GetDouble(const unsigned char* in) {
  const std::uint64_t bits = GetUint(in, 8);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Field offsets within a record.
constexpr int kMassAt = 15, kXAt = 23, kYAt = 31, kSpeedAt = 39, kDirectionAt = 47, kColorAt = 55;

}  // namespace

void EncodeBodyRecord(const BodyRecord& record, unsigned char* out) {
  std::string name = Utf8ToCp1252(record.Name);
  name.resize(kBodyNameLength, ' ');
  std::memcpy(out, name.data(), kBodyNameLength);
  PutDouble(out + kMassAt, record.Mass);
  PutDouble(out + kXAt, record.X);
  PutDouble(out + kYAt, record.Y);
  PutDouble(out + kSpeedAt, record.Speed);
  PutDouble(out + kDirectionAt, record.Direction);
  const std::int32_t color = record.Color == kWhite ? 0 : record.Color;
  PutUint(out + kColorAt, static_cast<std::uint32_t>(color), 4);
}

BodyRecord DecodeBodyRecord(const unsigned char* in) {
  BodyRecord record;
  record.Name = Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(in), kBodyNameLength));
  record.Mass = GetDouble(in + kMassAt);
  record.X = GetDouble(in + kXAt);
  record.Y = GetDouble(in + kYAt);
  record.Speed = GetDouble(in + kSpeedAt);
  record.Direction = GetDouble(in + kDirectionAt);
  const auto color = static_cast<std::int32_t>(static_cast<std::uint32_t>(GetUint(in + kColorAt, 4)));
  record.Color = color == 0 ? kWhite : color;
  return record;
}

std::vector<BodyRecord> DecodeBodyRecords(const std::vector<unsigned char>& bytes) {
  std::vector<BodyRecord> records;
  const std::size_t count = bytes.size() / kBodyRecordSize;
  records.reserve(count);
  for (std::size_t k = 0; k < count; ++k) records.push_back(DecodeBodyRecord(&bytes[k * kBodyRecordSize]));
  return records;
}

std::optional<std::vector<BodyRecord>> ReadBodyFile(FileSystem& files, const std::string& path,
                                                    std::size_t maxRecords) {
  auto bytes = files.ReadFile(path, maxRecords * kBodyRecordSize);
  if (!bytes) return std::nullopt;
  return DecodeBodyRecords(*bytes);
}

bool WriteBodyFile(FileSystem& files, const std::string& path, const std::vector<BodyRecord>& records) {
  return WriteFileSafely(files, path, [&](OutputFile& out) {
    unsigned char bytes[kBodyRecordSize];
    for (const BodyRecord& record : records) {
      EncodeBodyRecord(record, bytes);
      if (!out.Write(bytes, sizeof bytes)) return false;
    }
    return true;
  });
}

}  // namespace zelor
