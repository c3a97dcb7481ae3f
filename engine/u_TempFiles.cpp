#include "engine/u_TempFiles.h"

#include <windows.h>

#include <array>
#include <exception>
#include <vector>

#include "classlib/SysUtils.h"
#include "ucode/UCodeSystem.h"

namespace {

struct TKindInfo {
  const wchar_t* Stem;
  const wchar_t* Extension;
};
constexpr std::array<TKindInfo, 3> kKinds{
    {{L"index", L".idx"}, {L"preview", L".html"}, {L"configuration", L".qcfg"}}};

std::array<std::wstring, kKinds.size()> claimed;

size_t Slot(TTempFile kind) { return static_cast<size_t>(kind); }

std::wstring TempFolder() {
  const DWORD length = GetTempPathW(0, nullptr);
  if (length == 0) RaiseLastOSError();
  std::vector<wchar_t> buffer(length + 1);
  const DWORD written = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
  if (written == 0 || written >= buffer.size()) RaiseLastOSError();
  return std::wstring(buffer.data(), written);
}

// Makes a new empty file under a name no file has yet: the process id keeps two running copies
// apart, the counter the names of one process.
std::wstring ClaimName(const TKindInfo& info) {
  const std::wstring folder = TempFolder();
  const std::wstring pid = std::to_wstring(GetCurrentProcessId());
  for (unsigned attempt = 0;; ++attempt) {
    const std::wstring name = folder + L"Kaptorix-" + pid + L"-" + std::to_wstring(attempt) + L"-" +
                              info.Stem + info.Extension;
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      return name;
    }
    const DWORD error = GetLastError();
    if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt >= 10000) RaiseLastOSError(error);
  }
}

}  // namespace

std::wstring TempFileName(TTempFile kind) {
  std::wstring& name = claimed[Slot(kind)];
  if (name.empty()) name = ClaimName(kKinds[Slot(kind)]);
  return name;
}

void DeleteTempFile(TTempFile kind) {
  std::wstring& name = claimed[Slot(kind)];
  if (name.empty()) return;
  if (!DeleteFileW(name.c_str())) {
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
      throw EOSError(SysErrorMessage(error) + " (" + WideStringToStringEx(name, 0) + ")", error);
  }
  name.clear();
}

void DeleteTempFiles() {
  // Every one is tried; the first failure is told afterwards.
  std::exception_ptr failure;
  for (TTempFile kind : {TTempFile::IndexHandOver, TTempFile::Preview, TTempFile::Configuration}) {
    try {
      DeleteTempFile(kind);
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  if (failure) std::rethrow_exception(failure);
}
