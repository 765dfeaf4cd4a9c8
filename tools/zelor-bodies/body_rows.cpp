#include "body_rows.h"

#include "common/safe_write.h"

namespace zelor::bodies {
namespace {

constexpr std::size_t kColorAt = 55;

}  // namespace

BodyRow RowOf(const BodyRecord& record) { return {record, StoredColorOf(record.Color)}; }

std::vector<BodyRow> DecodeRows(const std::vector<unsigned char>& bytes) {
  std::vector<BodyRow> rows;
  for (std::size_t at = 0; at + kBodyRecordSize <= bytes.size(); at += kBodyRecordSize) {
    const unsigned char* in = &bytes[at];
    std::uint32_t color = 0;
    for (int k = 0; k < 4; ++k) color |= static_cast<std::uint32_t>(in[kColorAt + k]) << (8 * k);
    rows.push_back({DecodeBodyRecord(in), static_cast<std::int32_t>(color)});
  }
  return rows;
}

std::vector<unsigned char> EncodeRows(const std::vector<BodyRow>& rows) {
  std::vector<unsigned char> bytes(rows.size() * kBodyRecordSize);
  for (std::size_t k = 0; k < rows.size(); ++k) {
    unsigned char* out = &bytes[k * kBodyRecordSize];
    EncodeBodyRecord(rows[k].record, out);
    const auto color = static_cast<std::uint32_t>(rows[k].storedColor);
    for (int b = 0; b < 4; ++b) out[kColorAt + b] = static_cast<unsigned char>(color >> (8 * b));
  }
  return bytes;
}

bool WriteBytesSafely(FileSystem& files, const std::string& path, const std::vector<unsigned char>& bytes) {
  return WriteFileSafely(files, path, [&](OutputFile& out) { return out.Write(bytes.data(), bytes.size()); });
}

}  // namespace zelor::bodies
