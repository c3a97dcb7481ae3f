#include "ucode/UCodeIniFiles.h"

#include "support/TestSupport.h"
#include "ucode/UCodeClasses.h"
#include "ucode/UCodeSysUtils.h"

#include <gtest/gtest.h>

namespace {

using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

std::wstring Wide(const std::string& ansi) { return StringToWideStringEx(ansi, 0); }
std::string Narrow(const std::wstring& wide) { return WideStringToStringEx(wide, 0); }

std::vector<std::wstring> Lines(const TWideStrings& list) {
  std::vector<std::wstring> lines;
  for (int i = 0; i < list.GetCount(); ++i) lines.push_back(list.Get(i));
  return lines;
}

std::string Utf16Le(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

// A file that holds only the UTF-16 LE mark: the profile functions then write wide text.
std::wstring NewWideFile(const TempDir& dir, const std::string& name) {
  WriteBytes(dir.File(name), "\xFF\xFE");
  return Wide(dir.File(name));
}

TEST(UCodeIniFile, ValuesWithBlanksAndQuotesReadBackAsWritten) {
  TempDir dir;
  const std::wstring file = NewWideFile(dir, "blanks.ini");
  const std::vector<std::wstring> values = {L", ",   L" ",       L":  ",  L" | ",   L" [",    L"]",
                                            L"\"x\"", L"'quoted'", L"a\"b",  L"\"",    L"  both  ",
                                            L"\tTab", L"plain",    L"",      L"x y z", L"'"};
  {
    TUCodeIniFile ini(file);
    for (size_t i = 0; i < values.size(); ++i) ini.WriteString(L"S", L"k" + std::to_wstring(i), values[i]);
  }
  TUCodeIniFile ini(file);
  for (size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(ini.ReadString(L"S", L"k" + std::to_wstring(i), L"default"), values[i]) << i;
  // Values that need no quotes are stored as they are, so files stay as older copies wrote them;
  // quoted ones are read by the same rule in those copies.
  const std::string bytes = ReadBytes(dir.File("blanks.ini"));
  EXPECT_NE(bytes.find(Utf16Le(L"k12=plain\r\n")), std::string::npos);
  EXPECT_NE(bytes.find(Utf16Le(L"k0=\", \"\r\n")), std::string::npos);
  EXPECT_NE(bytes.find(Utf16Le(L"k2=\":  \"\r\n")), std::string::npos);
}

// A key that is missing gives the default exactly as the caller passed it: blanks at its ends
// are part of a layout (", ", ":  ", " | "), not padding. The same on every platform, whether the
// key, its section or the whole file is missing.
TEST(UCodeIniFile, AMissingKeyGivesTheDefaultExactlyAsPassed) {
  const std::vector<std::wstring> defaults = {L", ",  L":  ",        L" | ",    L" ",    L"  both  ", L"\tTab\t",
                                              L"x\t ", L"\"quoted\" ", L"'", L"\x0416\x0430\x0440 ", L"plain", L""};
  TempDir dir;
  const std::wstring file = NewWideFile(dir, "some.ini");
  {
    TUCodeIniFile ini(file);
    ini.WriteString(L"S", L"present", L"value");
  }
  struct Restore {
    ~Restore() { Win32PlatformIsUnicode = true; }
  } restore;
  for (const bool unicode : {true, false}) {
    Win32PlatformIsUnicode = unicode;
    for (const std::wstring& at : {file, Wide(dir.File("no such file.ini"))}) {
      TUCodeIniFile ini(at);
      for (size_t i = 0; i < defaults.size(); ++i) {
        SCOPED_TRACE(testing::Message() << (unicode ? "wide, " : "8-bit, ") << Narrow(at) << ", default " << i);
        EXPECT_EQ(ini.ReadString(L"S", L"missing", defaults[i]), defaults[i]);
        EXPECT_EQ(ini.ReadString(L"No section", L"missing", defaults[i]), defaults[i]);
      }
    }
    // A key that is there, even with an empty value, is not missing.
    TUCodeIniFile ini(file);
    EXPECT_EQ(ini.ReadString(L"S", L"present", L" | "), L"value");
  }
}

TEST(UCodeIniFile, OldFilesReadAsTheProfileFunctionsReadThem) {
  TempDir dir;
  WriteBytes(dir.File("old.ini"),
             "[SD]\r\nzw=  spaced  \r\nne=\"in quotes\"\r\nv='single'\r\nn=0x1F\r\nm=0X\r\nt=abc\r\nb=7\r\n"
             "[Other]\r\nkeep=1\r\n");
  TUCodeIniFile ini(Wide(dir.File("old.ini")));
  EXPECT_EQ(ini.ReadString(L"SD", L"zw", L""), L"spaced");
  EXPECT_EQ(ini.ReadString(L"SD", L"ne", L""), L"in quotes");
  EXPECT_EQ(ini.ReadString(L"SD", L"v", L""), L"single");
  EXPECT_EQ(ini.ReadString(L"SD", L"missing", L"dflt"), L"dflt");
  EXPECT_EQ(ini.ReadInteger(L"SD", L"n", 5), 31);
  EXPECT_EQ(ini.ReadInteger(L"SD", L"m", 5), 5);
  EXPECT_EQ(ini.ReadInteger(L"SD", L"t", 5), 5);
  EXPECT_EQ(ini.ReadInteger(L"SD", L"missing", -3), -3);
  EXPECT_TRUE(ini.ReadBool(L"SD", L"b", false));
  EXPECT_FALSE(ini.ReadBool(L"SD", L"t", false));
  EXPECT_TRUE(ini.ReadBool(L"SD", L"missing", true));

  TUCodeStringList sections;
  ini.ReadSections(sections);
  EXPECT_EQ(Lines(sections), (std::vector<std::wstring>{L"SD", L"Other"}));
  TUCodeStringList values;
  ini.ReadSectionValues(L"Other", values);
  EXPECT_EQ(Lines(values), (std::vector<std::wstring>{L"keep=1"}));
}

TEST(UCodeIniFile, LongValuesAndLongSectionListsComeBackWhole) {
  TempDir dir;
  const std::wstring file = NewWideFile(dir, "long.ini");
  std::wstring longValue;
  for (int i = 0; i < 9000; ++i) longValue += static_cast<wchar_t>(L'a' + i % 26);
  longValue += L"\x20AC";  // a character outside the 8-bit range
  TUCodeIniFile ini(file);
  ini.WriteString(L"S", L"long", longValue);
  ini.WriteString(L"S", L"edge", std::wstring(2047, L'x'));
  ini.WriteString(L"S", L"edge2", std::wstring(2048, L'y'));
  std::vector<std::wstring> names;
  for (int i = 0; i < 600; ++i)
    names.push_back(L"Section_with_a_name_long_enough_to_pass_the_old_list_limit_" + std::to_wstring(i));
  for (const std::wstring& name : names) ini.WriteInteger(name, L"k", 1);
  EXPECT_EQ(ini.ReadString(L"S", L"long", L""), longValue);
  EXPECT_EQ(ini.ReadString(L"S", L"edge", L""), std::wstring(2047, L'x'));
  EXPECT_EQ(ini.ReadString(L"S", L"edge2", L""), std::wstring(2048, L'y'));

  TUCodeStringList sections;
  ini.ReadSections(sections);
  ASSERT_EQ(sections.GetCount(), 601);
  EXPECT_EQ(sections.Get(0), L"S");
  EXPECT_EQ(sections.Get(600), names.back());
  TUCodeStringList keys;
  ini.ReadSection(L"S", keys);
  EXPECT_EQ(Lines(keys), (std::vector<std::wstring>{L"long", L"edge", L"edge2"}));
}

TEST(UCodeIniFile, KeepsOtherKeysAndChangesOnlyWhatIsWritten) {
  TempDir dir;
  const std::wstring file = NewWideFile(dir, "keep.ini");
  TUCodeIniFile ini(file);
  ini.WriteString(L"A", L"one", L"1");
  ini.WriteString(L"A", L"two", L"2");
  ini.WriteString(L"B", L"three", L"3");
  ini.WriteString(L"A", L"one", L"eins");
  ini.DeleteKey(L"A", L"two");
  ini.DeleteKey(L"A", L"never there");
  TUCodeStringList values;
  ini.ReadSectionValues(L"A", values);
  EXPECT_EQ(Lines(values), (std::vector<std::wstring>{L"one=eins"}));
  ini.EraseSection(L"A");
  TUCodeStringList sections;
  ini.ReadSections(sections);
  EXPECT_EQ(Lines(sections), (std::vector<std::wstring>{L"B"}));
  ini.WriteBool(L"B", L"flag", true);
  ini.WriteInteger(L"B", L"neg", -42);
  ini.WriteFloat(L"B", L"f", 2.5);
  EXPECT_TRUE(ini.ReadBool(L"B", L"flag", false));
  EXPECT_EQ(ini.ReadString(L"B", L"flag", L""), L"1");
  EXPECT_EQ(ini.ReadInteger(L"B", L"neg", 0), -42);
  EXPECT_DOUBLE_EQ(ini.ReadFloat(L"B", L"f", 0), 2.5);
  EXPECT_DOUBLE_EQ(ini.ReadFloat(L"B", L"three", 7), 3);
  EXPECT_DOUBLE_EQ(ini.ReadFloat(L"B", L"missing", 7), 7);

  TMemoryStream bytes;
  const unsigned char data[] = {0x00, 0xFF, 0x10, 0xAB, 0x7F};
  bytes.WriteBuffer(data, sizeof data);
  ini.WriteBinaryStream(L"B", L"bin", bytes);
  EXPECT_EQ(ini.ReadString(L"B", L"bin", L""), L"00FF10AB7F");
  TMemoryStream back;
  EXPECT_EQ(ini.ReadBinaryStream(L"B", L"bin", back), 5);
  ASSERT_EQ(back.GetSize(), 5);
  unsigned char read[5] = {};
  back.SetPosition(0);
  back.ReadBuffer(read, 5);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(read), 5), std::string(reinterpret_cast<const char*>(data), 5));
}

TEST(UCodeIniFile, WideFileKeepsWideTextAndMark) {
  TempDir dir;
  const std::wstring file = NewWideFile(dir, "wide.ini");
  {
    TUCodeIniFile ini(file);
    ini.WriteString(L"PBED", L"edit_quelle", L"C:\\\x0391\x03A9\\\x4E2D.txt");
  }
  const std::string bytes = ReadBytes(dir.File("wide.ini"));
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_NE(bytes.find(Utf16Le(L"[PBED]")), std::string::npos);
  TUCodeIniFile ini(file);
  EXPECT_EQ(ini.ReadString(L"PBED", L"edit_quelle", L""), L"C:\\\x0391\x03A9\\\x4E2D.txt");
}

TEST(UCodeIniFile, EightBitPlatformsGoThroughTheCodePage) {
  TempDir dir;
  const std::wstring file = Wide(dir.File("ansi.ini"));
  Win32PlatformIsUnicode = false;
  struct Restore {
    ~Restore() { Win32PlatformIsUnicode = true; }
  } restore;
  {
    TUCodeIniFile ini(file);
    ini.WriteString(L"S", L"text", L"Gr\x00F6\x00DF" L"e \x0391");
    ini.WriteString(L"S", L"blank", L" | ");
    ini.WriteInteger(L"S", L"n", 12);
  }
  EXPECT_EQ(ReadBytes(dir.File("ansi.ini")), "[S]\r\ntext=Gr\xF6\xDF" "e ?\r\nblank=\" | \"\r\nn=12\r\n");
  TUCodeIniFile ini(file);
  EXPECT_EQ(ini.ReadString(L"S", L"text", L""), L"Gr\x00F6\x00DF" L"e ?");
  EXPECT_EQ(ini.ReadString(L"S", L"blank", L""), L" | ");
  EXPECT_EQ(ini.ReadInteger(L"S", L"n", 0), 12);
  TUCodeStringList keys;
  ini.ReadSection(L"S", keys);
  EXPECT_EQ(Lines(keys), (std::vector<std::wstring>{L"text", L"blank", L"n"}));
}

TEST(UCodeIniFile, RefusedWritesNameTheFile) {
  TempDir dir;
  const std::wstring file = Wide(dir.File("no such folder\\x.ini"));
  TUCodeIniFile ini(file);
  try {
    ini.WriteString(L"S", L"k", L"v");
    FAIL() << "no error";
  } catch (const EWriteError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + dir.File("no such folder\\x.ini"));
  }
  EXPECT_EQ(ini.ReadString(L"S", L"k", L"nothing"), L"nothing");
}

