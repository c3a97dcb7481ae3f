#include "engine/u_WideFunc.h"

#include "HostCommands.h"
#include "support/TestSupport.h"
#include "ucode/UCodeClasses.h"
#include "ucode/UCodeSystem.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>

namespace {

std::wstring Wide(const std::string& ansi) { return StringToWideStringEx(ansi, 0); }

void Touch(const std::wstring& name, const std::string& bytes = std::string()) {
  HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

using hostcommands::RunHostCommand;
using hostcommands::UnixPath;

class WideFuncFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = Wide(m_temp.Path()) + L"\\";
    CreateDirectoryW((m_folder + L"b sub").c_str(), nullptr);
    CreateDirectoryW((m_folder + L"b sub\\deeper").c_str(), nullptr);
    Touch(m_folder + L"top.qcfg");
    Touch(m_folder + L"notes.txt", "12345");
    Touch(m_folder + L"b sub\\\u00e4\u65e5.qcfg");
    Touch(m_folder + L"b sub\\deeper\\x.txt");
    CreateDirectoryW((m_folder + L"folder.qcfg").c_str(), nullptr);
  }

  std::vector<std::wstring> Find(bool subfolders, const TWideStrArray& masks) {
    TUCodeStringList list;
    FindFilesW(subfolders, masks, list, m_folder.substr(0, m_folder.size() - 1));
    std::vector<std::wstring> names;
    for (int i = 0; i < list.GetCount(); ++i) names.push_back(list.Get(i).substr(m_folder.size()));
    return names;
  }

  testsupport::TempDir m_temp;
  std::wstring m_folder;
};

TEST_F(WideFuncFiles, ListsFilesByMaskInMaskOrder) {
  EXPECT_EQ(Find(false, {L"*.qcfg"}), (std::vector<std::wstring>{L"top.qcfg"}));
  std::vector<std::wstring> both = Find(false, {L"*.txt", L"*.qcfg"});
  EXPECT_EQ(both, (std::vector<std::wstring>{L"notes.txt", L"top.qcfg"}));
  EXPECT_TRUE(Find(false, {}).empty());
}

TEST_F(WideFuncFiles, ListsSubfoldersFirst) {
  std::vector<std::wstring> found = Find(true, {L"*.qcfg", L"*.txt"});
  ASSERT_EQ(found.size(), 4u);
  // Deepest first: each folder's subfolders come before its own files.
  EXPECT_EQ(found[0], L"b sub\\deeper\\x.txt");
  EXPECT_EQ(found[1], L"b sub\\\u00e4\u65e5.qcfg");
  EXPECT_EQ(std::vector<std::wstring>(found.begin() + 2, found.end()),
            (std::vector<std::wstring>{L"top.qcfg", L"notes.txt"}));
}

TEST_F(WideFuncFiles, DoesNotFollowALinkBackUp) {
  std::wstring unixFolder = UnixPath(m_folder + L"b sub");
  if (!unixFolder.empty()) RunHostCommand(L"/bin/ln -s .. \"" + unixFolder + L"/loop\"");
  // A Unix program runs on its own: give it a moment.
  DWORD attributes = INVALID_FILE_ATTRIBUTES;
  for (int wait = 0; wait < 40 && attributes == INVALID_FILE_ATTRIBUTES; ++wait, Sleep(50))
    attributes = GetFileAttributesW((m_folder + L"b sub\\loop").c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no way to make a link here";
  ASSERT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
  std::vector<std::wstring> found = Find(true, {L"*.qcfg"});
  RunHostCommand(L"/bin/rm \"" + unixFolder + L"/loop\"");
  for (int wait = 0; wait < 40 && GetFileAttributesW((m_folder + L"b sub\\loop").c_str()) != INVALID_FILE_ATTRIBUTES;
       ++wait)
    Sleep(50);
  EXPECT_EQ(found, (std::vector<std::wstring>{L"b sub\\\u00e4\u65e5.qcfg", L"top.qcfg"}));
}

TEST_F(WideFuncFiles, SizeAndFlags) {
  EXPECT_EQ(GetFileSizeW(m_folder + L"notes.txt"), 5);
  EXPECT_EQ(GetFileSizeW(m_folder + L"b sub\\\u00e4\u65e5.qcfg"), 0);
  EXPECT_EQ(GetFileSizeW(m_folder + L"missing.txt"), -1);
  EXPECT_EQ(GetFileSizeW(m_folder + L"*.txt"), -1);
  SetFileAttributesW((m_folder + L"notes.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  TDateiInfoW info;
  EXPECT_TRUE(GetFileInfoW(m_folder + L"notes.txt", info));
  EXPECT_EQ(info.size, 5);
  EXPECT_TRUE(info.readOnly);
  EXPECT_TRUE(info.hidden);
  EXPECT_FALSE(info.directory);
  EXPECT_FALSE(info.allFlags);
  SetFileAttributesW((m_folder + L"notes.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
  TDateiInfoW folder;
  GetFileInfoW(m_folder + L"b sub", folder);
  EXPECT_TRUE(folder.directory);
  EXPECT_FALSE(folder.readOnly);
}

TEST_F(WideFuncFiles, MissingFileReportsNoSizeAndEveryFlag) {
  TDateiInfoW info;
  EXPECT_TRUE(GetFileInfoW(m_folder + L"missing.txt", info));
  EXPECT_EQ(info.size, -1);
  EXPECT_TRUE(info.readOnly && info.hidden && info.system && info.volumeLabel && info.directory && info.archive);
  EXPECT_TRUE(info.allFlags);
  EXPECT_EQ(info.lastWriteTime, 0);
  EXPECT_EQ(info.executable, L"");
  EXPECT_EQ(GetFileIconHandle(m_folder + L"missing.txt"), nullptr);
}

TEST_F(WideFuncFiles, TimesInLocalStandardTime) {
  const std::wstring name = m_folder + L"notes.txt";
  // A winter date, so that local time is standard time.
  SYSTEMTIME utc{2020, 1, 0, 15, 12, 30, 0, 0};
  FILETIME stamp{};
  SystemTimeToFileTime(&utc, &stamp);
  HANDLE file = CreateFileW(name.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_TRUE(SetFileTime(file, &stamp, &stamp, &stamp));
  CloseHandle(file);
  FILETIME localStamp{};
  FileTimeToLocalFileTime(&stamp, &localStamp);
  SYSTEMTIME local{};
  FileTimeToSystemTime(&localStamp, &local);
  const double expected = EncodeDate(local.wYear, local.wMonth, local.wDay) +
                          EncodeTime(local.wHour, local.wMinute, local.wSecond, 0);
  TDateTime created = 0, accessed = 0, written = 0;
  ASSERT_TRUE(GetFileTimesW(name, created, accessed, written));
  EXPECT_NEAR(written, expected, 1e-6);
  EXPECT_NEAR(created, expected, 1e-6);
  EXPECT_FALSE(GetFileTimesW(m_folder + L"missing.txt", created, accessed, written));
}

}  // namespace
