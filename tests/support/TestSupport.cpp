#include "support/TestSupport.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "classlib/SysUtils.h"

namespace testsupport {

namespace {

// By wide names: tests leave files whose names the ANSI code page cannot spell.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring path = folder + L"\\" + name;
      // A link is removed, never followed.
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

std::string TemporaryFolder() {
  char base[MAX_PATH + 1];
  DWORD length = GetTempPathA(MAX_PATH, base);
  if (length == 0 || length > MAX_PATH) throw std::runtime_error("no temporary folder");
  return base;
}

}  // namespace

TempDir::TempDir() : TempDir(TemporaryFolder()) {}

TempDir::TempDir(const std::string& base) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::string candidate = base + "kxtest" + std::to_string(GetCurrentProcessId()) +
                            "_" + std::to_string(++counter);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) {
      m_path = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() { RemoveTree(AnsiToWide(m_path)); }

std::string ExeFolder() {
  std::string path(MAX_PATH, '\0');
  DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  return path.substr(0, path.find_last_of("\\/") + 1);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

namespace {

struct FileHandle {
  HANDLE handle;
  ~FileHandle() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
};

}  // namespace

std::string ReadBytes(const std::wstring& path) {
  FileHandle file{CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)};
  std::string bytes;
  if (file.handle == INVALID_HANDLE_VALUE) return bytes;
  char block[4096];
  DWORD read = 0;
  while (ReadFile(file.handle, block, sizeof(block), &read, nullptr) && read > 0) bytes.append(block, read);
  return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  FileHandle file{CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)};
  DWORD written = 0;
  if (file.handle == INVALID_HANDLE_VALUE ||
      !WriteFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size())
    throw std::runtime_error("cannot write a file by its wide name");
}

std::wstring MakeLongFolder(const std::wstring& base, size_t length) {
  std::wstring folder = base + L"\\";
  while (folder.size() < length) {
    // Folders of 99 characters, the last one what is left for its name and its backslash.
    const size_t left = length - folder.size();
    const size_t part = left > 101 ? 99 : std::max<size_t>(left, 2) - 1;
    folder += std::wstring(part, L'd') + L"\\";
    if (!CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
      throw std::runtime_error("cannot make a long folder");
  }
  return folder;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find("\r\n", begin);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(begin, end - begin));
    begin = end + 2;
  }
  return lines;
}

bool WriteLargeFile(const std::wstring& path, long long size, const std::string& tail) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER at;
  at.QuadPart = size - static_cast<long long>(tail.size());
  DWORD written = 0;
  const bool made = SetFilePointerEx(file, at, nullptr, FILE_BEGIN) &&
                    WriteFile(file, tail.data(), static_cast<DWORD>(tail.size()), &written, nullptr) &&
                    written == tail.size();
  CloseHandle(file);
  return made;
}

std::vector<std::wstring> TemporaryFilesOf(unsigned long processId, const std::wstring& ending) {
  std::wstring folder(MAX_PATH + 1, L'\0');
  folder.resize(GetTempPathW(static_cast<DWORD>(folder.size()), folder.data()));
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = folder + L"Kaptorix-" + std::to_wstring(processId) + L"-*" + ending;
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(folder + found.cFileName);
  while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

HeldOpen::HeldOpen(const std::string& path)
    : m_handle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}

HeldOpen::~HeldOpen() {
  if (Held()) CloseHandle(m_handle);
}

bool HeldOpen::Held() const { return m_handle != INVALID_HANDLE_VALUE; }

}  // namespace testsupport
