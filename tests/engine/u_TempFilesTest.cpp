// The process's temporary files: names of their own in the user's temporary folder, and only
// files the process made are deleted.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "classlib/SysUtils.h"
#include "engine/u_TempFiles.h"

namespace {

bool Exists(const std::wstring& name) { return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring UserTempFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, buffer);
  return buffer;
}

void Write(const std::wstring& name, const char* bytes) {
  HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes, static_cast<DWORD>(strlen(bytes)), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

TEST(TempFiles, EachKindHasOneNameOfItsOwnInTheUsersTemporaryFolder) {
  const std::wstring index = TempFileName(TTempFile::IndexHandOver);
  const std::wstring preview = TempFileName(TTempFile::Preview);
  const std::wstring configuration = TempFileName(TTempFile::Configuration);
  EXPECT_EQ(index.rfind(UserTempFolder(), 0), 0u) << "index file outside the temporary folder";
  EXPECT_EQ(preview.rfind(UserTempFolder(), 0), 0u);
  EXPECT_EQ(configuration.rfind(UserTempFolder(), 0), 0u);
  EXPECT_NE(index, preview);
  EXPECT_NE(configuration, index);
  EXPECT_NE(configuration, preview);
  EXPECT_EQ(index.substr(index.size() - 4), L".idx");
  EXPECT_EQ(preview.substr(preview.size() - 5), L".html");
  EXPECT_EQ(configuration.substr(configuration.size() - 5), L".qcfg");
  EXPECT_EQ(TempFileName(TTempFile::IndexHandOver), index) << "a second call names the same file";
  // The name is taken at once, so no other program or running copy can get it.
  EXPECT_TRUE(Exists(index));
  EXPECT_TRUE(Exists(preview));

  Write(index, "A:1>-\r\n");
  DeleteTempFiles();
  EXPECT_FALSE(Exists(index));
  EXPECT_FALSE(Exists(preview));
  EXPECT_FALSE(Exists(configuration));
}

TEST(TempFiles, DeletingTouchesOnlyFilesThisProcessMade) {
  // A file of the user's that happens to bear the name the process would try first.
  const std::wstring first = UserTempFolder() + L"Kaptorix-" + std::to_wstring(GetCurrentProcessId()) + L"-0-index.idx";
  Write(first, "the user's own file");
  const std::wstring ours = TempFileName(TTempFile::IndexHandOver);
  EXPECT_NE(ours, first);
  DeleteTempFile(TTempFile::IndexHandOver);
  EXPECT_FALSE(Exists(ours));
  EXPECT_TRUE(Exists(first)) << "a file the process did not make was deleted";
  // Deleting twice, or a kind never asked for, does nothing.
  DeleteTempFile(TTempFile::IndexHandOver);
  DeleteTempFile(TTempFile::Preview);
  EXPECT_TRUE(Exists(first));
  DeleteFileW(first.c_str());
  // After a delete the kind gets a fresh file.
  const std::wstring next = TempFileName(TTempFile::IndexHandOver);
  EXPECT_TRUE(Exists(next));
  DeleteTempFiles();
  EXPECT_FALSE(Exists(next));
}

TEST(TempFiles, AFileThatCannotBeDeletedIsReportedAndKeptForLater) {
  const std::wstring index = TempFileName(TTempFile::IndexHandOver);
  const std::wstring preview = TempFileName(TTempFile::Preview);
  HANDLE held = CreateFileW(index.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_THROW(DeleteTempFiles(), EOSError);
  EXPECT_FALSE(Exists(preview)) << "the other file is deleted all the same";
  EXPECT_EQ(TempFileName(TTempFile::IndexHandOver), index);
  CloseHandle(held);
  DeleteTempFiles();
  EXPECT_FALSE(Exists(index));
}
