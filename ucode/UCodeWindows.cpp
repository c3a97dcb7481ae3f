#include "ucode/UCodeWindows.h"

#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"

#include <algorithm>
#include <vector>

namespace {

std::string ToAnsi(LPCWSTR text) { return WideStringToStringEx(text ? std::wstring(text) : std::wstring(), CP_ACP); }

std::wstring FromAnsi(const char* text) { return StringToWideStringEx(text ? std::string(text) : std::string(), CP_ACP); }

// The name a wide file call gets.
std::wstring SystemName(LPCWSTR fileName) { return WideSystemFileName(fileName ? std::wstring(fileName) : std::wstring()); }

// Hands a result to a wide caller with the W functions' length rules.
DWORD CopyToWideBuffer(const std::wstring& value, LPWSTR buffer, DWORD size) {
  if (buffer == nullptr || value.size() >= size) return static_cast<DWORD>(value.size() + 1);
  std::copy(value.begin(), value.end(), buffer);
  buffer[value.size()] = L'\0';
  return static_cast<DWORD>(value.size());
}

template <size_t N>
void CopyToFixedField(const std::wstring& value, WCHAR (&field)[N]) {
  size_t length = std::min(value.size(), N - 1);
  std::copy_n(value.begin(), length, field);
  field[length] = L'\0';
}

void WidenFindData(const WIN32_FIND_DATAA& ansi, WIN32_FIND_DATAW* wide) {
  wide->dwFileAttributes = ansi.dwFileAttributes;
  wide->ftCreationTime = ansi.ftCreationTime;
  wide->ftLastAccessTime = ansi.ftLastAccessTime;
  wide->ftLastWriteTime = ansi.ftLastWriteTime;
  wide->nFileSizeHigh = ansi.nFileSizeHigh;
  wide->nFileSizeLow = ansi.nFileSizeLow;
  wide->dwReserved0 = ansi.dwReserved0;
  wide->dwReserved1 = ansi.dwReserved1;
  CopyToFixedField(FromAnsi(ansi.cFileName), wide->cFileName);
  CopyToFixedField(FromAnsi(ansi.cAlternateFileName), wide->cAlternateFileName);
}

}  // namespace

BOOL WideSetWindowText(HWND window, const std::wstring& text) {
  if (Win32PlatformIsUnicode) return SetWindowTextW(window, text.c_str());
  return SetWindowTextA(window, WideStringToStringEx(text, CP_ACP).c_str());
}

DWORD WideGetFullPathName(LPCWSTR fileName, DWORD bufferLength, LPWSTR buffer, LPWSTR* filePart) {
  if (Win32PlatformIsUnicode) return GetFullPathNameW(fileName, bufferLength, buffer, filePart);
  std::string ansiName = ToAnsi(fileName);
  DWORD needed = GetFullPathNameA(ansiName.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return 0;
  std::string full(needed, '\0');
  DWORD length = GetFullPathNameA(ansiName.c_str(), needed, full.data(), nullptr);
  full.resize(std::min(length, needed));
  std::wstring wide = FromAnsi(full.c_str());
  DWORD result = CopyToWideBuffer(wide, buffer, bufferLength);
  if (filePart != nullptr) {
    *filePart = nullptr;
    size_t slash = wide.find_last_of(L'\\');
    if (result == wide.size() && slash != std::wstring::npos && slash + 1 < wide.size())
      *filePart = buffer + slash + 1;
  }
  return result;
}

HANDLE WideCreateFile(LPCWSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                      DWORD creation, DWORD flags, HANDLE templateFile) {
  if (Win32PlatformIsUnicode)
    return CreateFileW(SystemName(fileName).c_str(), access, shareMode, security, creation, flags, templateFile);
  return CreateFileA(ToAnsi(fileName).c_str(), access, shareMode, security, creation, flags, templateFile);
}

HANDLE WideFindFirstFile(LPCWSTR fileName, WIN32_FIND_DATAW* findData) {
  if (Win32PlatformIsUnicode) return FindFirstFileW(SystemName(fileName).c_str(), findData);
  WIN32_FIND_DATAA ansi{};
  HANDLE search = FindFirstFileA(ToAnsi(fileName).c_str(), &ansi);
  if (search != INVALID_HANDLE_VALUE) WidenFindData(ansi, findData);
  return search;
}

BOOL WideFindNextFile(HANDLE search, WIN32_FIND_DATAW* findData) {
  if (Win32PlatformIsUnicode) return FindNextFileW(search, findData);
  WIN32_FIND_DATAA ansi{};
  BOOL found = FindNextFileA(search, &ansi);
  if (found) WidenFindData(ansi, findData);
  return found;
}

DWORD WideGetFileAttributes(LPCWSTR fileName) {
  if (Win32PlatformIsUnicode) return GetFileAttributesW(SystemName(fileName).c_str());
  return GetFileAttributesA(ToAnsi(fileName).c_str());
}

BOOL WideDeleteFile(LPCWSTR fileName) {
  if (Win32PlatformIsUnicode) return DeleteFileW(SystemName(fileName).c_str());
  return DeleteFileA(ToAnsi(fileName).c_str());
}

int WideDrawText(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format) {
  if (Win32PlatformIsUnicode) return DrawTextW(dc, text, count, rect, format);
  std::wstring wide = count < 0 ? std::wstring(text) : std::wstring(text, static_cast<size_t>(count));
  std::string ansi = WideStringToStringEx(wide, CP_ACP);
  return DrawTextA(dc, ansi.data(), static_cast<int>(ansi.size()), rect, format);
}

DWORD WideGetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
  if (Win32PlatformIsUnicode) return GetModuleFileNameW(module, buffer, size);
  std::string name(MAX_PATH, '\0');
  for (;;) {
    DWORD length = GetModuleFileNameA(module, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0) return 0;
    if (length < name.size()) {
      name.resize(length);
      break;
    }
    name.resize(name.size() * 2);
  }
  return CopyToWideBuffer(FromAnsi(name.c_str()), buffer, size);
}

BOOL WideGetStringTypeEx(LCID locale, DWORD infoType, LPCWSTR text, int count, LPWORD charType) {
  if (Win32PlatformIsUnicode) return GetStringTypeExW(locale, infoType, text, count, charType);
  std::wstring wide = count < 0 ? std::wstring(text) : std::wstring(text, static_cast<size_t>(count));
  // One character at a time, so that the types stay in step with the wide characters.
  for (size_t i = 0; i < wide.size(); ++i) {
    std::string ansi = WideStringToStringEx(wide.substr(i, 1), CP_ACP);
    std::vector<WORD> types(std::max<size_t>(ansi.size(), 1));
    if (ansi.empty() || !GetStringTypeExA(locale, infoType, ansi.data(), static_cast<int>(ansi.size()), types.data()))
      return FALSE;
    charType[i] = types[0];
  }
  return TRUE;
}

bool IsAtomValue(std::uintptr_t value) { return (value >> 16) == 0; }
