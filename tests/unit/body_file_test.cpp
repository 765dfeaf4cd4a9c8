#include "sim/body_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>

#include "fake_file_system.h"
#include "sim_test_support.h"

namespace zelor {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes Encode(const BodyRecord& record) {
  Bytes bytes(kBodyRecordSize);
  EncodeBodyRecord(record, bytes.data());
  return bytes;
}

TEST(BodyRecordLayout, FieldsArePackedLittleEndianAtTheirOffsets) {
  const Bytes bytes = Encode(MakeRecord("Sonne", 1.0, -2.0, 0.5, 0, 0, 0x00123456));
  ASSERT_EQ(bytes.size(), 59u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 15), "Sonne          ");
  // 1.0 is 0x3FF0000000000000, -2.0 is 0xC000000000000000, 0.5 is 0x3FE0000000000000.
  EXPECT_EQ(Bytes(bytes.begin() + 15, bytes.begin() + 23), (Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
  EXPECT_EQ(Bytes(bytes.begin() + 23, bytes.begin() + 31), (Bytes{0, 0, 0, 0, 0, 0, 0, 0xC0}));
  EXPECT_EQ(Bytes(bytes.begin() + 31, bytes.begin() + 39), (Bytes{0, 0, 0, 0, 0, 0, 0xE0, 0x3F}));
  EXPECT_EQ(Bytes(bytes.begin() + 55, bytes.end()), (Bytes{0x56, 0x34, 0x12, 0x00}));
}

TEST(BodyRecordLayout, EveryFieldSurvivesTheRoundTrip) {
  const BodyRecord record =
      MakeRecord("Jupiter        ", 317.8, 7.785e11, -1.25e10, 13060, -37.5, 0x0040A0FF);
  const BodyRecord back = DecodeBodyRecord(Encode(record).data());
  EXPECT_EQ(back.Name, record.Name);
  EXPECT_EQ(back.Mass, record.Mass);
  EXPECT_EQ(back.X, record.X);
  EXPECT_EQ(back.Y, record.Y);
  EXPECT_EQ(back.Speed, record.Speed);
  EXPECT_EQ(back.Direction, record.Direction);
  EXPECT_EQ(back.Color, record.Color);
}

TEST(BodyRecordName, AShortNameIsPaddedWithBlanksAndReadBackWithThem) {
  const Bytes bytes = Encode(MakeRecord("Mond", 0.0123, 0, 0, 0, 0));
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 15), "Mond           ");
  EXPECT_EQ(DecodeBodyRecord(bytes.data()).Name, "Mond           ");
}

TEST(BodyRecordName, ALongNameIsCutToFifteenCharacters) {
  const Bytes bytes = Encode(MakeRecord("Komet Hale-Bopp 1997", 0, 0, 0, 0, 0));
  EXPECT_EQ(DecodeBodyRecord(bytes.data()).Name, "Komet Hale-Bopp");
}

TEST(BodyRecordName, UmlautsTakeOneByteOfCodePage1252) {
  const Bytes bytes = Encode(MakeRecord("Körper", 0, 0, 0, 0, 0));
  EXPECT_EQ(bytes[1], 0xF6);
  EXPECT_EQ(bytes[6], ' ');
  EXPECT_EQ(DecodeBodyRecord(bytes.data()).Name, "Körper         ");
}

TEST(BodyRecordName, ACharacterOutsideTheCodePageBecomesAQuestionMark) {
  const Bytes bytes = Encode(MakeRecord("α Centauri", 0, 0, 0, 0, 0));
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 15), "? Centauri     ");
}

TEST(BodyRecordColor, ZeroInTheFileIsReadAsWhite) {
  Bytes bytes = Encode(MakeRecord("A", 1, 0, 0, 0, 0, 0x00112233));
  bytes[55] = bytes[56] = bytes[57] = bytes[58] = 0;
  EXPECT_EQ(DecodeBodyRecord(bytes.data()).Color, 0x00FFFFFF);
}

TEST(BodyRecordColor, WhiteIsWrittenAsZeroEvenWhenTheFileHeldItSpelledOut) {
  Bytes bytes = Encode(MakeRecord("A", 1, 0, 0, 0, 0, 0x00112233));
  bytes[55] = bytes[56] = bytes[57] = 0xFF;
  const BodyRecord read = DecodeBodyRecord(bytes.data());
  EXPECT_EQ(read.Color, kWhite);
  const Bytes written = Encode(read);
  EXPECT_EQ(Bytes(written.begin() + 55, written.end()), (Bytes{0, 0, 0, 0}));
}

TEST(BodyRecordColor, OtherColoursStayAsTheyAre) {
  EXPECT_EQ(DecodeBodyRecord(Encode(MakeRecord("A", 1, 0, 0, 0, 0, 0x000000FF)).data()).Color, 0x000000FF);
  EXPECT_EQ(DecodeBodyRecord(Encode(MakeRecord("A", 1, 0, 0, 0, 0, 0x00FFFFFE)).data()).Color, 0x00FFFFFE);
}

TEST(BodyFileRead, CountsOnlyWholeRecords) {
  const Bytes two = BodyFileBytes({MakeRecord("A", 1, 0, 0, 0, 0), MakeRecord("B", 2, 0, 0, 0, 0)});
  Bytes withTail = two;
  withTail.push_back(1);
  withTail.push_back(2);
  EXPECT_EQ(DecodeBodyRecords(Bytes()).size(), 0u);
  EXPECT_EQ(DecodeBodyRecords(Bytes(58, 'x')).size(), 0u);
  EXPECT_EQ(DecodeBodyRecords(two).size(), 2u);       // 118 bytes
  ASSERT_EQ(DecodeBodyRecords(withTail).size(), 2u);  // 120 bytes
  EXPECT_EQ(DecodeBodyRecords(withTail)[1].Mass, 2);
}

