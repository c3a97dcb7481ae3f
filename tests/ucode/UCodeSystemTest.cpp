#include "ucode/UCodeSystem.h"
#include "ucode/UCodeSystemRep.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::wstring RandomUtf16(std::mt19937& random, size_t length) {
  // Weighted towards the interesting ranges: ASCII, Latin-1, BMP, and surrogates (paired and lone).
  std::uniform_int_distribution<int> kind(0, 5);
  std::wstring text;
  while (text.size() < length) {
    switch (kind(random)) {
      case 0: text += static_cast<wchar_t>(std::uniform_int_distribution<int>(0, 0x7F)(random)); break;
      case 1: text += static_cast<wchar_t>(std::uniform_int_distribution<int>(0x80, 0x7FF)(random)); break;
      case 2: text += static_cast<wchar_t>(std::uniform_int_distribution<int>(0x800, 0xFFFF)(random)); break;
      case 3: text += L"+-~\\ "; break;
      case 4:
        text += static_cast<wchar_t>(std::uniform_int_distribution<int>(0xD800, 0xDBFF)(random));
        text += static_cast<wchar_t>(std::uniform_int_distribution<int>(0xDC00, 0xDFFF)(random));
        break;
      default: text += static_cast<wchar_t>(std::uniform_int_distribution<int>(0xD800, 0xDFFF)(random)); break;
    }
  }
  return text;
}

struct Utf7Case {
  std::wstring text;
  std::string utf7;
};

TEST(Utf7, EncodesWithOptionalDirectCharactersAndShortRuns) {
  const Utf7Case cases[] = {
      {L"A+B", "A+-B"},
      {L"\u00e4", "+AOQ"},
      {L"\u00e4a", "+AOQ-a"},
      {L"\u00e4 ", "+AOQ "},
      {L"\u00e4-", "+AOQ--"},
      {L"A\u2262\u0391.", "A+ImIDkQ."},
      {L"Hi Mom -\u263a-!", "Hi Mom -+Jjo--!"},
      {L"\u65e5\u672c\u8a9e", "+ZeVnLIqe"},
      {L"a\\b~c", "a+AFw-b+AH4-c"},
      {L"!\"#$%&*;<=>@[]^_`{|}", "!\"#$%&*;<=>@[]^_`{|}"},
      {L"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WideStringToUTF7(c.text), c.utf7);
    EXPECT_EQ(UTF7ToWideString(c.utf7), c.text) << c.utf7;
  }
}

TEST(Utf7, DecodesOtherWellFormedSpellings) {
  EXPECT_EQ(UTF7ToWideString("+-"), L"+");
  EXPECT_EQ(UTF7ToWideString("+ZeVnLIqe-"), L"\u65e5\u672c\u8a9e");
  EXPECT_EQ(UTF7ToWideString("Hi Mom +Jjo-!"), L"Hi Mom \u263a!");
  // "~" and "\" written directly by other encoders are still read.
  EXPECT_EQ(UTF7ToWideString("a~b"), L"a~b");
}

TEST(Utf7, RejectsMalformedInput) {
  for (const char* bad : {"+", "abc+", "+AOR", "+A-", "+!", "x\xE4y", "+AOQ\xC3"}) {
    try {
      UTF7ToWideString(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const EUCodeGeneralError& error) {
      EXPECT_STREQ(error.what(), "Invalid UTF7");
    }
  }
}

TEST(Utf7, RoundTripsRandomUtf16) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::wstring text = RandomUtf16(random, round % 40);
    std::string utf7 = WideStringToUTF7(text);
    for (char byte : utf7) ASSERT_LT(static_cast<unsigned char>(byte), 0x80);
    ASSERT_EQ(UTF7ToWideString(utf7), text);
  }
}

TEST(Utf8, DecodesValidText) {
  EXPECT_EQ(UCodeUTF8Decode("\xC3\xA4"), L"\u00e4");
  EXPECT_EQ(UCodeUTF8Decode("\xE2\x82\xAC"), L"\u20ac");
  EXPECT_EQ(UCodeUTF8Decode("plain"), L"plain");
  // A character above U+FFFF becomes a surrogate pair.
  EXPECT_EQ(UCodeUTF8Decode("x\xF0\x9F\x98\x80y"), L"x\xD83D\xDE00y");
  // Older files hold a pair as two 3-byte sequences.
  EXPECT_EQ(UCodeUTF8Decode("\xED\xA0\xBD\xED\xB8\x80"), L"\xD83D\xDE00");
}

