#include "engine/u_WideFuncText.h"

#include "HostCommands.h"
#include "IconvVectors.h"
#include "classlib/Classes.h"
#include "support/TestSupport.h"
#include "ucode/UCodeSystem.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>
#include <sddl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::wstring FromUtf16LE(const std::string& bytes) {
  std::wstring text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                 static_cast<unsigned char>(bytes[i + 1]) << 8);
  return text;
}

const std::wstring kSample = FromUtf16LE(iconvvectors::kSampleUtf16LE);
const std::string kMark16LE("\xFF\xFE", 2), kMark16BE("\xFE\xFF", 2), kMark8("\xEF\xBB\xBF", 3);
const std::string kMark32LE("\xFF\xFE\x00\x00", 4), kMark32BE("\x00\x00\xFE\xFF", 4);

// Real files in a folder of the test's own; file names go to the system as wide text.
class TextFileTest : public ::testing::Test {
 protected:
  std::wstring Path(const std::wstring& name) const {
    return std::wstring(m_dir.Path().begin(), m_dir.Path().end()) + L"\\" + name;
  }
  std::string Read(const std::wstring& name) const {
    HANDLE file =
        CreateFileW(Path(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string bytes(file == INVALID_HANDLE_VALUE ? 0 : GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    return bytes;
  }
  std::wstring Write(const std::string& bytes, const std::wstring& name = L"in.txt") {
    HANDLE file = CreateFileW(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return Path(name);
  }
  // The names in the folder (or a folder in it), sorted: to see that no temporary file is left behind.
  std::vector<std::wstring> Names(const std::wstring& folder = L"") const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Path(folder.empty() ? L"*" : folder + L"\\*").c_str(), &found);
    do {
      if (found.cFileName[0] != L'.') names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
  }
  testsupport::TempDir m_dir;
};

TEST_F(TextFileTest, WritesWhatIconvWritesAndReadsItBack) {
  using namespace iconvvectors;
  const std::tuple<int, bool, std::string> cases[] = {
      {1200, true, kMark16LE + kSampleUtf16LE},  {1200, false, kSampleUtf16LE},
      {1201, true, kMark16BE + kSampleUtf16BE},  {1201, false, kSampleUtf16BE},
      {65005, true, kMark32LE + kSampleUtf32LE}, {65005, false, kSampleUtf32LE},
      {65006, true, kMark32BE + kSampleUtf32BE}, {65006, false, kSampleUtf32BE},
      {65001, true, kSampleUtf8},                {65002, false, kMark8 + kSampleUtf8},
  };
  for (const auto& [encoding, withBOM, expected] : cases) {
    SCOPED_TRACE(testing::Message() << encoding << " mark " << withBOM);
    ASSERT_TRUE(SaveTextFileW(kSample, Path(L"Grüße 漢.txt"), encoding, withBOM));
    EXPECT_EQ(Read(L"Grüße 漢.txt"), expected);
    // Without a mark only UTF-8 can be recognised.
    if (withBOM || encoding == 65001) {
      EXPECT_EQ(LoadTextFileW(Path(L"Grüße 漢.txt")), kSample);
    }
  }
}

TEST_F(TextFileTest, AnsiMatchesCodePage1252AndCountsWhatItCannotShow) {
  const std::wstring ansiText = FromUtf16LE(iconvvectors::kAnsiUtf16LE);
  TTextSaveReport report;
  ASSERT_TRUE(SaveTextFileW(ansiText, Path(L"ansi.txt"), 0, true, &report));
  EXPECT_EQ(Read(L"ansi.txt"), iconvvectors::kAnsiCp1252);
  EXPECT_EQ(report.ReplacedChars, 0);
  EXPECT_EQ(GetFileEncodingName(Path(L"ansi.txt")), L"ANSI");  // fails the UTF-8 test
  EXPECT_EQ(LoadTextFileW(Path(L"ansi.txt")), ansiText);

  // Two CJK characters, an astral one (counted once) and a letter the code page only approximates.
  ASSERT_TRUE(SaveTextFileW(L"Grüße 漢字 \U0001F600 \u0100nde", Path(L"lossy.txt"), 0, false, &report));
  EXPECT_EQ(report.ReplacedChars, 4);
  EXPECT_EQ(Read(L"lossy.txt").substr(0, 6), "Gr\xFC\xDF" "e ");
}

TEST_F(TextFileTest, DetectsMarksInOrderAndOtherwiseTheUtf8Test) {
  const std::pair<std::string, int> cases[] = {
      {"", 0}, {"\xFF", 0}, {"ab", 65001}, {"Gr\xC3\xBC\xC3\x9F" "e\r\n", 65001}, {"Gr\xFC\xDF" "e", 0},
      {"ab\xC3", 0}, {kMark8, 65002}, {"+/v8-A", 65000}, {"+/v9vIg-", 65000}, {"+/v+sAA-", 65000},
      {"+/v//OA-", 65000}, {"+/vA", 65001}, {kMark32LE + "A", 65005}, {kMark32LE, 65005},  // also UTF-16 "\0"
      {kMark32BE, 65006}, {kMark16LE, 1200}, {kMark16LE + "A", 1200}, {kMark16BE + "\x00" "A", 1201},
  };
  for (const auto& [bytes, encoding] : cases) EXPECT_EQ(DetectFileEncoding(Write(bytes)), encoding) << bytes;
  EXPECT_EQ(GetFileEncodingName(Write("ASCII only")), L"UTF-8");
  EXPECT_THROW(LoadTextFileW(Path(L"missing.txt")), EFOpenError);
}

// The UTF-8 test reads a file piece by piece: a sequence cut by the end of a piece is tested whole,
// and a file that ends inside one fails.
TEST_F(TextFileTest, Utf8TestOverPiecesOfALongFile) {
  const std::string filler(1 << 20, 'a');
  for (size_t cut = 1; cut <= 4; ++cut) {
    const std::string before = filler.substr(0, filler.size() - cut);
    EXPECT_EQ(DetectFileEncoding(Write(before + "\xF0\x9F\x98\x80 \xC3\xBC")), 65001) << cut;
    EXPECT_EQ(DetectFileEncoding(Write(before + "\xF0\x9F\x98" "a")), 0) << cut;
    EXPECT_EQ(DetectFileEncoding(Write(before + "\xE2\x82")), 0) << cut;
  }
  EXPECT_EQ(DetectFileEncoding(Write(filler + filler + "\xFC")), 0);
  EXPECT_EQ(DetectFileEncoding(Write(filler + "\x80" + filler)), 0);
  EXPECT_EQ(DetectFileEncoding(Write(kMark16LE + filler + "\xFC")), 1200);
}

// A file larger than the program could hold is told in the room of a piece of it, and to its end:
// a fresh process (the test's own, started again) tells a sparse file of 1.5 GB and measures its
// own peak memory.
TEST_F(TextFileTest, EncodingOfAHugeFileIsToldInBoundedMemory) {
  const std::wstring path = Path(L"huge.txt");
  auto sparse = [&path](const std::string& tail) { return testsupport::WriteLargeFile(path, 1536LL << 20, tail); };
  auto peakAbove = [](SIZE_T base) {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize > base ? counters.PeakWorkingSetSize - base : 0;
  };
  EXPECT_EXIT(
      {
        PROCESS_MEMORY_COUNTERS before{};
        GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
        const bool utf8 = sparse("Gr\xC3\xB6\xC3\x9F" "e") && GetFileEncodingName(path) == L"UTF-8";
        const bool ansi = sparse("Gr\xF6\xDF" "e") && GetFileEncodingName(path) == L"ANSI";
        const SIZE_T used = peakAbove(before.WorkingSetSize);
        std::fprintf(stderr, "utf8 %d ansi %d peak %lu KB above the start\n", utf8, ansi,
                     static_cast<unsigned long>(used / 1024));
        // The child ends without the fixture's clean-up, so it takes its file and folder along itself.
        DeleteFileW(path.c_str());
        RemoveDirectoryW(path.substr(0, path.rfind(L'\\')).c_str());
        std::exit(utf8 && ansi && used < 64u * 1024 * 1024 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(TextFileTest, ReadsShortRaggedAndOutOfRangeFiles) {
  const std::pair<std::string, std::wstring> cases[] = {
      {"", L""}, {"x", L"x"}, {kMark16LE + "A", L""}, {kMark16LE + std::string("A\0B", 3), L"A"},
      {kMark16BE + std::string("\0A\0\0\0B", 6), std::wstring(L"A\0B", 3)},
      {kMark32LE + std::string("A\0\0\0B\0\0", 7), L"A"},
      {kMark32BE + std::string("\x00\x01\xF6\x00\x00", 5), L"\U0001F600"},
      // Above U+10FFFF, a surrogate, the top bit set: no characters.
      {kMark32LE + std::string("\0\0\x11\0\0\xD8\0\0A\0\0\x80", 12), L"???"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(LoadTextFileW(Write(bytes)), text) << bytes;
}

TEST_F(TextFileTest, Utf7SignatureIsReadWhateverTheFirstCharacter) {
  // The base64 run of U+FEFF may end before the text or go on into it.
  const std::pair<std::string, std::wstring> files[] = {
      {"+/v8-A", L"A"}, {"+/v8 x", L" x"}, {"+/v8A5A-b", L"\u00E4b"}, {"+/v9vIg-", L"\u6F22"},
      {"+/v+sAA-", L"\uAC00"}, {"+/v//OA-", L"\uFF38"}, {"+/v8-+/v8-", L"\uFEFF"},
  };
  for (const auto& [bytes, text] : files) EXPECT_EQ(LoadTextFileW(Write(bytes)), text) << bytes;
  // Begun like the mark but no UTF-7: read as the text it is, by the UTF-8 test.
  const std::pair<std::string, std::wstring> plain[] = {
      {"+/v8-A\x80", L"+/v8-A\u20AC"}, {"+/v9 hello", L"+/v9 hello"}, {"+/v+ \xC3\xA4", L"+/v+ \u00E4"},
      {"+/v/\xE4", L"+/v/\u00E4"}, {"+/v8+\x01", L"+/v8+\x01"},
  };
  for (const auto& [bytes, text] : plain) EXPECT_EQ(LoadTextFileW(Write(bytes)), text) << bytes;

  for (const std::wstring text : {L"A", L" blank", L".\r\n", L"\u00E4\n", L"\u6F22", L"\uAC00\r", L"\uFF38",
                                  L"+plus", L"-minus", L"\U0001F600", L""}) {
    ASSERT_TRUE(SaveTextFileW(text, Path(L"utf7.txt"), 65000, true));
    EXPECT_EQ(LoadTextFileW(Path(L"utf7.txt")), text) << testing::PrintToString(text);
  }
  EXPECT_EQ(Read(L"utf7.txt"), "+/v8");
}

TEST_F(TextFileTest, Utf7WithoutSignatureComesBackAsItsAsciiForm) {
  ASSERT_TRUE(SaveTextFileW(L"\u00E4", Path(L"a.txt"), 65000, false));
  ASSERT_TRUE(SaveTextFileW(L"\u00E4", Path(L"b.txt"), 64999, true));
  for (const wchar_t* name : {L"a.txt", L"b.txt"}) {
    EXPECT_EQ(Read(name), "+AOQ");
    EXPECT_EQ(LoadTextFileW(Path(name)), L"+AOQ");
  }
}

TEST_F(TextFileTest, Utf8WithMarkKeepsWhatDecodesAndMarksEachBadSequence) {
  const std::pair<std::string, std::wstring> cases[] = {
      {"Gut \xC3x Ende", L"Gut \uFFFDx Ende"}, {"a\xFF\xFE\xFD" "b", L"a\uFFFD" "b"},
      {"\xE2\x82\xAC \xE2\x82", L"\u20AC \uFFFD"}, {"\x80" "A\x80", L"\uFFFD" "A\uFFFD"},
      {"\xF0\x9F\x98\x80 \xC3", L"\U0001F600 \uFFFD"},
  };
  for (const auto& [body, text] : cases) EXPECT_EQ(LoadTextFileW(Write(kMark8 + body)), text) << body;
}

TEST_F(TextFileTest, NoSaveDestroysTheOldFile) {
  std::wstring old = Write("keep me");
  TTextSaveReport report;
  EXPECT_FALSE(SaveTextFileW(L"new", old, 1252, true, &report));
  EXPECT_EQ(report.Failure, TTextSaveFailure::UnknownEncoding);

  ASSERT_TRUE(SetFileAttributesW(old.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_THROW(SaveTextFileW(L"new", old, 65001, false), EFCreateError);
  SetFileAttributesW(old.c_str(), FILE_ATTRIBUTE_NORMAL);

  HANDLE held = CreateFileW(old.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_THROW(SaveTextFileW(L"new", old, 65001, false), EFCreateError);
  CloseHandle(held);
  EXPECT_EQ(Read(L"in.txt"), "keep me");

  ASSERT_TRUE(CreateDirectoryW(Path(L"folder").c_str(), nullptr));
  EXPECT_THROW(SaveTextFileW(L"new", Path(L"folder"), 65001, false), EFCreateError);
  EXPECT_THROW(SaveTextFileW(L"new", Path(L"no folder\\x.txt"), 65001, false), EFCreateError);
  EXPECT_FALSE(SaveTextFileW(L"new", Path(L"fresh.txt"), -1, true));
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"folder", L"in.txt"}));

  ASSERT_TRUE(SaveTextFileW(L"new", old, 65001, true));  // a shorter text replaces the whole file
  EXPECT_EQ(Read(L"in.txt"), "new");
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"folder", L"in.txt"}));
}

TEST_F(TextFileTest, PictureNamesGetAPictureOrAReasonAndTheOldFileStays) {
  ASSERT_TRUE(SaveTextFileW(L"Index\r\nApfel 1", Path(L"index.txt.Bmp"), 12345, false));
  EXPECT_EQ(Read(L"index.txt.Bmp").substr(0, 2), "BM");
  ASSERT_TRUE(SaveTextFileW(L"Index", Path(L"index.JPEG"), 65001, true));
  EXPECT_EQ(Read(L"index.JPEG").substr(0, 3), "\xFF\xD8\xFF");

  ASSERT_TRUE(SaveTextFileW(L"Index", Path(L"index.Gif"), 65001, true));
  EXPECT_EQ(Read(L"index.Gif").substr(0, 6), "GIF87a");

  // A GIF taller than its 16-bit height field is refused and the old file stays as it was.
  std::wstring old = Write("old picture", L"tall.gif");
  std::wstring tall;
  for (int i = 0; i < 6000; ++i) tall += L"Apfel 1\r\n";
  TTextSaveReport report;
  EXPECT_FALSE(SaveTextFileW(tall, old, 65001, true, &report));
  EXPECT_EQ(report.Failure, TTextSaveFailure::Picture);
  EXPECT_EQ(report.Picture.Failure, TPictureFailure::TooLarge);
  EXPECT_EQ(Read(L"tall.gif"), "old picture");
  EXPECT_EQ(Names().size(), 4u);
}

TEST_F(TextFileTest, FactoryOutputEncodingWritesUtf8WithoutMark) {
  TOutputEncoding setting;
  EXPECT_FALSE(setting.SetEncoding(1252));
  ASSERT_TRUE(SaveTextFileW(L"\u00E4", Path(L"out.txt"), setting.GetEncoding(), setting.GetWithBOM()));
  EXPECT_EQ(Read(L"out.txt"), "\xC3\xA4");
  EXPECT_TRUE(setting.SetEncoding(65002));
  setting.SetWithBOM(false);
  ASSERT_TRUE(SaveTextFileW(L"\u00E4", Path(L"out.txt"), setting.GetEncoding(), setting.GetWithBOM()));
  EXPECT_EQ(Read(L"out.txt"), kMark8 + "\xC3\xA4");
}

class FakeWordImporter : public TWordDocumentReader {
 public:
  std::wstring ReadWordDocument(const std::wstring& FileName, int MaxPages) override {
    return FileName + L"|" + std::to_wstring(MaxPages);
  }
};

TEST_F(TextFileTest, WordDocumentsGoToTheInstalledImporter) {
  FakeWordImporter importer;
  EXPECT_EQ(SetWordDocumentReader(&importer), nullptr);
  EXPECT_EQ(LoadTextFileW(Path(L"Brief.DocX")), Path(L"Brief.DocX") + L"|-1");
  EXPECT_EQ(LoadTextFileW(Write("plain", L"brief.doc.txt")), L"plain");
  EXPECT_EQ(SetWordDocumentReader(nullptr), &importer);
}

TEST_F(TextFileTest, Utf32ReplacesWhatIsNoCharacter) {
  // A lone high surrogate becomes "?", a lone low one is dropped.
  ASSERT_TRUE(SaveTextFileW(L"A\xD83D" "B\xDE00" "C\xD83D", Path(L"u32.txt"), 65005, false));
  EXPECT_EQ(Read(L"u32.txt"), std::string("A\0\0\0?\0\0\0B\0\0\0C\0\0\0?\0\0\0", 20));
}

// ---- Saving over a file that has attributes and access rules of its own

// The access rules of a file as text (its DACL in the security descriptor language).
std::wstring AccessRules(const std::wstring& path) {
  DWORD size = 0;
  GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
  std::vector<unsigned char> descriptor(size);
  LPWSTR text = nullptr;
  if (size == 0 || !GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), size, &size) ||
      !ConvertSecurityDescriptorToStringSecurityDescriptorW(descriptor.data(), SDDL_REVISION_1,
                                                            DACL_SECURITY_INFORMATION, &text, nullptr))
    return L"";
  std::wstring rules = text;
  LocalFree(text);
  return rules;
}

// Rules that only the system and the user running the tests may use the file.
bool RestrictToThisUser(const std::wstring& path) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<unsigned char> user(size);
  LPWSTR sid = nullptr;
  const bool known = size > 0 && GetTokenInformation(token, TokenUser, user.data(), size, &size) &&
                     ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &sid);
  CloseHandle(token);
  if (!known) return false;
  const std::wstring rules = std::wstring(L"D:P(A;;FA;;;SY)(A;;FA;;;") + sid + L")";
  LocalFree(sid);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(rules.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
    return false;
  const bool set = SetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, descriptor) != 0;
  LocalFree(descriptor);
  return set;
}

TEST_F(TextFileTest, SavingOverAFileKeepsItsAttributesAndAccessRules) {
  const std::wstring hidden = Write("old text", L"hidden.txt");
  ASSERT_TRUE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  ASSERT_TRUE(SaveTextFileW(L"neu", hidden, 65001, false));
  EXPECT_EQ(Read(L"hidden.txt"), "neu");
  const DWORD attributes = GetFileAttributesW(hidden.c_str());
  EXPECT_EQ(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);

  const std::wstring secured = Write("old text", L"secured.txt");
  const std::wstring usual = AccessRules(Write("", L"usual.txt"));
  ASSERT_TRUE(RestrictToThisUser(secured));
  const std::wstring rules = AccessRules(secured);
  ASSERT_NE(rules, usual);  // the rules of its own are what the save must keep
  ASSERT_TRUE(SaveTextFileW(L"neu", secured, 65001, false));
  EXPECT_EQ(Read(L"secured.txt"), "neu");
  EXPECT_EQ(AccessRules(secured), rules);
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"hidden.txt", L"secured.txt", L"usual.txt"}));
}

