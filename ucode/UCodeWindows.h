// The system calls under the Unicode layer. Each routine calls the wide (W) form of the system
// function on a Unicode-capable platform; otherwise it converts its text arguments to the system
// ANSI code page, calls the 8-bit (A) form and widens what comes back into the caller's wide buffer,
// keeping the W form's length rules (length without terminator when it fits, else the size needed).
// The file calls hand the W form a long name in the extended form (WideSystemFileName); the A form
// stays limited to MAX_PATH.
#pragma once

#include "classlib/WinApi.h"

#include <cstdint>
#include <string>

BOOL WideSetWindowText(HWND window, const std::wstring& text);
DWORD WideGetFullPathName(LPCWSTR fileName, DWORD bufferLength, LPWSTR buffer, LPWSTR* filePart);
HANDLE WideCreateFile(LPCWSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                      DWORD creation, DWORD flags, HANDLE templateFile);
HANDLE WideFindFirstFile(LPCWSTR fileName, WIN32_FIND_DATAW* findData);
BOOL WideFindNextFile(HANDLE search, WIN32_FIND_DATAW* findData);
DWORD WideGetFileAttributes(LPCWSTR fileName);
BOOL WideDeleteFile(LPCWSTR fileName);
int WideDrawText(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format);
DWORD WideGetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);
BOOL WideGetStringTypeEx(LCID locale, DWORD infoType, LPCWSTR text, int count, LPWORD charType);

// True when the value fits in 16 bits: an atom or an integer resource rather than a pointer.
bool IsAtomValue(std::uintptr_t value);
