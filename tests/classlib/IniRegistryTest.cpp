// Ini files and the registry, in the test's own folder and Wine prefix.
#include <gtest/gtest.h>

#include "classlib/IniFiles.h"
#include "classlib/Registry.h"
#include "support/TestSupport.h"

namespace {


TEST(IniFile, TypedValuesRoundTrip) {
  testsupport::TempDir dir;
  {
    TIniFile ini(dir.File("a.ini"));
    ini.WriteString("Main", "Name", "Gr\xf6\xdf" "e mit = Zeichen");
    ini.WriteInteger("Main", "Count", -42);
    ini.WriteBool("Main", "On", true);
    ini.WriteBool("Main", "Off", false);
    ini.WriteString("Main", "Hex", "0x1F");
    ini.WriteString("Main", "BareHex", "0x");
    ini.WriteString("Main", "Word", "yes");
    ini.WriteString("Main", "Seven", "7");
  }
  EXPECT_NE(testsupport::ReadBytes(dir.File("a.ini")).find("On=1"), std::string::npos);
  TIniFile ini(dir.File("a.ini"));
  EXPECT_EQ(ini.ReadString("main", "name", ""), "Gr\xf6\xdf" "e mit = Zeichen");
  EXPECT_EQ(ini.ReadString("Main", "Missing", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadInteger("Main", "Count", 0), -42);
  EXPECT_EQ(ini.ReadInteger("Main", "Hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("Main", "BareHex", 5), 5);
  EXPECT_EQ(ini.ReadInteger("Main", "Word", 5), 5);
  EXPECT_TRUE(ini.ReadBool("Main", "On", false));
  EXPECT_FALSE(ini.ReadBool("Main", "Off", true));
  EXPECT_TRUE(ini.ReadBool("Main", "Seven", false));  // any non-zero integer
  EXPECT_TRUE(ini.ReadBool("Main", "Word", true));    // no integer: the default
  EXPECT_FALSE(ini.ReadBool("Main", "Word", false));
}

// Blanks at the ends of a default belong to it: a missing key gives it back exactly.
TEST(IniFile, AMissingKeyGivesTheDefaultExactlyAsPassed) {
  testsupport::TempDir dir;
  {
    TIniFile ini(dir.File("d.ini"));
    ini.WriteString("S", "present", "value");
  }
  for (const std::string& file : {dir.File("d.ini"), dir.File("none.ini")}) {
    TIniFile ini(file);
    for (const std::string value : {", ", ":  ", " | ", " ", "  both  ", "\tTab\t", "x\t ", "\"q\" ", "plain", ""}) {
      SCOPED_TRACE(file + ": \"" + value + "\"");
      EXPECT_EQ(ini.ReadString("S", "missing", value), value);
      EXPECT_EQ(ini.ReadString("No section", "missing", value), value);
    }
  }
  TIniFile ini(dir.File("d.ini"));
  EXPECT_EQ(ini.ReadString("S", "present", " | "), "value");
}

TEST(IniFile, LongValuesAreNotCut) {
  testsupport::TempDir dir;
  TIniFile ini(dir.File("long.ini"));
  const std::string value(3000, 'v');
  ini.WriteString("S", "Long", value);
  EXPECT_EQ(ini.ReadString("S", "Long", ""), value);
}

TEST(IniFile, SectionsKeysAndDeletion) {
  testsupport::TempDir dir;
  TIniFile ini(dir.File("s.ini"));
  ini.WriteString("One", "a", "1");
  ini.WriteString("One", "b", "2");
  ini.WriteString("Two", "c", "3");
  TStringList list;
  ini.ReadSections(list);
  EXPECT_EQ(list.GetCommaText(), "One,Two");
  ini.ReadSection("One", list);
  EXPECT_EQ(list.GetCommaText(), "a,b");
  ini.ReadSectionValues("One", list);
  EXPECT_EQ(list.GetCommaText(), "a=1,b=2");
  EXPECT_TRUE(ini.SectionExists("Two"));
  EXPECT_FALSE(ini.SectionExists("Three"));
  EXPECT_TRUE(ini.ValueExists("One", "B"));
  ini.DeleteKey("One", "a");
  EXPECT_FALSE(ini.ValueExists("One", "a"));
  ini.EraseSection("Two");
  ini.ReadSections(list);
  EXPECT_EQ(list.GetCommaText(), "One");
  for (int i = 0; i < 600; ++i) ini.WriteString("Many", "key" + IntToStr(i) + std::string(40, 'k'), "x");
  ini.ReadSection("Many", list);
  EXPECT_EQ(list.GetCount(), 600);  // longer than any first buffer
}

TEST(IniFile, RefusedWritesRaise) {
  testsupport::TempDir dir;
  TIniFile ini(dir.File("no\\such\\folder\\x.ini"));
  try {
    ini.WriteString("S", "k", "v");
    FAIL();
  } catch (const EWriteError& e) {
    EXPECT_EQ(e.GetMessage(), "Unable to write to " + dir.File("no\\such\\folder\\x.ini"));
  }
}

class RegistryTest : public ::testing::Test {
 protected:
  const std::string kBase = "\\Software\\KaptorixTests\\Registry" + IntToStr(GetCurrentProcessId());
  void TearDown() override {
    TRegistry cleanup;
    cleanup.DeleteKey(kBase);
  }
};

TEST_F(RegistryTest, ValuesRoundTripThroughOpenKeys) {
  TRegistry reg;
  EXPECT_EQ(reg.GetRootKey(), HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.OpenKey(kBase + "\\Type", false));
  ASSERT_TRUE(reg.OpenKey(kBase + "\\Type", true));
  reg.WriteString("", "Index Datei");
  reg.WriteString("Icon", "C:\\prog.exe,0");
  reg.WriteInteger("Size", 32);
  ASSERT_TRUE(reg.OpenKey("Shell\\Open\\Command", true));  // below the open key
  EXPECT_EQ(reg.GetCurrentPath(), kBase.substr(1) + "\\Type\\Shell\\Open\\Command");
  reg.WriteString("", "\"C:\\prog.exe\" \"%1\"");
  reg.CloseKey();

  TRegistry reader;
  ASSERT_TRUE(reader.OpenKeyReadOnly(kBase + "\\Type"));
  EXPECT_EQ(reader.ReadString(""), "Index Datei");
  EXPECT_EQ(reader.ReadString("Icon"), "C:\\prog.exe,0");
  EXPECT_EQ(reader.ReadString("Missing"), "");
  EXPECT_EQ(reader.ReadInteger("Size"), 32);
  EXPECT_TRUE(reader.ValueExists("Icon"));
  EXPECT_TRUE(reader.HasSubKeys());
  try {
    reader.ReadString("Size");
    FAIL();
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.GetMessage(), "Invalid data type for 'Size'");
  }
  EXPECT_THROW(reader.ReadInteger("Icon"), ERegistryException);
  EXPECT_THROW(reader.WriteString("New", "x"), ERegistryException);  // opened read-only
  TStringList names;
  reader.GetValueNames(names);
  names.Sort();
  EXPECT_EQ(names.GetCommaText(), ",Icon,Size");
  EXPECT_TRUE(reader.KeyExists("Shell\\Open"));
  EXPECT_TRUE(reader.KeyExists(kBase + "\\Type\\Shell"));
  EXPECT_FALSE(reader.KeyExists("Nothing"));
}

TEST_F(RegistryTest, DeleteKeyRemovesSubkeys) {
  TRegistry reg;
  ASSERT_TRUE(reg.CreateKey(kBase + "\\Verb\\command\\deeper"));
  ASSERT_TRUE(reg.OpenKey(kBase + "\\Verb\\command", false));
  reg.WriteString("", "cmd");
  reg.CloseKey();
  ASSERT_TRUE(reg.OpenKey(kBase, false));
  TStringList keys;
  reg.GetKeyNames(keys);
  EXPECT_EQ(keys.GetCommaText(), "Verb");
  EXPECT_TRUE(reg.DeleteKey("Verb"));
  EXPECT_FALSE(reg.KeyExists("Verb"));
  EXPECT_FALSE(reg.DeleteKey("Verb"));
  EXPECT_FALSE(reg.DeleteKey(""));  // never the open key itself
}

}  // namespace