TEST_F(TextFileTest, FilesBeyondMaxPathAreSavedReplacedAndRead) {
  const std::wstring inDir = Path(L"");  // with its backslash
  const std::wstring folder = testsupport::MakeLongFolder(inDir.substr(0, inDir.size() - 1), 290);
  const std::wstring name = folder + L"Index \u65e5.txt";
  ASSERT_TRUE(SaveTextFileW(L"Apfel 1", name, 65001, false));
  EXPECT_EQ(testsupport::ReadBytes(name), "Apfel 1");
  // Saving over it goes through the system's replace call, and keeps the file's attributes.
  ASSERT_TRUE(SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SaveTextFileW(L"Birne \u00e4", name, 65002, true));
  EXPECT_EQ(testsupport::ReadBytes(name), kMark8 + "Birne \xC3\xA4");
  EXPECT_NE(GetFileAttributesW(name.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
  // Read back by a name with "/", "." and "..".
  std::wstring detour = folder + L".\\..\\" + folder.substr(folder.rfind(L'\\', folder.size() - 2) + 1) +
                        L"Index \u65e5.txt";
  std::replace(detour.begin(), detour.end(), L'\\', L'/');
  EXPECT_EQ(LoadTextFileW(detour), L"Birne \u00e4");
  EXPECT_EQ(DetectFileEncoding(detour), 65002);
  // Nothing left beside it.
  EXPECT_EQ(Names(folder.substr(inDir.size(), folder.size() - inDir.size() - 1)),
            std::vector<std::wstring>{L"Index \u65e5.txt"});
}

// Under Wine, a folder that takes no new file while the files in it can still be written: the Unix
// immutable flag on the folder, set and cleared through the system's own chattr. Not locked
// elsewhere, or where the flag cannot be set.
class FolderWithoutNewFiles {
 public:
  explicit FolderWithoutNewFiles(const std::wstring& folder)
      : m_folder(folder), m_unixFolder(hostcommands::UnixPath(folder)) {
    if (!m_unixFolder.empty()) m_locked = Chattr(L"+i", false);
  }
  ~FolderWithoutNewFiles() {
    if (m_locked) Chattr(L"-i", true);
  }
  FolderWithoutNewFiles(const FolderWithoutNewFiles&) = delete;
  FolderWithoutNewFiles& operator=(const FolderWithoutNewFiles&) = delete;
  bool Locked() const { return m_locked; }

 private:
  // A probe left by an earlier attempt (made just before the flag took, then kept by it) is removed
  // first, so that it cannot stand for a refusal once the folder takes files again.
  bool NewFileAccepted() const {
    const std::wstring probe = m_folder + L"\\probe.tmp";
    DeleteFileW(probe.c_str());
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    DeleteFileW(probe.c_str());
    return true;
  }
  // True once the folder accepts new files as wanted; the Unix program is waited for by its effect.
  bool Chattr(const std::wstring& flag, bool accepting) {
    if (!hostcommands::RunHostCommand(L"/usr/bin/chattr " + flag + L" \"" + m_unixFolder + L"\"")) return false;
    for (int attempt = 0; attempt < 200; ++attempt) {
      if (NewFileAccepted() == accepting) return true;
      Sleep(25);
    }
    return false;
  }

  std::wstring m_folder;
  std::wstring m_unixFolder;
  bool m_locked = false;
};

TEST_F(TextFileTest, WhereNoNewFileCanBeMadeTheFileIsWrittenInPlace) {
  ASSERT_TRUE(CreateDirectoryW(Path(L"locked").c_str(), nullptr));
  const std::wstring target = Write("the old text, longer than the new", L"locked\\index.txt");
  ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN));
  {
    FolderWithoutNewFiles folder(Path(L"locked"));
    if (!folder.Locked()) GTEST_SKIP() << "no folder here refuses new files";
    ASSERT_TRUE(SaveTextFileW(L"neu", target, 65001, false));
    EXPECT_EQ(Read(L"locked\\index.txt"), "neu");
    const std::wstring longer(5000, L'x');
    ASSERT_TRUE(SaveTextFileW(longer, target, 65001, false));
    EXPECT_EQ(Read(L"locked\\index.txt"), std::string(5000, 'x'));
    EXPECT_NE(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    // Nothing to write in place: a new file is refused as before.
    EXPECT_THROW(SaveTextFileW(L"neu", Path(L"locked\\new.txt"), 65001, false), EFCreateError);
  }
  EXPECT_EQ(Names(L"locked"), std::vector<std::wstring>{L"index.txt"});
  SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(CodePointTest, PairsLoneSurrogatesAndPositions) {
  EXPECT_EQ(SurrogatePairToCodePoint(0xDBFF, 0xDFFF), 0x10FFFF);
  EXPECT_EQ(SurrogatePairToCodePoint(0xDE00, 0xD83D), 63);
  const std::wstring s = L"a\U0001F600\xDE00\xD83D";
  const std::tuple<int, int, int> cases[] = {  // index, code point, length (-1: untouched)
      {0, 63, -1}, {1, 'a', 1}, {2, 0x1F600, 2}, {3, 63, 1}, {4, 63, 1}, {5, 63, 1}, {6, 63, -1},
  };
  for (const auto& [index, codePoint, length] : cases) {
    int len = -1;
    EXPECT_EQ(CodePointAtLen(s, index, len), codePoint) << index;
    EXPECT_EQ(len, length) << index;
  }
  EXPECT_EQ(CodePointToWideStr(0x10000), L"\xD800\xDC00");
  EXPECT_EQ(CodePointToWideStr(0xFFFF), L"\xFFFF");
  for (int bad : {0xD800, 0xDFFF, 0x110000, -1}) EXPECT_EQ(CodePointToWideStr(bad), L"?") << bad;
}

}  // namespace
