// Run-time routines: formatting, conversions, text, file names, files, command line, dates.
#include <gtest/gtest.h>

#include "classlib/SysUtils.h"
#include "support/TestSupport.h"

namespace {

// Fixed separators, so the expectations do not depend on the machine's locale.
class FixedSeparators : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = FormatSettings();
    FormatSettings().DecimalSeparator = ',';
    FormatSettings().ThousandSeparator = '.';
  }
  void TearDown() override { FormatSettings() = saved; }
  TFormatSettings saved;
};

TEST(Format, DirectivesOfTheClassLibrary) {
  EXPECT_EQ(Format("List index out of bounds (%d)", 7), "List index out of bounds (7)");
  EXPECT_EQ(Format("Cannot open file \"%s\". %s", "C:\\a.txt", "Not found"),
            "Cannot open file \"C:\\a.txt\". Not found");
  EXPECT_EQ(Format("ControlOfs%.8X%.8X", 0x400000, 0x1F), "ControlOfs004000000000001F");
  EXPECT_EQ(Format("%x|%X|%.4x", 255, 255, 10), "FF|FF|000A");
  EXPECT_EQ(Format("%x", -1), "FFFFFFFF");
  EXPECT_EQ(Format("[%5d][%-5d][%.3d][%.3d]", 42, 42, 7, -7), "[   42][42   ][007][-007]");
  EXPECT_EQ(Format("[%6s][%-6s][%.2s]", "ab", "ab", "abcdef"), "[    ab][ab    ][ab]");
  EXPECT_EQ(Format("%*d|%.*s", 4, 1, 2, "xyz"), "   1|xy");
  EXPECT_EQ(Format("%1:s %0:s %s", "a", "b"), "b a b");
  EXPECT_EQ(Format("100%% %u", 5u), "100% 5");
  EXPECT_EQ(Format("%s", std::string("embedded\0nul", 12)), std::string("embedded\0nul", 12));
}

TEST(Format, MismatchedOrMissingArgumentsRaiseConvertErrors) {
  EXPECT_THROW(Format("%d", "text"), EConvertError);
  EXPECT_THROW(Format("%s", 3), EConvertError);
  EXPECT_THROW(Format("%d %d", 1), EConvertError);
  EXPECT_THROW(Format("%q", 1), EConvertError);
  try {
    Format("%s", 1);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.GetMessage(), "Format '%s' invalid or incompatible with argument");
  }
}

TEST_F(FixedSeparators, FloatFormatsUseTheSeparatorsOfTheSettings) {
  EXPECT_EQ(Format("%.2f", 3.14159), "3,14");
  EXPECT_EQ(Format("%n", 1234567.891), "1.234.567,89");
  EXPECT_EQ(FloatToStrF(1234567.891, ffNumber, 8, 3), "1.234.567,900");
  EXPECT_EQ(FloatToStrF(0.5, ffNumber, 8, 3), "0,500");
  EXPECT_EQ(FloatToStrF(-1234.5, ffNumber, 8, 3), "-1.234,500");
  EXPECT_EQ(FloatToStr(2.5), "2,5");
  EXPECT_EQ(FloatToStr(100), "100");
  EXPECT_EQ(FloatToStr(1e20), "1E20");
  EXPECT_EQ(FloatToStrF(1234.5, ffExponent, 4, 2), "1,235E+03");
  EXPECT_EQ(FormatFloat("#,##0.000", 1234.5), "1.234,500");
  EXPECT_EQ(FormatFloat("0.##", 2.5), "2,5");
  EXPECT_EQ(FormatFloat("0.00 \"KB\"", 12), "12,00 KB");
  EXPECT_EQ(FormatFloat("0.0;(0.0)", -3), "(3,0)");
  EXPECT_EQ(FormatFloat("000", 7), "007");
}