TEST(Utf8, TextThatDoesNotDecodeGivesEmptyText) {
  const char* bad[] = {
      "\xC3",                // truncated
      "ab\xE2\x82",          // truncated 3-byte
      "\xC3(",               // continuation missing
      "\xC0\x80",            // overlong NUL
      "\xE0\x80\xAF",        // overlong 3-byte
      "\xF0\x82\x82\xAC",    // overlong 4-byte
      "\xF4\x90\x80\x80",    // above U+10FFFF
      "\x80",                // stray continuation byte
      "Gr\xFC\xDF" "e",      // ANSI text
  };
  for (const char* bytes : bad) EXPECT_EQ(UCodeUTF8Decode(bytes), L"") << bytes;
}

// Byte by byte, as the rules say: a lead byte C2..DF, E0..EF or F0..F4 and its continuation
// bytes, no overlong form, nothing above U+10FFFF; empty for anything else.
std::wstring DecodeUtf8Plainly(const std::string& bytes) {
  std::wstring out;
  for (size_t i = 0; i < bytes.size();) {
    const unsigned lead = static_cast<unsigned char>(bytes[i]);
    const int length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                       : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
    if (length == 0 || i + length > bytes.size()) return L"";
    unsigned value = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (int k = 1; k < length; ++k) {
      const unsigned next = static_cast<unsigned char>(bytes[i + k]);
      if (next < 0x80 || next > 0xBF) return L"";
      value = value * 64 + (next - 0x80);
    }
    const unsigned smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < smallest[length] || value > 0x10FFFF) return L"";
    if (value > 0xFFFF) {
      out += static_cast<wchar_t>(0xD800 + (value - 0x10000) / 0x400);
      out += static_cast<wchar_t>(0xDC00 + (value - 0x10000) % 0x400);
    } else {
      out += static_cast<wchar_t>(value);
    }
    i += length;
  }
  return out;
}

// Texts of ASCII runs of every length, valid sequences of each length and now and then a byte
// that breaks them, decoded as the plain rules decode them, also into a buffer reused from
// text to text, and told apart from other bytes without decoding.
TEST(Utf8, DecodesRandomBytesAsThePlainRules) {
  std::mt19937 random(2026);
  const std::string pieces[] = {"a", "Haus ", "0123456789abcdefg", "\xC3\xA4", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                                "\xED\xA0\xBD", "\xEF\xBF\xBF", "\xF4\x8F\xBF\xBF", "\xC2\x80"};
  std::wstring reused;
  int valid = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string bytes;
    for (int n = random() % 24; n > 0; --n) bytes += pieces[random() % std::size(pieces)];
    if (round % 3 == 0 && !bytes.empty()) bytes[random() % bytes.size()] = static_cast<char>(random() % 256);
    if (round % 7 == 0) bytes = bytes.substr(0, bytes.size() - std::min<size_t>(bytes.size(), random() % 3));
    const std::wstring expected = DecodeUtf8Plainly(bytes);
    ASSERT_EQ(UCodeUTF8Decode(bytes), expected) << round;
    ASSERT_EQ(UCodeUTF8DecodeInto(bytes.data(), bytes.size(), reused), !expected.empty() || bytes.empty()) << round;
    ASSERT_EQ(reused, expected) << round;
    ASSERT_EQ(UCodeIsUTF8(bytes.data(), bytes.size()), !expected.empty() || bytes.empty()) << round;
    if (!expected.empty()) ++valid;
  }
  EXPECT_GT(valid, 1000);  // the rounds test valid text, not only the refusal
}

