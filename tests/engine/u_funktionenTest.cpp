// The integer test that criteria and page labels are read with.
#include <gtest/gtest.h>

#include <string>

#include "engine/u_funktionen.h"

namespace {

TEST(IntegerTest, WideTextReadsLikeItsEightBitForm) {
  for (const wchar_t* yes : {L"-5", L"  12", L"$1F", L"2147483647"}) EXPECT_TRUE(IsIntegerStr(std::wstring(yes))) << yes;
  for (const wchar_t* no : {L"", L"12a", L"7 ", L"2147483648", L"xii", L"\uFF11", L"1\u0662"})
    EXPECT_FALSE(IsIntegerStr(std::wstring(no))) << no;
  EXPECT_TRUE(IsIntegerStr(std::string("-5")));
  EXPECT_EQ(IntegerValueOr(L"-12", 0), -12);
  EXPECT_EQ(IntegerValueOr(L"$FFFFFFFF", 0), -1);
  EXPECT_EQ(IntegerValueOr(L"x", 5), 5);
  EXPECT_EQ(IntegerValueOr(L"\u0131", 5), 5);
}

}  // namespace

#include "classlib/Registry.h"

namespace {

TEST(ColourTextTest, HtmlAndHexForms) {
  EXPECT_EQ(ColorToHtml(0x00336699), "#996633");
  EXPECT_EQ(ColorToHexStr(0x00FFFFFF), "FFFFFF");
  for (TColor c : {0x000000, 0x123456, 0xABCDEF, 0xFFFFFF}) {
    TColor back = -1;
    ASSERT_TRUE(HtmlToColor(ColorToHtml(c), back));
    EXPECT_EQ(back, c);
    ASSERT_TRUE(HexStrToColor(ColorToHexStr(c), back));
    EXPECT_EQ(back, c);
  }
  TColor color = 7;
  EXPECT_TRUE(HtmlToColor("abcdef", color));
  EXPECT_EQ(color, 0xEFCDAB);
  // Short or broken texts are reported and change nothing.
  color = 7;
  for (const char* bad : {"", "#", "#3", "#12345", "#1234567", "#GG0000", "12 456", "#FFFFFF "}) {
    EXPECT_FALSE(HtmlToColor(bad, color)) << bad;
    EXPECT_FALSE(HexStrToColor(bad, color)) << bad;
  }
  EXPECT_FALSE(HexStrToColor("#FFFFFF", color));
  EXPECT_EQ(color, 7);
}

TEST(FileListTextTest, SizesCompareAsNumbers) {
  EXPECT_LT(CompareSizeTexts("9.500 KB", "10.000 KB"), 0);
  EXPECT_GT(CompareSizeTexts("1,234.000 KB", "999.999 KB"), 0);
  EXPECT_EQ(CompareSizeTexts("2.000 KB", "2.000 KB"), 0);
  // A link's empty size is the smallest.
  EXPECT_LT(CompareSizeTexts("", "0.000 KB"), 0);
  EXPECT_EQ(CompareSizeTexts("", "x"), 0);
  double kb = 0;
  EXPECT_TRUE(ParseSizeKb("12,345,678.125 KB", kb));
  EXPECT_DOUBLE_EQ(kb, 12345678.125);
  EXPECT_FALSE(ParseSizeKb(" KB", kb));
}

TEST(FileListTextTest, CapitalizedLabels) {
  EXPECT_EQ(CapitalizeLabel(L"das haus am see"), L"Das Haus Am See");
  EXPECT_EQ(CapitalizeLabel(L"plan b"), L"Plan b");
  EXPECT_EQ(CapitalizeLabel(L"über öl"), L"Über Öl");
  EXPECT_EQ(CapitalizeLabel(L""), L"");
  EXPECT_EQ(CapitalizeLabel(L"a"), L"A");
}

TEST(FileTypeTest, RegisteringAndRemovingOnlyOwnKeys) {
  const std::vector<std::string> own = {"Kx Test Datei"};
  ASSERT_TRUE(RegisterFileExtension("kxtst", "Kx Test Datei", "Index Datei", "C:\\kx\\kaptorix.exe", "%1"));
  TRegistry registry;
  registry.SetRootKey(HKEY_CLASSES_ROOT);
  ASSERT_TRUE(registry.OpenKeyReadOnly("\\Kx Test Datei\\Shell\\Open\\Command"));
  EXPECT_EQ(registry.ReadString(""), "\"C:\\kx\\kaptorix.exe\" \"%1\"");
  registry.CloseKey();
  ASSERT_TRUE(registry.OpenKeyReadOnly("\\Kx Test Datei\\DefaultIcon"));
  EXPECT_EQ(registry.ReadString(""), "C:\\kx\\kaptorix.exe,0");
  registry.CloseKey();
  // Another program takes the extension over: its type and the extension stay.
  ASSERT_TRUE(RegisterFileExtension(".kxtst", "Other.Type", "Other", "C:\\other.exe", "%1"));
  EXPECT_TRUE(UnregisterFileExtension("kxtst", own));
  EXPECT_FALSE(registry.KeyExists("\\Kx Test Datei"));
  EXPECT_TRUE(registry.KeyExists("\\.kxtst"));
  EXPECT_TRUE(registry.KeyExists("\\Other.Type"));
  EXPECT_FALSE(UnregisterFileExtension("kxtst", own));
  // While it points to one of ours, the extension goes too.
  ASSERT_TRUE(RegisterFileExtension("kxtst", "Kx Test Datei", "Index Datei", "C:\\kx.exe", "%1"));
  EXPECT_TRUE(UnregisterFileExtension(".kxtst", own));
  EXPECT_FALSE(registry.KeyExists("\\.kxtst"));
  EXPECT_FALSE(registry.KeyExists("\\Kx Test Datei"));
  registry.DeleteKey("\\Other.Type");
}

}  // namespace