TEST_F(FixedSeparators, StrToFloatReadsTheUsersDecimalSeparator) {
  EXPECT_DOUBLE_EQ(StrToFloat(" 12,5 "), 12.5);
  EXPECT_DOUBLE_EQ(StrToFloat("-3"), -3);
  double value = 0;
  EXPECT_FALSE(TryStrToFloat("12.5", value));  // the other separator is no number here
  EXPECT_FALSE(TryStrToFloat("", value));
  EXPECT_FALSE(TryStrToFloat("1,2,3", value));
  EXPECT_FALSE(TryStrToFloat("inf", value));
  EXPECT_THROW(StrToFloat("abc"), EConvertError);
}

TEST(Integers, TextToIntegerAcceptsDecimalAndHexadecimal) {
  struct Case {
    const char* text;
    bool valid;
    int value;
  } cases[] = {
      {"42", true, 42},           {"  -17", true, -17},       {"+5", true, 5},
      {"$1F", true, 31},          {"0x1f", true, 31},         {"0X10", true, 16},
      {"2147483647", true, INT_MAX}, {"-2147483648", true, INT_MIN}, {"$FFFFFFFF", true, -1},
      {"2147483648", false, 0},   {"$100000000", false, 0},   {"", false, 0},
      {"12 ", false, 0},          {"0x", false, 0},           {"1a", false, 0},
      {"-", false, 0},
  };
  for (const Case& c : cases) {
    int value = 0;
    EXPECT_EQ(TryStrToInt(c.text, value), c.valid) << c.text;
    if (c.valid) {
      EXPECT_EQ(value, c.value) << c.text;
    }
    EXPECT_EQ(StrToIntDef(c.text, -99), c.valid ? c.value : -99) << c.text;
  }
  try {
    StrToInt("x1");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.GetMessage(), "'x1' is not a valid integer value");
  }
  EXPECT_EQ(StrToInt64("-9223372036854775808"), INT64_MIN);
  EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
}

TEST(Integers, IntegerToText) {
  EXPECT_EQ(IntToStr(-12345), "-12345");
  EXPECT_EQ(IntToStr(9000000000LL), "9000000000");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0x12345, 2), "12345");
  EXPECT_EQ(IntToHex(-2, 1), "FFFFFFFE");
}

TEST(Text, TrimmingAndCase) {
  EXPECT_EQ(Trim(std::string("\t \x01 ab c\r\n ")), "ab c");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(UpperCase("abc\xe4"), "ABC\xe4");  // only ASCII letters
  EXPECT_EQ(AnsiUpperCase("abc\xe4"), "ABC\xc4");
  EXPECT_EQ(AnsiLowerCase("\xd6X"), "\xf6x");
}

TEST(Text, Comparisons) {
  EXPECT_EQ(CompareText("abc", "ABC"), 0);
  EXPECT_LT(CompareText("abc", "abd"), 0);
  EXPECT_GT(CompareText("abcd", "ABC"), 0);
  EXPECT_LT(CompareText("a", "_"), 0);  // ordinal after upper-casing: 'A' < '_'
  EXPECT_LT(CompareStr("B", "a"), 0);
  EXPECT_TRUE(SameText("Hello", "hELLO"));
  EXPECT_EQ(AnsiCompareText("\xe4pfel", "\xc4PFEL"), 0);
  EXPECT_LT(AnsiCompareText("apfel", "birne"), 0);
  EXPECT_NE(AnsiCompareStr("a", "A"), 0);
}

TEST(Text, QuotingAndReplacing) {
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  std::string text = "\"a\"\"b\" rest";
  size_t pos = 0;
  EXPECT_EQ(AnsiExtractQuotedStr(text, pos, '"'), "a\"b");
  EXPECT_EQ(pos, 6u);
  EXPECT_EQ(StringReplace("aXbxc", "x", "-", rfReplaceAll), "aXb-c");
  EXPECT_EQ(StringReplace("aXbxc", "x", "-", rfReplaceAll | rfIgnoreCase), "a-b-c");
  EXPECT_EQ(StringReplace("aaa", "a", "b", 0), "baa");
  EXPECT_EQ(StringReplace("abc", "", "x", rfReplaceAll), "abc");
}

