#include "ucode/UCodeSysUtils.h"

#include "support/TestSupport.h"
#include "ucode/UCodeSystem.h"
#include "ucode/UCodeWindows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::wstring Wide(const std::string& ansi) { return StringToWideStringEx(ansi, 0); }

// Runs the Unicode layer as on a platform without wide system calls.
class AnsiPlatform {
 public:
  AnsiPlatform() : m_saved(Win32PlatformIsUnicode) { Win32PlatformIsUnicode = false; }
  ~AnsiPlatform() { Win32PlatformIsUnicode = m_saved; }

 private:
  bool m_saved;
};

struct PathCase {
  std::wstring path, filePath, fileDir, fileName, fileExt;
};

TEST(WidePaths, SplitAtBackslashAndColon) {
  const PathCase cases[] = {
      {L"C:\\dir\\file.txt", L"C:\\dir\\", L"C:\\dir", L"file.txt", L".txt"},
      {L"C:\\dir.x\\file", L"C:\\dir.x\\", L"C:\\dir.x", L"file", L""},
      {L"file.tar.gz", L"", L"", L"file.tar.gz", L".gz"},
      {L"C:\\", L"C:\\", L"C:\\", L"", L""},
      {L"C:\\a\\", L"C:\\a\\", L"C:\\a", L"", L""},
      {L"C:name.ini", L"C:", L"C:", L"name.ini", L".ini"},
      {L"\\\\server\\share\\x", L"\\\\server\\share\\", L"\\\\server\\share", L"x", L""},
      {L"\\a", L"\\", L"\\", L"a", L""},
      {L"", L"", L"", L"", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WideExtractFilePath(c.path), c.filePath) << c.path;
    EXPECT_EQ(WideExtractFileDir(c.path), c.fileDir) << c.path;
    EXPECT_EQ(WideExtractFileName(c.path), c.fileName) << c.path;
    EXPECT_EQ(WideExtractFileExt(c.path), c.fileExt) << c.path;
  }
}

TEST(WidePaths, DelimitersAndExtensions) {
  EXPECT_EQ(WideIncludeTrailingPathDelimiter(L""), L"\\");
  EXPECT_EQ(WideIncludeTrailingPathDelimiter(L"C:\\a"), L"C:\\a\\");
  EXPECT_EQ(WideIncludeTrailingBackslash(L"C:\\a\\"), L"C:\\a\\");
  EXPECT_FALSE(WideIsPathDelimiter(L"a\\b", 9));
  EXPECT_EQ(WideChangeFileExt(L"C:\\dir.x\\file", L".idx"), L"C:\\dir.x\\file.idx");
  EXPECT_EQ(WideChangeFileExt(L"a.txt", L".qcfg"), L"a.qcfg");
  EXPECT_EQ(WideChangeFileExt(L"a.txt", L""), L"a");
}

TEST(WideStrings, AdjustLineBreaksToEachStyle) {
  const std::wstring text = L"a\r\r\n\nb\x2028" L"c\r";
  EXPECT_EQ(WideAdjustLineBreaks(text, kLineBreakCRLF), L"a\r\n\r\n\r\nb\r\nc\r\n");
  EXPECT_EQ(WideAdjustLineBreaks(text, kLineBreakLF), L"a\n\n\nb\nc\n");
  EXPECT_EQ(WideAdjustLineBreaks(text, kLineBreakCR), L"a\r\r\rb\rc\r");
  for (int style : {kLineBreakLF, kLineBreakCRLF, kLineBreakCR})
    EXPECT_EQ(WideAdjustLineBreaksLength(text, style), WideAdjustLineBreaks(text, style).size());
  EXPECT_EQ(WideAdjustLineBreaks(L"\r\r\n\n", kLineBreakCRLF), L"\r\n\r\n\r\n");
}

TEST(WideStrings, CharacterClassesAndUpperCase) {
  EXPECT_EQ(WideUpperCase(L"stra\u00dfe \u00e4\u00f6\u00fc \u00e7"), L"STRA\u00dfE \u00c4\u00d6\u00dc \u00c7");
  EXPECT_EQ(WideUpperCase(std::wstring(L"a\0b", 3)), std::wstring(L"A\0B", 3));
  // Every unit as the system upper-cases it.
  std::wstring all(0xFFFF, L'\0');
  for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<wchar_t>(i + 1);
  std::wstring expected = all;
  CharUpperBuffW(expected.data(), static_cast<DWORD>(expected.size()));
  EXPECT_EQ(WideUpperCase(all), expected);
  for (wchar_t c : {L' ', L'\t', L'\x00a0', L'\x3000'}) EXPECT_TRUE(IsWideCharSpace(c)) << int(c);
  for (wchar_t c : {L'.', L',', L'!', L'\x00bf', L'-'}) EXPECT_TRUE(IsWideCharPunct(c)) << int(c);
  for (wchar_t c : {L'a', L'\x00e4', L'7', L'\x65e5'}) EXPECT_FALSE(IsWideWordDelimiter(c)) << int(c);
  EXPECT_TRUE(IsWideWordDelimiter(L'\0'));
  AnsiPlatform ansi;
  EXPECT_TRUE(IsWideCharSpace(L' '));
  EXPECT_TRUE(IsWideCharPunct(L';'));
  EXPECT_FALSE(IsWideWordDelimiter(L'\x00e4'));
}

