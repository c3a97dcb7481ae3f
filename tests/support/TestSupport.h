// Helpers shared by the test executables.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  // A fresh folder in `base` (which ends in a backslash), for paths shorter than the
  // temporary folder's.
  explicit TempDir(const std::string& base);
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return m_path; }
  // Path of a file inside the folder.
  std::string File(const std::string& name) const { return m_path + "\\" + name; }

 private:
  std::string m_path;
};

// Folder of the running test executable, with a trailing backslash.
std::string ExeFolder();

// Whole file as bytes; empty when it cannot be read.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// The same by wide names, which any script can spell and which may be longer than MAX_PATH.
std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);

// Makes folders in `base` (a full path of a drive), one in the other, down to one whose name with
// its trailing backslash is `length` characters long (one more where `base` leaves room for no
// folder name), and gives that name. The folders are made by
// their extended names, which the system takes at any length.
std::wstring MakeLongFolder(const std::wstring& base, size_t length);

// The text's lines, split at "\r\n".
std::vector<std::string> Lines(const std::string& text);

// A file of `size` bytes of which only the last, `tail`, are written: the rest is a hole that
// takes no room on the disk. False when it could not be made.
bool WriteLargeFile(const std::wstring& path, long long size, const std::string& tail);

// The full names of the files in the user's temporary folder that the program's process
// `processId` made ("Kaptorix-<process>-..."), only those whose names end in `ending` when given.
std::vector<std::wstring> TemporaryFilesOf(unsigned long processId, const std::wstring& ending = std::wstring());

// A file held open without sharing, as another program may hold it, for the object's lifetime.
class HeldOpen {
 public:
  explicit HeldOpen(const std::string& path);
  ~HeldOpen();
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;
  bool Held() const;

 private:
  void* m_handle;
};

}  // namespace testsupport