TEST(FileNames, SplittingPaths) {
  EXPECT_EQ(ExtractFileExt("C:\\dir.x\\file"), "");
  EXPECT_EQ(ExtractFileExt("file.tar.gz"), ".gz");
  EXPECT_EQ(ExtractFileDir("C:\\"), "C:\\");
  EXPECT_EQ(ExtractFileDir("C:\\a\\"), "C:\\a");
  EXPECT_EQ(ExtractFileDir("C:\\a\\b.txt"), "C:\\a");
  EXPECT_EQ(ExtractFileDir("\\\\server"), "\\\\");
  EXPECT_EQ(ExtractFilePath("C:\\a\\b.txt"), "C:\\a\\");
  EXPECT_EQ(ExtractFilePath("C:b.txt"), "C:");
  EXPECT_EQ(ExtractFileName("C:\\a\\b.txt"), "b.txt");
  EXPECT_EQ(ExtractFileName("C:b.txt"), "b.txt");
  EXPECT_EQ(ChangeFileExt("C:\\a.b\\c", ".txt"), "C:\\a.b\\c.txt");
  EXPECT_EQ(ChangeFileExt("c.tar.gz", ".zip"), "c.tar.zip");
  EXPECT_EQ(ChangeFileExt("c.txt", ""), "c");
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "\\");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\a\\"), "C:\\a\\");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\a\\"), "C:\\a");
  EXPECT_EQ(LastDelimiter("\\:", "C:\\a"), 3);
  EXPECT_EQ(LastDelimiter("/", "abc"), 0);
  EXPECT_TRUE(IsPathDelimiter("a\\b", 2));
  EXPECT_FALSE(IsPathDelimiter("a\\b", 4));
}

TEST(Files, ExistenceDeletionAndFolders) {
  testsupport::TempDir dir;
  const std::string file = dir.File("a.txt");
  EXPECT_FALSE(FileExists(file));
  testsupport::WriteBytes(file, "x");
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(dir.Path()));  // a folder is no file
  EXPECT_TRUE(DirectoryExists(dir.Path()));
  EXPECT_TRUE(RenameFile(file, dir.File("b.txt")));
  EXPECT_TRUE(DeleteFile(dir.File("b.txt")));
  EXPECT_FALSE(DeleteFile(dir.File("b.txt")));
  EXPECT_TRUE(ForceDirectories(dir.File("x\\y\\z")));
  EXPECT_TRUE(DirectoryExists(dir.File("x\\y\\z")));
  EXPECT_EQ(ExpandFileName(dir.File("x\\..\\q")), dir.File("q"));
}

TEST(Files, AgeAndDateOfAFile) {
  testsupport::TempDir dir;
  EXPECT_EQ(FileAge(dir.File("missing")), -1);
  testsupport::WriteBytes(dir.File("f"), "x");
  TDateTime written = FileDateToDateTime(FileAge(dir.File("f")));
  EXPECT_NEAR(written, Now(), 5.0 / 86400);  // DOS times have two-second steps
}

TEST(SystemErrors, MessageAndCode) {
  EXPECT_FALSE(SysErrorMessage(ERROR_FILE_NOT_FOUND).empty());
  EXPECT_NE(SysErrorMessage(ERROR_FILE_NOT_FOUND).back(), '.');
  try {
    RaiseLastOSError(ERROR_ACCESS_DENIED);
    FAIL();
  } catch (const EOSError& e) {
    EXPECT_EQ(e.GetErrorCode(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(e.GetMessage().rfind("System Error.  Code: 5.\r\n", 0), 0u);
  }
}

TEST(CommandLine, ParametersAreSplitAtBlanksAndQuotesGroup) {
  const std::string line = "prog.exe  \"C:\\My Files\\a.qcfg\" \"\" b\"c d\"e last";
  size_t pos = 0;
  EXPECT_EQ(GetParamStr(line, pos), "prog.exe");
  EXPECT_EQ(GetParamStr(line, pos), "C:\\My Files\\a.qcfg");
  EXPECT_EQ(GetParamStr(line, pos), "bc de");  // the empty pair is skipped
  EXPECT_EQ(GetParamStr(line, pos), "last");
  EXPECT_EQ(GetParamStr(line, pos), "");
  EXPECT_EQ(ExtractFileName(ParamStr(0)), "classlib_tests.exe");
  EXPECT_EQ(ParamStr(ParamCount() + 1), "");
}

TEST(DateTime, EncodingRoundTrips) {
  EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_DOUBLE_EQ(EncodeDate(2000, 1, 1), 36526);
  EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
  EXPECT_NO_THROW(EncodeDate(2024, 2, 29));
  int y, m, d, h, n, s, z;
  TDateTime value = EncodeDate(2024, 2, 29) + EncodeTime(23, 59, 58, 999);
  DecodeDate(value, y, m, d);
  DecodeTime(value, h, n, s, z);
  EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, z}), (std::vector<int>{2024, 2, 29, 23, 59, 58, 999}));
  SYSTEMTIME st = DateTimeToSystemTime(value);
  EXPECT_EQ(st.wDayOfWeek, 4);  // a Thursday
  EXPECT_DOUBLE_EQ(SystemTimeToDateTime(st), value);
  FILETIME ft;
  SystemTimeToFileTime(&st, &ft);
  EXPECT_NEAR(FileTimeToDateTime(ft), value, 1e-8);
}