// The whole-word rule itself is checked against a reference with the engine's replacement.
TEST(WideStrings, ReplaceByFlagsAndWholeWords) {
  EXPECT_EQ(WideStringReplace(L"an and an.", L"an", L"X", rfReplaceAll, true), L"X and X.");
  EXPECT_EQ(WideStringReplace(L"an and an", L"an", L"X", rfReplaceAll), L"X Xd X");
  EXPECT_EQ(WideStringReplace(L"An AN an", L"an", L"x", 0), L"An AN x");
  EXPECT_EQ(WideStringReplace(L"\u00c4rger \u00e4rger", L"\u00e4rger", L"-", rfReplaceAll | rfIgnoreCase), L"- -");
  // The character before a match that follows a replacement is the replacement's last one.
  EXPECT_EQ(WideStringReplace(L",a,a", L",a", L"b;", rfReplaceAll, true), L"b;b;");
  EXPECT_EQ(WideStringReplace(L",a,a", L",a", L"b", rfReplaceAll, true), L"b,a");
}

TEST(WideStrings, SystemMessages) {
  std::wstring text = WideSysErrorMessage(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(text.empty());
  EXPECT_NE(text.back(), L'\n');
  EXPECT_LE(text.size(), 256u);
  EXPECT_EQ(WideFormatSystemMessage(0x2FFFFFFF), L"Unspecified error (805306367) from system.");
  EXPECT_EQ(WideFormatSystemMessage(5, L"no-such-module.dll"), L"Unspecified error (5) from no-such-module.dll.");
  EXPECT_EQ(WideWin32Check(7), 7u);
  SetLastError(ERROR_ACCESS_DENIED);
  EXPECT_THROW(WideWin32Check(0), Exception);
}

// ---- Names handed to the system

// `start`, then folders of 99 characters, then a file name: `length` characters in all.
std::wstring NameOfLength(const std::wstring& start, size_t length) {
  std::wstring name = start;
  while (length - name.size() > 104) name += std::wstring(99, L'd') + L'\\';
  return name + std::wstring(length - name.size() - 4, L'f') + L".txt";
}

std::wstring WithSlashes(std::wstring name) {
  std::replace(name.begin(), name.end(), L'\\', L'/');
  return name;
}

TEST(WideSystemFileName, LongAbsoluteNamesGoInTheExtendedFormAllOthersAsTheyAre) {
  const std::wstring drive = NameOfLength(L"C:\\", 300);
  const std::wstring rest = drive.substr(3);  // the folders and the name without the drive
  const std::wstring share = L"\\\\server\\share\\" + rest;
  const std::wstring relative = NameOfLength(L"folder\\", 300);
  const std::wstring atLimit = NameOfLength(L"C:\\", MAX_PATH);
  const std::wstring belowLimit = NameOfLength(L"C:\\", MAX_PATH - 1);
  const std::wstring shareBelowLimit = NameOfLength(L"\\\\server\\share\\", MAX_PATH - 1);
  const struct {
    const char* what;
    std::wstring name, expected;
  } cases[] = {
      {"empty", L"", L""},
      {"short drive name", L"C:\\Texte\\Buch.txt", L"C:\\Texte\\Buch.txt"},
      {"short name with slashes and dots", L"C:/Texte/./alt/../Buch.txt", L"C:/Texte/./alt/../Buch.txt"},
      {"one below the limit", belowLimit, belowLimit},
      {"UNC one below the limit", shareBelowLimit, shareBelowLimit},
      {"at the limit", atLimit, L"\\\\?\\" + atLimit},
      {"one above the limit", NameOfLength(L"C:\\", MAX_PATH + 1), L"\\\\?\\" + NameOfLength(L"C:\\", MAX_PATH + 1)},
      {"long drive name", drive, L"\\\\?\\" + drive},
      {"long drive name with slashes", WithSlashes(drive), L"\\\\?\\" + drive},
      {"long drive name with . and ..", L"C:\\alt\\..\\.\\" + rest, L"\\\\?\\" + drive},
      {"doubled backslashes", L"C:\\\\" + rest, L"\\\\?\\" + drive},
      {"long name that .. makes short", L"C:\\" + std::wstring(150, L'a') + L"\\" + std::wstring(150, L'b') + L"\\..\\..\\Buch.txt",
       L"\\\\?\\C:\\Buch.txt"},
      {"long UNC name", share, L"\\\\?\\UNC\\server\\share\\" + rest},
      {"long UNC name with slashes", WithSlashes(share), L"\\\\?\\UNC\\server\\share\\" + rest},
      {"long relative name", relative, relative},
      {"long name relative to the parent", L"..\\" + relative, L"..\\" + relative},
      {"long name from the current drive's root", L"\\" + rest, L"\\" + rest},
      {"long name relative on a drive", L"C:" + rest, L"C:" + rest},
      {"already extended", L"\\\\?\\" + drive, L"\\\\?\\" + drive},
      {"already extended, with slashes kept", L"\\\\?\\C:\\alt/../" + rest, L"\\\\?\\C:\\alt/../" + rest},
      {"already extended UNC", L"\\\\?\\UNC\\server\\share\\" + rest, L"\\\\?\\UNC\\server\\share\\" + rest},
      {"device namespace", L"\\\\.\\" + drive, L"\\\\.\\" + drive},
  };
  for (const auto& c : cases) EXPECT_EQ(WideSystemFileName(c.name), c.expected) << c.what;
}

// A file beyond MAX_PATH through the layer's file routines, by its plain name and by one with "/",
// "." and "..", which the extended form leaves to the layer to resolve.
class LongFileNames : public ::testing::Test {
 protected:
  LongFileNames() : m_folder(testsupport::MakeLongFolder(Wide(m_temp.Path()), 290)), m_file(L"Stichw\u00f6rter \u65e5.txt") {}

  std::wstring Plain() const { return m_folder + m_file; }
  // "<parent>/./<last folder>/../<last folder>/<file>"
  std::wstring Detour() const {
    const std::wstring folder = m_folder.substr(0, m_folder.size() - 1);
    const size_t cut = folder.rfind(L'\\');
    const std::wstring last = folder.substr(cut + 1);
    return WithSlashes(folder.substr(0, cut)) + L"/./" + last + L"/../" + last + L"/" + m_file;
  }

  testsupport::TempDir m_temp;
  std::wstring m_folder;  // with its backslash
  std::wstring m_file;
};

TEST_F(LongFileNames, AreCreatedFoundOpenedAndDeleted) {
  ASSERT_GE(Plain().size(), 300u);
  HANDLE created = WideFileCreate(Detour());
  ASSERT_NE(created, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(created, "12345", 5, &written, nullptr));
  CloseHandle(created);
  EXPECT_EQ(testsupport::ReadBytes(Plain()), "12345");

  for (const std::wstring& name : {Plain(), Detour()}) {
    EXPECT_TRUE(WideFileExists(name));
    const DWORD attributes = WideFileGetAttr(name);
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    HANDLE reader = WideFileOpen(name, fmOpenRead | fmShareDenyWrite);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    char bytes[8] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(reader, bytes, sizeof(bytes), &read, nullptr));
    EXPECT_EQ(std::string(bytes, read), "12345");
    CloseHandle(reader);
  }
  const std::wstring folder = m_folder.substr(0, m_folder.size() - 1);
  EXPECT_FALSE(WideFileExists(folder));
  EXPECT_NE(WideFileGetAttr(folder) & FILE_ATTRIBUTE_DIRECTORY, 0u);

  TSearchRecW record;
  ASSERT_EQ(WideFindFirst(m_folder + L"*.txt", 0, record), 0);
  EXPECT_EQ(record.Name, m_file);
  EXPECT_EQ(record.Size, 5);
  EXPECT_EQ(WideFindNext(record), ERROR_NO_MORE_FILES);
  WideFindClose(record);

  EXPECT_TRUE(WideDeleteFile(Detour().c_str()));
  EXPECT_FALSE(WideFileExists(Plain()));
  EXPECT_EQ(WideFileGetAttr(Plain()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(WideFindFirst(m_folder + L"*.txt", 0, record), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(WideDeleteFile(Plain().c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(WideFileOpen(Plain(), fmOpenRead), INVALID_HANDLE_VALUE);
}

class WideFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = Wide(m_temp.Path()) + L"\\";
    testsupport::WriteBytes(m_temp.File("one.txt"), "12345");
    CreateDirectoryW((m_folder + L"sub.dir").c_str(), nullptr);
    HANDLE file = CreateFileW((m_folder + L"gr\u00fc\u00dfe \u65e5.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    CloseHandle(file);
  }

  std::vector<std::wstring> Search(const std::wstring& mask, int attributes) {
    std::vector<std::wstring> names;
    TSearchRecW record;
    for (int result = WideFindFirst(m_folder + mask, attributes, record); result == 0; result = WideFindNext(record))
      names.push_back(record.Name);
    WideFindClose(record);
    EXPECT_EQ(record.FindHandle, INVALID_HANDLE_VALUE);
    std::sort(names.begin(), names.end());
    return names;
  }

  testsupport::TempDir m_temp;
  std::wstring m_folder;
};

TEST_F(WideFiles, ExistenceByAttributes) {
  EXPECT_TRUE(WideFileExists(m_folder + L"one.txt"));
  EXPECT_TRUE(WideFileExists(m_folder + L"gr\u00fc\u00dfe \u65e5.txt"));
  EXPECT_FALSE(WideFileExists(m_folder + L"sub.dir"));
  EXPECT_FALSE(WideFileExists(m_folder + L"missing.txt"));
  EXPECT_FALSE(WideFileExists(m_folder + L"*.txt"));
  EXPECT_FALSE(WideFileExists(m_folder + L"one.tx?"));
  EXPECT_FALSE(WideFileExists(L""));
  EXPECT_EQ(WideFileGetAttr(m_folder + L"missing.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(WideFileGetAttr(m_folder + L"sub.dir") & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(WideFiles, SearchHidesAttributesNotAskedFor) {
  EXPECT_EQ(Search(L"*", 0), (std::vector<std::wstring>{L"one.txt"}));
  EXPECT_EQ(Search(L"*", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY),
            (std::vector<std::wstring>{L".", L"..", L"gr\u00fc\u00dfe \u65e5.txt", L"one.txt", L"sub.dir"}));
  TSearchRecW record;
  ASSERT_EQ(WideFindFirst(m_folder + L"one.txt", 0, record), 0);
  EXPECT_EQ(record.Size, 5);
  EXPECT_NE(record.Time, 0);
  WideFindClose(record);
  EXPECT_EQ(WideFindFirst(m_folder + L"none*", 0, record), ERROR_FILE_NOT_FOUND);
}

TEST_F(WideFiles, CreateReplacesAndOpenKeepsSharing) {
  const std::wstring name = m_folder + L"one.txt";
  HANDLE created = WideFileCreate(name);
  ASSERT_NE(created, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFileSize(created, nullptr), 0u);  // replaced
  EXPECT_EQ(WideFileOpen(name, fmOpenRead | fmShareDenyNone), INVALID_HANDLE_VALUE);  // not shared
  CloseHandle(created);
  HANDLE reader = WideFileOpen(name, fmOpenRead | fmShareDenyWrite);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(WideFileOpen(name, fmOpenWrite | fmShareDenyNone), INVALID_HANDLE_VALUE);
  CloseHandle(reader);
  EXPECT_EQ(WideFileOpen(m_folder + L"missing", fmOpenRead), INVALID_HANDLE_VALUE);
}

TEST_F(WideFiles, EightBitPlatformPath) {
  AnsiPlatform ansi;
  EXPECT_TRUE(WideFileExists(m_folder + L"one.txt"));
  EXPECT_FALSE(WideFileExists(m_folder + L"sub.dir"));
  EXPECT_EQ(Search(L"o*", 0), (std::vector<std::wstring>{L"one.txt"}));
  HANDLE created = WideFileCreate(m_folder + L"\u00fc.txt");
  ASSERT_NE(created, INVALID_HANDLE_VALUE);
  CloseHandle(created);
  Win32PlatformIsUnicode = true;
  EXPECT_TRUE(WideFileExists(m_folder + L"\u00fc.txt"));
  Win32PlatformIsUnicode = false;
  EXPECT_EQ(WideExpandFileName(m_folder + L"sub.dir\\..\\\u00fc.txt"), m_folder + L"\u00fc.txt");
  Win32PlatformIsUnicode = true;
  EXPECT_EQ(WideExpandFileName(m_folder + L"sub.dir\\..\\\u00fc.txt"), m_folder + L"\u00fc.txt");
  Win32PlatformIsUnicode = false;
  EXPECT_TRUE(WideDeleteFile((m_folder + L"\u00fc.txt").c_str()));
  EXPECT_FALSE(WideFileExists(m_folder + L"\u00fc.txt"));
  std::wstring module = WideGetModuleFileName(nullptr);
  EXPECT_EQ(WideExtractFileExt(module), L".exe");
  wchar_t small[4];
  EXPECT_GT(WideGetModuleFileNameW(nullptr, small, 4), 4u);
}

}  // namespace