TEST(Utf8, EncodesPairsAsOneSequenceAndLoneSurrogatesAsReplacement) {
  EXPECT_EQ(UCodeUTF8Encode(L"\u00e4\u20ac"), "\xC3\xA4\xE2\x82\xAC");
  EXPECT_EQ(UCodeUTF8Encode(L"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(UCodeUTF8Encode(std::wstring(L"a\xD83D") + L"b"), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(UCodeUTF8Encode(L"\xDE00\xD83D"), "\xEF\xBF\xBD\xEF\xBF\xBD");
  std::mt19937 random(11);
  for (int round = 0; round < 300; ++round) {
    std::wstring text = RandomUtf16(random, round % 30);
    // What survives: pairs whole, each lone surrogate as U+FFFD.
    std::wstring expected;
    for (size_t i = 0; i < text.size(); ++i) {
      bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
      bool pair = high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
      if (pair) {
        expected += text.substr(i++, 2);
      } else {
        expected += text[i] >= 0xD800 && text[i] <= 0xDFFF ? L'\xFFFD' : text[i];
      }
    }
    ASSERT_EQ(UCodeUTF8Decode(UCodeUTF8Encode(text)), expected);
  }
}

TEST(CodePages, ConvertThroughThePlatformAndTheCodecs) {
  const std::wstring german = L"\u00c4rger \u00fcber Stra\u00dfe \u20ac";
  EXPECT_EQ(WideStringToStringEx(german, 1252), "\xC4rger \xFC" "ber Stra\xDF" "e \x80");
  EXPECT_EQ(StringToWideStringEx("\xC4rger \xFC" "ber Stra\xDF" "e \x80", 1252), german);
  EXPECT_EQ(StringToWideStringEx(WideStringToStringEx(german, 0), 0), german);  // ANSI here is 1252
  EXPECT_EQ(WideStringToStringEx(L"\u00e4", 65001), "\xC3\xA4");
  EXPECT_EQ(StringToWideStringEx("\xC3\xA4", 65001), L"\u00e4");
  EXPECT_EQ(WideStringToStringEx(L"\u00e4", 65000), "+AOQ");
  EXPECT_EQ(StringToWideStringEx("+AOQ", 65000), L"\u00e4");
  EXPECT_THROW(StringToWideStringEx("+", 65000), EUCodeGeneralError);
  EXPECT_EQ(StringToWideStringEx("", 1252), L"");
}

TEST(CodePages, CharacterWithoutMappingDoesNotSurvive) {
  std::string narrowed = WideStringToStringEx(L"a\u65e5b", 1252);
  ASSERT_EQ(narrowed.size(), 3u);
  EXPECT_EQ(narrowed[0], 'a');
  EXPECT_EQ(narrowed[2], 'b');
  EXPECT_NE(StringToWideStringEx(narrowed, 1252), L"a\u65e5b");
}

TEST(CodePages, LocaleAndKeyboard) {
  EXPECT_EQ(DefaultSystemCodePage(), GetACP());
  EXPECT_EQ(LCIDToCodePage(MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT)), 1252u);
  EXPECT_EQ(LCIDToCodePage(MAKELCID(MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT), SORT_DEFAULT)), 1251u);
  EXPECT_EQ(LCIDToCodePage(0x7777), DefaultSystemCodePage());
  EXPECT_NE(KeyboardCodePage(), 0u);
  EXPECT_EQ(KeyUnicode('A'), L'A');
  EXPECT_EQ(KeyUnicode(0x20AC), L'\x20AC');
}

TEST(ByteSwap, SwapsEveryUnitPastZeroUnits) {
  std::wstring text(L"\x4100\x0000\x4200\x0100", 4);
  StrSwapByteOrder(text);
  EXPECT_EQ(text, std::wstring(L"A\0B\x0001", 4));
  RepStrSwapByteOrder(text);
  EXPECT_EQ(text, std::wstring(L"\x4100\x0000\x4200\x0100", 4));
}

struct ParamCase {
  std::wstring commandLine;
  std::vector<std::wstring> parameters;
};

TEST(CommandLine, ParsesParametersOneByOne) {
  const ParamCase cases[] = {
      {L"prog.exe a b", {L"prog.exe", L"a", L"b"}},
      {L"\"C:\\Program Files\\k.exe\" \"C:\\My Texts\\a.txt\" x", {L"C:\\Program Files\\k.exe", L"C:\\My Texts\\a.txt", L"x"}},
      {L"p \"\" q", {L"p", L"q"}},
      {L"p   \t q", {L"p", L"q"}},
      {L"p a\"b c\"d", {L"p", L"ab cd"}},
      {L"p \"open", {L"p", L"open"}},
      {L"", {}},
  };
  for (const auto& c : cases) {
    size_t position = 0;
    std::vector<std::wstring> parsed;
    for (;;) {
      std::wstring parameter = WideGetParamStr(c.commandLine, position);
      if (parameter.empty()) break;
      parsed.push_back(parameter);
    }
    EXPECT_EQ(parsed, c.parameters);
  }
}

TEST(CommandLine, ProgramNameAndMissingParameters) {
  std::wstring program = WideParamStr(0);
  ASSERT_FALSE(program.empty());
  EXPECT_EQ(program.substr(program.size() - 4), L".exe");
  EXPECT_EQ(WideParamStr(1000), L"");
}

}  // namespace
