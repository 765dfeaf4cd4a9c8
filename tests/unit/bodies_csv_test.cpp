// zelor-bodies' CSV form of body files: what a good file gives, in either
// form and encoding, where a bad row is reported, names in code page 1252,
// and the way back to the bytes.
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
      {"too many fields", "A,1,0,0,0,0,#FFFFFF,x\n", 2, 8},
      {"a decimal comma, where several numbers could hold it", "A,1,5,0,0,0,0,#FFFFFF\n", 2, 0},
      {"a decimal comma, where one number alone can hold it", "A,1.5,1.5e11,-2e10,29800,-90,5,#FFFFFF\n", 2, 6},
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
      {"not UTF-8, so code page 1252, and 16 characters", "Stern \xC3 und Mond,1,0,0,0,0,#FFFFFF\n", 2, 1},
      {"UTF-8 with a broken sequence, which code page 1252 would garble", "\xC3\x84rger \xC3,1,0,0,0,0,#FFFFFF\n", 1, 0},
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
  const std::string start = "Zeile 1, Feld \xE2\x80\x9Emass_earth\xE2\x80\x9C: ";
  EXPECT_EQ(Describe(*parsed.error).substr(0, start.size()), start);
}

TEST(BodyCsvBadRows, ANumberInTheOtherFormIsNamedByRowAndField) {
  const std::string expected = "Zeile 3, Feld \xE2\x80\x9Emass_earth\xE2\x80\x9C: \xE2\x80\x9E";
  const struct {
    const char* what;
    std::string text;
    std::string number;
  } cases[] = {
      {"a decimal comma among commas", kHeader + "A,1,0,0,0,0,#FFFFFF\nB,1,5,1.5e11,-2e10,29800.5,-90.5,#FFFFFF\n",
       "1,5"},
      {"a decimal comma, quoted", kHeader + "A,1,0,0,0,0,#FFFFFF\nB,\"1,5\",0,0,0,0,#FFFFFF\n", "1,5"},
      {"a decimal point among semicolons",
       "name;mass_earth;x_m;y_m;speed_m_s;direction_deg;color\nA;1;0;0;0;0;#FFFFFF\nB;1.5;0;0;0;0;#FFFFFF\n", "1.5"},
  };
  const std::string german = "Name;Masse (Erdmassen); X (m) ;Y (m);Geschwindigkeit (m/s);Richtung (Grad);Farbe\n";
  const CsvBodies named = ParseBodyCsv(german + "A;1;0;0;0;0;#FFFFFF\nB;1.5;0;0;0;0;#FFFFFF\n");
  ASSERT_TRUE(named.error);
  const std::string field = "Zeile 3, Feld \xE2\x80\x9EMasse (Erdmassen)\xE2\x80\x9C: ";
  EXPECT_EQ(Describe(*named.error).substr(0, field.size()), field) << "German names are named as the file has them";
  for (const auto& c : cases) {
    const CsvBodies parsed = ParseBodyCsv(c.text);
    ASSERT_TRUE(parsed.error) << c.what;
    const std::string start = expected + c.number + "\xE2\x80\x9C ist keine Zahl";
    EXPECT_EQ(Describe(*parsed.error).substr(0, start.size()), start) << c.what;
  }
}

// What a German spreadsheet saves: semicolons, decimal commas, thousands
// grouped by dots, CR LF, and the names in code page 1252 or in UTF-8 after a
// byte-order mark.
TEST(BodyCsvSpreadsheet, GivesTheSameRecordsAsThePlainForm) {
  const std::string plain = kHeader + "Sonne,332946,0,0,0,0,#FFDC30\n"
                                      "Erdm\xC3\xA4nnchen,1.5,-150000000000,2.5e10,29800.25,-90,#3C8CFF\n"
                                      "\"Stra\xC3\x9F" "e; Nord\",0.001,1234567.5,0,-0.5,90,0x000000FF\n";
  const std::string rows = "name;mass_earth;x_m;y_m;speed_m_s;direction_deg;color\r\n"
                           "Sonne;332.946;0;0;0;0;#FFDC30\r\n"
                           "Erdm\xE4nnchen;1,5;-150.000.000.000;2,5E+10;29800,25;-90;#3C8CFF\r\n"
                           "\"Stra\xDF" "e; Nord\";0,001;1.234.567,5;0;-0,5;90;0x000000FF\r\n";
  std::string utf8 = "\xEF\xBB\xBF";
  for (char c : rows) {
    const auto byte = static_cast<unsigned char>(c);
    utf8 += byte < 0x80 ? std::string(1, c) : std::string{static_cast<char>(0xC0 | (byte >> 6)), static_cast<char>(0x80 | (byte & 0x3F))};
  }
  const CsvBodies expected = ParseBodyCsv(plain);
  ASSERT_FALSE(expected.error) << Describe(*expected.error);
  for (const std::string& text : {rows, utf8}) {
    const CsvBodies parsed = ParseBodyCsv(text);
    ASSERT_FALSE(parsed.error) << Describe(*parsed.error);
    EXPECT_EQ(EncodeRows(parsed.rows), EncodeRows(expected.rows));
  }
  EXPECT_EQ(expected.rows[1].record.Name, "Erdm\xC3\xA4nnchen");
  EXPECT_EQ(expected.rows[2].record.X, 1234567.5);
  // Dots that are no thousands groups are no number here.
  for (const char* bad : {"1.5", "1.23", "1.2345", ".5", "1.234.56", "1,234.5"}) {
    const CsvBodies parsed = ParseBodyCsv(std::string("name;mass_earth;x_m;y_m;speed_m_s;direction_deg;color\nA;") +
                                          bad + ";0;0;0;0;#FFFFFF\n");
    ASSERT_TRUE(parsed.error) << bad;
    EXPECT_EQ(parsed.error->column, 2) << bad;
  }
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
  rows.push_back({{"Semi;colon", 1234.5, 1e15, -1234567, 0.001, 1e-5, 0x00010203}, 0x00010203});
  const std::vector<unsigned char> bytes = EncodeRows(rows);
  for (CsvForm form : {CsvForm::Plain, CsvForm::Spreadsheet}) {
    const std::string csv = WriteBodyCsv(DecodeRows(bytes), form);
    const CsvBodies back = ParseBodyCsv(csv);
    ASSERT_FALSE(back.error) << Describe(*back.error) << "\n" << csv;
    EXPECT_EQ(EncodeRows(back.rows), bytes) << csv;
  }
  EXPECT_EQ(WriteBodyCsv({rows[5]}, CsvForm::Spreadsheet),
            "\xEF\xBB\xBFName;Masse (Erdmassen);X (m);Y (m);Geschwindigkeit (m/s);Richtung (Grad);Farbe\r\n"
            "\"Semi;colon\";1234,5;1e+15;-1234567;0,001;1e-05;#030201\r\n");
}

}  // namespace
}  // namespace zelor::bodies
