// Unix programs run from the tests on the Unix names of their files: Wine starts them like
// Windows programs.
#pragma once

#include <windows.h>

#include <string>

#include "ucode/UCodeSystem.h"

namespace hostcommands {

// Runs a host program and waits for it (ten seconds at most). False when it could not start.
inline bool RunHostCommand(const std::wstring& commandLine) {
  std::wstring command = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return true;
}

// The Unix name of a file or folder; empty where the system is not Wine.
inline std::wstring UnixPath(const std::wstring& windowsPath) {
  using UnixName = char*(__cdecl*)(const wchar_t*);
  auto toUnix = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return std::wstring();
  char* name = toUnix(windowsPath.c_str());
  if (!name) return std::wstring();
  std::wstring result = StringToWideStringEx(name, CP_UTF8);
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

}  // namespace hostcommands