TEST(DateTime, Formatting) {
  TFormatSettings saved = FormatSettings();
  FormatSettings().DateSeparator = '.';
  FormatSettings().TimeSeparator = ':';
  FormatSettings().ShortDateFormat = "dd/mm/yyyy";
  FormatSettings().LongTimeFormat = "hh:nn:ss";
  TDateTime value = EncodeDate(2024, 3, 5) + EncodeTime(7, 8, 9, 10);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", value), "2024-03-05 07:08:09.010");
  EXPECT_EQ(FormatDateTime("d/m/yy 'at' h", value), "5.3.24 at 7");
  EXPECT_EQ(DateTimeToStr(value), "05.03.2024 07:08:09");
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), "05.03.2024");
  FormatSettings() = saved;
}

TEST(DateTime, ParsingFollowsTheShortDateFormat) {
  TFormatSettings saved = FormatSettings();
  FormatSettings().DateSeparator = '.';
  FormatSettings().TimeSeparator = ':';
  FormatSettings().ShortDateFormat = "dd/mm/yyyy";
  EXPECT_DOUBLE_EQ(StrToDate("05.03.2024"), EncodeDate(2024, 3, 5));
  EXPECT_DOUBLE_EQ(StrToDate(" 5. 3.24"), EncodeDate(2024, 3, 5));
  EXPECT_DOUBLE_EQ(StrToDateTime("29.02.2024 13:45:10.5"),
                   EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 10, 5));
  EXPECT_DOUBLE_EQ(StrToTime("1:05 PM"), EncodeTime(13, 5, 0, 0));
  EXPECT_DOUBLE_EQ(StrToTime("12:00 AM"), 0);
  for (const char* timeFormat : {"hh:nn:ss", "h:nn:ss AM/PM"}) {
    FormatSettings().LongTimeFormat = timeFormat;
    const TDateTime value = EncodeDate(1999, 12, 31) + EncodeTime(18, 0, 7, 0);
    EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(value)), value) << DateTimeToStr(value);
  }
  EXPECT_EQ(FormatDateTime("h:nn am/pm", EncodeTime(0, 5, 0, 0)), "12:05 AM");
  FormatSettings().ShortDateFormat = "yyyy-mm-dd";
  FormatSettings().DateSeparator = '-';
  EXPECT_DOUBLE_EQ(StrToDate("2024-03-05"), EncodeDate(2024, 3, 5));
  FormatSettings().ShortDateFormat = "m/d/yy";
  FormatSettings().DateSeparator = '/';
  EXPECT_DOUBLE_EQ(StrToDate("3/5/2024"), EncodeDate(2024, 3, 5));
  for (const char* bad : {"", "30/2/2024", "1/2/3/4", "a/b", "13:61", "1/2/"}) {
    TDateTime value;
    EXPECT_FALSE(TryStrToDateTime(bad, value)) << bad;
  }
  try {
    StrToDate("x");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.GetMessage(), "'x' is not a valid date");
  }
  FormatSettings() = saved;
}

}  // namespace