// Dates, times and numbers are written in the user's formats and read back by them; a value that
// does not convert gives the default. The formats here are a German user's.
TEST(UCodeIniFile, DatesTimesAndNumbersFollowTheUsersFormats) {
  TFormatSettings& settings = FormatSettings();
  const TFormatSettings kept = settings;
  settings.DateSeparator = '.';
  settings.DecimalSeparator = ',';
  settings.ShortDateFormat = "dd.mm.yyyy";
  settings.LongTimeFormat = "hh:nn:ss";
  TempDir dir;
  const std::wstring file = NewWideFile(dir, "dates.ini");
  const TDateTime day = EncodeDate(2026, 12, 7);
  const TDateTime time = EncodeTime(13, 45, 30, 0);
  {
    TUCodeIniFile ini(file);
    ini.WriteDate(L"D", L"date", day);
    ini.WriteTime(L"D", L"time", time);
    ini.WriteDateTime(L"D", L"both", day + time);
    ini.WriteFloat(L"D", L"float", -2.5);
    for (const wchar_t* bad : {L"bad date", L"bad time", L"bad float"}) ini.WriteString(L"D", bad, L"31.02.2026 x");
    ini.WriteString(L"D", L"empty", L"");
  }
  TUCodeIniFile ini(file);
  EXPECT_EQ(ini.ReadString(L"D", L"date", L""), L"07.12.2026");
  EXPECT_EQ(ini.ReadString(L"D", L"time", L""), L"13:45:30");
  EXPECT_EQ(ini.ReadString(L"D", L"both", L""), L"07.12.2026 13:45:30");
  EXPECT_EQ(ini.ReadString(L"D", L"float", L""), L"-2,5");
  EXPECT_DOUBLE_EQ(ini.ReadDate(L"D", L"date", 0), day);
  EXPECT_NEAR(ini.ReadTime(L"D", L"time", 0), time, 1e-9);
  EXPECT_NEAR(ini.ReadDateTime(L"D", L"both", 0), day + time, 1e-9);
  EXPECT_DOUBLE_EQ(ini.ReadFloat(L"D", L"float", 0), -2.5);
  // Not a value of the kind asked for, empty or missing: the default.
  EXPECT_DOUBLE_EQ(ini.ReadDate(L"D", L"bad date", 42), 42);
  EXPECT_DOUBLE_EQ(ini.ReadTime(L"D", L"bad time", 0.25), 0.25);
  EXPECT_DOUBLE_EQ(ini.ReadDateTime(L"D", L"bad date", 43), 43);
  EXPECT_DOUBLE_EQ(ini.ReadFloat(L"D", L"bad float", 1.5), 1.5);
  EXPECT_DOUBLE_EQ(ini.ReadDate(L"D", L"time", 44), 44);
  EXPECT_DOUBLE_EQ(ini.ReadDate(L"D", L"empty", 45), 45);
  EXPECT_DOUBLE_EQ(ini.ReadDateTime(L"D", L"missing", 46), 46);
  settings = kept;
}

