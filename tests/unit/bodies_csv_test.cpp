// zelor-bodies' CSV form of body files: what a good file gives, where a bad
// row is reported, names in code page 1252, and the way back to the bytes.
#include "body_csv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace zelor::bodies {
namespace {

const std::string kHeader = "name,mass_earth,x_m,y_m,speed_m_s,direction_deg,color\n";

TEST(BodyCsvGoodRows, GiveTheRecordsInFileOrder) {
  const CsvBodies parsed = ParseBodyCsv("\xEF\xBB\xBF" + kHeader +
                                        "Sonne,332946,0,0,0,0,#FFFFFF\r\n"
                                        "\"Erde, blau\", 1 ,\"1.5e11\",-2.5E+10,29800,+90,#3C8CFF\r\n"
                                        "\n"
                                        "Rot,0.5,-1,2,3,4,0x000000FF\n");
  ASSERT_FALSE(parsed.error) << Describe(*parsed.error);
  ASSERT_EQ(parsed.rows.size(), 3u);
  EXPECT_EQ(parsed.rows[0].record.Name, "Sonne");
  EXPECT_EQ(parsed.rows[0].record.Color, 0x00FFFFFF);
  EXPECT_EQ(parsed.rows[0].storedColor, 0) << "white is stored as 0";
  const BodyRecord& earth = parsed.rows[1].record;
  EXPECT_EQ(earth.Name, "Erde, blau");
  EXPECT_EQ(earth.Mass, 1.0);
  EXPECT_EQ(earth.X, 150000000000.0);
  EXPECT_EQ(earth.Y, -25000000000.0);
  EXPECT_EQ(earth.Speed, 29800.0);
  EXPECT_EQ(earth.Direction, 90.0);
  EXPECT_EQ(earth.Color, 0x00FF8C3C) << "#RRGGBB is stored as 0x00BBGGRR";
  EXPECT_EQ(parsed.rows[2].record.Color, 0x000000FF);
}

struct BadCsv {
  const char* what;
  std::string rows;  // after the header
  int line, column;
};

TEST(BodyCsvBadRows, NameTheirLineAndColumnAndGiveNoRows) {
  const BadCsv cases[] = {
      {"too few fields", "A,1,0,0,0,0,#FFFFFF\nB,1,0,0,0\n", 3, 6},
      {"too many fields", "A,1,0,0,0,0,#FFFFFF,x\n", 2, 7},
      {"a decimal comma", "A,1,5,0,0,0,0,#FFFFFF\n", 2, 7},
      {"a decimal comma, quoted", "A,\"1,5\",0,0,0,0,#FFFFFF\n", 2, 2},
      {"no number", "A,eins,0,0,0,0,#FFFFFF\n", 2, 2},
      {"a number with a tail", "A,1,0,2m,0,0,#FFFFFF\n", 2, 4},
      {"an empty number", "A,1,0,0,,0,#FFFFFF\n", 2, 5},
      {"not finite", "A,1,0,0,0,inf,#FFFFFF\n", 2, 6},
      {"not a number", "A,1,nan,0,0,0,#FFFFFF\n", 2, 3},
      {"a colour name", "A,1,0,0,0,0,red\n", 2, 7},
      {"a short colour", "A,1,0,0,0,0,#FFF\n", 2, 7},
      {"black, which is stored as white", "A,1,0,0,0,0,#000000\n", 2, 7},
      {"too many hex digits", "A,1,0,0,0,0,0x1000000FF\n", 2, 7},
      {"a quote never closed", "\"A,1,0,0,0,0,#FFFFFF\n", 2, 0},
      {"16 characters", "Sechzehn Zeichen,1,0,0,0,0,#FFFFFF\n", 2, 1},
      {"a character code page 1252 lacks", "Stern \xE2\x86\x92 A,1,0,0,0,0,#FFFFFF\n", 2, 1},
      {"broken UTF-8", "Stern \xC3,1,0,0,0,0,#FFFFFF\n", 2, 1},
      {"no bodies", "\n", 1, 0},
  };
  for (const BadCsv& c : cases) {
    const CsvBodies parsed = ParseBodyCsv(kHeader + c.rows);
    ASSERT_TRUE(parsed.error) << c.what;
    EXPECT_EQ(parsed.error->line, c.line) << c.what;
    EXPECT_EQ(parsed.error->column, c.column) << c.what;
    EXPECT_TRUE(parsed.rows.empty()) << c.what;
  }
}

TEST(BodyCsvBadRows, AWrongHeaderNamesTheColumnExpected) {
  const CsvBodies parsed = ParseBodyCsv("name,mass,x_m,y_m,speed_m_s,direction_deg,color\nA,1,0,0,0,0,#FFFFFF\n");
  ASSERT_TRUE(parsed.error);
  EXPECT_EQ(Describe(*parsed.error).substr(0, 31), "line 1, column 2 (mass_earth): ");
}

TEST(BodyCsvNames, FifteenCharactersOfCodePage1252FitWhateverTheirUtf8Length) {
  const std::string umlauts = "\xC3\x84\xC3\xB6\xC3\xBC\xC3\x9F\xE2\x82\xAC-Sternchen";  // Äöüß€-Sternchen
  const CsvBodies parsed = ParseBodyCsv(kHeader + umlauts + ",1,0,0,0,0,#FFFFFF\n");
  ASSERT_FALSE(parsed.error) << Describe(*parsed.error);
  unsigned char bytes[kBodyRecordSize];
  EncodeBodyRecord(parsed.rows[0].record, bytes);
  EXPECT_EQ(std::memcmp(bytes, "\xC4\xF6\xFC\xDF\x80-Sternchen", 15), 0);
  EXPECT_TRUE(NameProblem(umlauts + "e"));
}

TEST(BodyCsvRoundTrip, FileToCsvAndBackGivesTheSameBytes) {
  std::vector<BodyRow> rows(5);
  rows[0] = {{"Sonne", 332946, 0, 0, 0, 0, kWhite}, 0};
  rows[1] = {{"\"Quote\", comma", 1e-300, -0.0, 5e-324, 1.0 / 3, -90, 0x0080FF00}, 0x0080FF00};
  rows[2] = {{" Leading", 0.1, 1.5e11, -2.25e10, 29800.5, 269.999, kWhite}, kWhite};  // the other white
  rows[3] = {{"\xC3\x84quator\x01", 2, 3, 4, 5, 6, 0x12345678}, 0x12345678};      // a top byte, a control
  rows[4] = {{"Line\nbreak", -1, 1e308, -1e308, 0, 0, 0x00000001}, 0x00000001};
  const std::vector<unsigned char> bytes = EncodeRows(rows);
  const std::string csv = WriteBodyCsv(DecodeRows(bytes));
  const CsvBodies back = ParseBodyCsv(csv);
  ASSERT_FALSE(back.error) << Describe(*back.error) << "\n" << csv;
  EXPECT_EQ(EncodeRows(back.rows), bytes) << csv;
}

}  // namespace
}  // namespace zelor::bodies