TEST(BodyFileRead, AMissingFileIsNotCreated) {
  FakeFileSystem files;
  EXPECT_FALSE(ReadBodyFile(files, "/data/none.zel", 10).has_value());
  EXPECT_FALSE(files.Exists("/data/none.zel"));
  EXPECT_EQ(files.Changes(), 0);
}

TEST(BodyFileRead, ReadsNoMoreThanTheRecordsAskedFor) {
  FakeFileSystem files;
  files.files["/data/big.zel"] = Bytes(100 * kBodyRecordSize, 0);
  const auto records = ReadBodyFile(files, "/data/big.zel", 7);
  ASSERT_TRUE(records.has_value());
  EXPECT_EQ(records->size(), 7u);
  EXPECT_EQ(files.lastReadLimit, 7 * kBodyRecordSize);
}

TEST(BodyFileWrite, ReplacesALongerFileByExactlyTheRecordsWritten) {
  FakeFileSystem files;
  files.files["/data/x.zel"] = Bytes(10 * kBodyRecordSize, 7);
  const std::vector<BodyRecord> three{MakeRecord("A", 1, 0, 0, 0, 0), MakeRecord("B", 2, 0, 0, 0, 0),
                                      MakeRecord("C", 3, 0, 0, 0, 0)};
  ASSERT_TRUE(WriteBodyFile(files, "/data/x.zel", three));
  EXPECT_EQ(files.files["/data/x.zel"], BodyFileBytes(three));
  EXPECT_EQ(files.files["/data/x.zel"].size(), 177u);
  EXPECT_EQ(files.files.size(), 1u);  // no temporary file left behind
}

TEST(BodyFileWrite, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  FakeFileSystem files;
  const Bytes old(10 * kBodyRecordSize, 7);
  files.files["/data/x.zel"] = old;
  files.failWriteAt = 2;
  EXPECT_FALSE(
      WriteBodyFile(files, "/data/x.zel", {MakeRecord("A", 1, 0, 0, 0, 0), MakeRecord("B", 2, 0, 0, 0, 0)}));
  EXPECT_EQ(files.files["/data/x.zel"], old);
  EXPECT_EQ(files.files.size(), 1u);
}

// The real file system, once: what is written is what is read.
TEST(BodyFileOnDisk, WrittenRecordsReadBackAndNothingElseIsLeft) {
  namespace fs = std::filesystem;
  const fs::path folder =
      fs::temp_directory_path() /
      ("zelor-body-file-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
  fs::create_directories(folder);
  const std::string path = (folder / "Test.zel").string();
  StdFileSystem files;
  const std::vector<BodyRecord> records{MakeRecord("Sonne", 332946, 0, 0, 0, 0, 0x0000FFFF),
                                        MakeRecord("Erde", 1, 1.496e11, 0, 29780, 90, 0x00FF8000)};
  ASSERT_TRUE(WriteBodyFile(files, path, records));
  const auto back = ReadBodyFile(files, path, 100);
  ASSERT_TRUE(back.has_value());
  ASSERT_EQ(back->size(), 2u);
  EXPECT_EQ((*back)[1].Name, "Erde           ");
  EXPECT_EQ((*back)[1].X, 1.496e11);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  fs::remove_all(folder);
}

// Every field distinct and non-zero, the expected bytes laid down by hand: a
// field read from or written to the wrong offset shows up as a mismatch.
TEST(BodyRecordLayout, EveryFieldSitsAtItsOffsetBothWays) {
  const std::uint32_t probe = 1;
  unsigned char first = 0;
  std::memcpy(&first, &probe, 1);
  if (first != 1) GTEST_SKIP() << "expected bytes are laid down in host order, which is not little-endian";
  const double mass = 317.8, x = -7.785e11, y = 1.25e-3, speed = 13060.5, direction = -37.25;
  const std::int32_t color = 0x00A1B2C3;
  Bytes expected(kBodyRecordSize);
  std::memcpy(expected.data(), "Io\xE4 Ceres 2 abc", 15);  // the name's last character cut off
  std::memcpy(&expected[15], &mass, 8);
  std::memcpy(&expected[23], &x, 8);
  std::memcpy(&expected[31], &y, 8);
  std::memcpy(&expected[39], &speed, 8);
  std::memcpy(&expected[47], &direction, 8);
  std::memcpy(&expected[55], &color, 4);
  EXPECT_EQ(Encode(MakeRecord("Io\u00E4 Ceres 2 abcd", mass, x, y, speed, direction, color)), expected);
  const BodyRecord back = DecodeBodyRecord(expected.data());
  EXPECT_EQ(back.Name, "Io\u00E4 Ceres 2 abc");
  EXPECT_EQ(back.Mass, mass);
  EXPECT_EQ(back.X, x);
  EXPECT_EQ(back.Y, y);
  EXPECT_EQ(back.Speed, speed);
  EXPECT_EQ(back.Direction, direction);
  EXPECT_EQ(back.Color, color);
}

// Windows reads an overlong UTF-8 form as broken; a name must not gain a
// letter, or a slash, that was never typed.
TEST(BodyRecordName, AnOverlongSpellingIsNotReadAsTheCharacter) {
  const Bytes bytes = Encode(MakeRecord("\xC1\x81|\xC0\xAF|\xE0\x83\xA4", 0, 0, 0, 0, 0));
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 15), "?|?|?          ");
}

}  // namespace
}  // namespace zelor