// Only a failed conversion turns into the default: a file that cannot be read is still an error.
TEST(UCodeIniFile, TypedReadsPassOtherErrorsOn) {
  class TUnreadableIniFile : public TUCodeCustomIniFile {
   public:
    TUnreadableIniFile() : TUCodeCustomIniFile(L"unreadable") {}
    std::wstring ReadString(const std::wstring&, const std::wstring&, const std::wstring&) override {
      throw EReadError("cannot read");
    }
    void WriteString(const std::wstring&, const std::wstring&, const std::wstring&) override {}
    void ReadSection(const std::wstring&, TWideStrings&) override {}
    void ReadSections(TWideStrings&) override {}
    void ReadSectionValues(const std::wstring&, TWideStrings&) override {}
    void EraseSection(const std::wstring&) override {}
    void DeleteKey(const std::wstring&, const std::wstring&) override {}
    void UpdateFile() override {}
  } ini;
  EXPECT_THROW(ini.ReadDate(L"D", L"k", 1), EReadError);
  EXPECT_THROW(ini.ReadDateTime(L"D", L"k", 1), EReadError);
  EXPECT_THROW(ini.ReadTime(L"D", L"k", 1), EReadError);
  EXPECT_THROW(ini.ReadFloat(L"D", L"k", 1), EReadError);
}

}  // namespace
