// Our code page 1252 conversion against the platform's own (run under Wine):
// the core converts by itself, and must agree with what Windows programs read
// from and write to the same bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/cp1252.h"

namespace zelor {
namespace {

std::wstring PlatformRead(const std::string& bytes, UINT codePage) {
  std::wstring text(bytes.size() + 1, L'\0');
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                                    static_cast<int>(text.size()));
  text.resize(n > 0 ? n : 0);
  return text;
}

// Characters without a code become the default character rather than a
// look-alike: a name must not turn into another name.
std::string PlatformWrite(const std::wstring& text, UINT codePage) {
  std::string bytes(4 * text.size() + 1, '\0');
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int n = WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), bytes.data(),
                                    static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(n > 0 ? n : 0);
  return bytes;
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char two[4];
  for (unsigned char b : bytes) {
    wsprintfA(two, "%02X ", b);
    out += two;
  }
  return out;
}

TEST(Cp1252AsThePlatform, EveryByteReadsAsThePlatformReadsIt) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    // The five bytes 1252 leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D)
    // included: Windows reads them as the C1 controls of the same number.
    EXPECT_EQ(Cp1252ToUtf8(byte), PlatformWrite(PlatformRead(byte, 1252), CP_UTF8)) << "byte " << Hex(byte);
  }
}

TEST(Cp1252AsThePlatform, EveryByteIsWrittenBackAsItselfByBoth) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string text = Cp1252ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1252(text), all);
  EXPECT_EQ(PlatformWrite(PlatformRead(text, CP_UTF8), 1252), all);
}

TEST(Cp1252AsThePlatform, EveryOtherCharacterBecomesTheDefaultByteAsOnWindows) {
  int differences = 0;
  for (unsigned c = 1; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;  // halves of pairs, no characters
    const std::wstring one(1, static_cast<wchar_t>(c));
    const std::string expected = PlatformWrite(one, 1252);
    const std::string ours = Utf8ToCp1252(PlatformWrite(one, CP_UTF8));
    if (ours != expected && ++differences <= 10)
      ADD_FAILURE() << "U+" << std::hex << c << ": ours " << Hex(ours) << "platform " << Hex(expected);
  }
  EXPECT_EQ(differences, 0);
  // A character beyond the first plane is one default byte for us; Windows
  // writes one for each half of its UTF-16 pair. One is right for a name
  // counted in characters.
  EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");
  EXPECT_EQ(PlatformWrite(L"\U0001F600", 1252), "??");
}

// Squeezes runs of default bytes into one: where a broken sequence ends is
// a matter of taste, what the unbroken characters around it become is not.
std::string Squeezed(std::string bytes) {
  std::string out;
  for (char c : bytes)
    if (!(c == '?' && !out.empty() && out.back() == '?')) out += c;
  return out;
}

TEST(Cp1252AsThePlatform, BrokenUtf8BecomesDefaultBytesNeverAnotherCharacter) {
  // Bytes where sequences begin, end or go wrong; the second and third
  // bytes of every two- and three-byte string made of them, after every lead.
  const unsigned char edges[] = {0x00, 0x3F, 0x41, 0x7F, 0x80, 0x81, 0x8F, 0x90, 0x9F, 0xA0, 0xA4,
                                 0xBF, 0xC0, 0xC1, 0xC2, 0xC3, 0xDF, 0xE0, 0xE2, 0xED, 0xEF, 0xF0,
                                 0xF4, 0xF5, 0xF8, 0xFF};
  int checked = 0, differences = 0;
  for (int lead = 0x80; lead < 0x100; ++lead)
    for (unsigned char second : edges)
      for (int third = -1; third < static_cast<int>(sizeof edges); ++third) {
        std::string bytes{static_cast<char>(lead), static_cast<char>(second)};
        if (third >= 0) bytes += static_cast<char>(edges[third]);
        // Wine 8 reads a lead byte too near the end as one U+FFFD together
        // with whatever follows ("\xF0yz" too); Windows keeps the letters, as
        // we do. Three letters after the probe keep Wine's reading whole.
        bytes += "xyz";
        const std::string expected = Squeezed(PlatformWrite(PlatformRead(bytes, CP_UTF8), 1252));
        const std::string ours = Squeezed(Utf8ToCp1252(bytes));
        ++checked;
        if (ours != expected && ++differences <= 10)
          ADD_FAILURE() << Hex(bytes) << ": ours " << Hex(ours) << "platform " << Hex(expected);
      }
  EXPECT_EQ(differences, 0) << "of " << checked;
}

}  // namespace
}  // namespace zelor
