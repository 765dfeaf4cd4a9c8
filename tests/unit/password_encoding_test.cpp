#include "lock/encode_password.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "common/cp1252.h"

namespace zelor {
namespace {

// The stored form as code page 1252 bytes, which is how it is compared.
std::string Codes(const std::string& utf8) { return Utf8ToCp1252(utf8); }

TEST(PasswordEncoding, EmptyTextGivesEmptyText) { EXPECT_EQ(EncodePassword(""), ""); }

TEST(PasswordEncoding, KeepsTheNumberOfCharacters) {
  EXPECT_EQ(Codes(EncodePassword("a")).size(), 1u);
  EXPECT_EQ(Codes(EncodePassword("geheim")).size(), 6u);
  EXPECT_EQ(Codes(EncodePassword("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC")).size(), 7u);  // "Grüße €"
}

TEST(PasswordEncoding, FollowsTheArithmeticOnEveryCode) {
  EXPECT_EQ(Codes(EncodePassword("a")), std::string(1, static_cast<char>((97 * 9 + 13) % 256)));
  EXPECT_EQ(Codes(EncodePassword("\xC3\xBF")), std::string(1, static_cast<char>((255 * 9 + 13) % 256)));  // "ÿ"
  EXPECT_EQ(Codes(EncodePassword("\xE2\x82\xAC")), std::string(1, static_cast<char>((0x80 * 9 + 13) % 256)));  // "€"
}

TEST(PasswordEncoding, IsOneToOneOnAllCodes) {
  std::set<unsigned char> seen;
  for (int code = 0; code < 256; ++code) {
    const std::string encoded = Codes(EncodePassword(Cp1252ToUtf8(std::string(1, static_cast<char>(code)))));
    ASSERT_EQ(encoded.size(), 1u) << code;
    seen.insert(static_cast<unsigned char>(encoded[0]));
  }
  EXPECT_EQ(seen.size(), 256u);
}

TEST(PasswordEncoding, OnlyEscapeEncodesToNul) {
  for (int code = 0; code < 256; ++code) {
    const bool nul = EncodeCode(static_cast<unsigned char>(code)) == 0;
    EXPECT_EQ(nul, code == 27) << code;
  }
}

TEST(PasswordEncoding, EachCharacterDependsOnlyOnItsOwnPlace) {
  const std::string alone = Codes(EncodePassword("x"));
  const std::string inText = Codes(EncodePassword("abxcd"));
  ASSERT_EQ(inText.size(), 5u);
  EXPECT_EQ(inText[2], alone[0]);
  EXPECT_EQ(Codes(EncodePassword("aaa")), std::string(3, Codes(EncodePassword("a"))[0]));
}

TEST(PasswordEncoding, TellsCaseApart) { EXPECT_NE(EncodePassword("Geheim"), EncodePassword("geheim")); }

TEST(PasswordEncoding, CharactersOutsideTheCodePageEncodeLikeTheDefaultCharacter) {
  const std::string question = EncodePassword("?");
  EXPECT_EQ(EncodePassword("\xE2\x98\x83"), question);  // a snowman
  EXPECT_EQ(EncodePassword("\xF0\x9F\x98\x80"), question);  // an emoji, outside the 16-bit plane
  EXPECT_EQ(EncodePassword("\xC4\x81"), question);  // "ā": Latin, but not in 1252
}

// Broken UTF-8 becomes "?" byte by byte, and no sequence reaches past its
// own bytes or past the end of the text.
TEST(PasswordEncoding, BrokenUtf8BecomesQuestionMarksWithoutSwallowingTheRest) {
  EXPECT_EQ(Codes("\xC3\xA4"), "\xE4");
  EXPECT_EQ(Codes("\xF0\x9F\x98\x80\x80"), "??");  // an emoji, then a lone continuation byte
  EXPECT_EQ(Codes("\xC3" "A"), "?A");  // a lead byte whose continuation is missing
  EXPECT_EQ(Utf8ToCp1252(std::string_view("\xC3\xA4", 1)), "?");  // the text ends inside "ä"
}

TEST(PasswordEncoding, ResultIsValidUtf8ThatReadsBackToTheSameCodes) {
  for (int code = 0; code < 256; ++code) {
    const std::string text = Cp1252ToUtf8(std::string(1, static_cast<char>(code)));
    const std::string encoded = EncodePassword(text);
    EXPECT_EQ(Cp1252ToUtf8(Utf8ToCp1252(encoded)), encoded) << code;
  }
}

}  // namespace
}  // namespace zelor