namespace {

TEST(FileTypeTest, ShellIconsAreRefreshedAndTheSizeKept) {
  TRegistry registry;
  registry.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKey("Control Panel\\Desktop\\WindowMetrics", true));
  const bool had = registry.ValueExists("Shell Icon Size");
  const std::string before = had ? registry.ReadString("Shell Icon Size") : std::string();
  registry.WriteString("Shell Icon Size", "32");
  EXPECT_TRUE(RefreshShellIcons());
  EXPECT_EQ(registry.ReadString("Shell Icon Size"), "32");
  // A size that is no number is reported, not raised.
  registry.WriteString("Shell Icon Size", "groß");
  EXPECT_FALSE(RefreshShellIcons());
  if (had) registry.WriteString("Shell Icon Size", before);
  else registry.DeleteValue("Shell Icon Size");
}

// What a memo is given: its longest line (lines end at CR LF only, as the memo's text has them),
// NULs replaced, and the reason a text is refused, in both languages.
TEST(MemoTextTest, LongestLineNulsAndTheReasonForARefusal) {
  struct Case {
    const wchar_t* text;
    size_t longest;
  };
  for (const Case& c : {Case{L"", 0}, Case{L"Haus", 4}, Case{L"ab\r\ncdef\r\n", 4}, Case{L"abc\r\n\r\nd", 3},
                        Case{L"\r\n\r\n", 0}, Case{L"ab\ncd\re", 7}}) {
    EXPECT_EQ(LongestLineLength(c.text), c.longest) << c.text;
  }
  std::wstring text(L"Garten\0Hof\0", 11);
  ReplaceNulCharacters(text);
  EXPECT_EQ(text, L"Garten\uFFFDHof\uFFFD");
  EXPECT_EQ(LineTooLongMessage(20000000, "de"),
            L"Der Text enth\u00E4lt eine Zeile von 20000000 Zeichen; ein Textfeld zeigt Zeilen von h\u00F6chstens "
            L"16777216 Zeichen.");
  EXPECT_EQ(LineTooLongMessage(20000000, "en"),
            L"The text holds a line of 20000000 characters; a text box shows lines of at most 16777216 characters.");
}

}  // namespace
