// Wide (UTF-16) string, path, file and folder routines of the Unicode layer, over the system-call
// layer of UCodeWindows.
#pragma once

#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"

#include <cstdint>
#include <functional>
#include <string>

// Platform flags, set once at start-up from the platform version. The first decides between the
// wide and the 8-bit system calls throughout the Unicode layer (a test may switch it off).
extern bool Win32PlatformIsUnicode;  // NT family
extern bool Win32PlatformIsXP;       // 5.1 or later
extern bool Win32PlatformIs2003;     // 5.2 or later
extern bool Win32PlatformIsVista;    // 6.0 or later

// ---- Strings
std::wstring WideUpperCase(const std::wstring& text);
// <0, 0 or >0 by the user locale's collation, without regard to case.
int WideCompareText(const std::wstring& a, const std::wstring& b);
// Last character, #0 for an empty string.
wchar_t WideLastChar(const std::wstring& text);
// Character-type tests in the thread's locale.
bool IsWideCharSpace(wchar_t c);
bool IsWideCharPunct(wchar_t c);
// A letter (of any script) or a digit.
bool IsWideCharAlphaNumeric(wchar_t c);
// #0, or a space or punctuation character.
bool IsWideWordDelimiter(wchar_t c);

// Replacement by flags (rfReplaceAll, rfIgnoreCase) with an optional whole-word rule: a match
// counts as a word when the characters on both sides are delimiters. The character before a match at
// the start of the text not yet searched is the last one of the result so far (after a replacement,
// the last character of the new text), and #0 stands for "nothing". Linear in the text.
std::wstring WideReplaceWordsBy(const std::wstring& text, const std::wstring& oldPattern,
                                const std::wstring& newPattern, bool wholeWord, int flags,
                                const std::function<bool(wchar_t)>& isDelimiter);
// The same with IsWideWordDelimiter as the delimiter test.
std::wstring WideStringReplace(const std::wstring& text, const std::wstring& oldPattern,
                               const std::wstring& newPattern, int flags, bool wholeWord = false);

// Line-break styles of WideAdjustLineBreaks.
constexpr int kLineBreakLF = 0;
constexpr int kLineBreakCRLF = 1;
constexpr int kLineBreakCR = 2;
// Rewrites every break (CR LF, lone CR, lone LF, U+2028) in one style.
std::wstring WideAdjustLineBreaks(const std::wstring& text, int style = kLineBreakCRLF);
size_t WideAdjustLineBreaksLength(const std::wstring& text, int style = kLineBreakCRLF);

std::wstring WideSysErrorMessage(DWORD errorCode);
// The platform's text for a code, from the system or from the named module; trimmed, at most 256
// characters; "Unspecified error (%d) from %s." when there is none.
std::wstring WideFormatSystemMessage(DWORD errorCode, const std::wstring& moduleName = std::wstring());
// Raises the last system error when value is 0; gives value back otherwise.
DWORD WideWin32Check(DWORD value);

// Middle-pivot quicksort over positions low..high, shared by the wide lists and arrays. The sorter
// offers SetPivot(middle) (copy the pivot, or remember its position), Before(i) and After(j) (against
// the pivot) and Exchange(i, j). Recursing into the smaller part keeps the depth logarithmic; the
// order that results is the one of the plain scheme.
template <typename Sorter>
void MiddlePivotQuickSort(Sorter& sorter, int low, int high) {
  while (low < high) {
    sorter.SetPivot(low + (high - low) / 2);
    int i = low;
    int j = high;
    do {
      while (i < high && sorter.Before(i)) ++i;
      while (j > low && sorter.After(j)) --j;
      if (i <= j) {
        sorter.Exchange(i, j);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - low < high - i) {
      MiddlePivotQuickSort(sorter, low, j);
      low = i;
    } else {
      MiddlePivotQuickSort(sorter, i, high);
      high = j;
    }
  }
}

// ---- Paths ("\" and ":" delimit; positions count from 1, 0 = none)
std::wstring WideIncludeTrailingPathDelimiter(const std::wstring& path);
std::wstring WideIncludeTrailingBackslash(const std::wstring& path);
bool WideIsPathDelimiter(const std::wstring& text, int position);
int WideLastDelimiter(const std::wstring& delimiters, const std::wstring& text);
std::wstring WideExtractFilePath(const std::wstring& fileName);
std::wstring WideExtractFileDir(const std::wstring& fileName);
std::wstring WideExtractFileName(const std::wstring& fileName);
std::wstring WideExtractFileExt(const std::wstring& fileName);
std::wstring WideChangeFileExt(const std::wstring& fileName, const std::wstring& extension);
std::wstring WideExpandFileName(const std::wstring& fileName);
// The name to hand the wide system file functions, which refuse a name of MAX_PATH characters or
// more unless it comes in the extended form: such an absolute name (drive or UNC) in its full form
// ("/" as "\", "." and ".." resolved) behind "\\?\" ("\\?\C:\...", "\\?\UNC\server\share\...").
// Any other name (shorter, relative, already extended or a device) as it is.
std::wstring WideSystemFileName(const std::wstring& fileName);

// ---- Files
// Creates (or replaces) a file for reading and writing, not shared.
HANDLE WideFileCreate(const std::wstring& fileName);
// Opens an existing file by open mode (fmOpenRead, fmShareDenyWrite, ...); INVALID_HANDLE_VALUE on failure.
HANDLE WideFileOpen(const std::wstring& fileName, unsigned mode);
// True for an existing entry that is not a folder. A name holding "*" or "?" never exists.
bool WideFileExists(const std::wstring& fileName);
// The platform's attributes; all bits set (INVALID_FILE_ATTRIBUTES) when the file does not exist.
DWORD WideFileGetAttr(const std::wstring& fileName);

// Wide search record.
struct TSearchRecW {
  std::int32_t Time = 0;  // DOS date and time of the local last-write time
  std::int64_t Size = 0;
  std::int32_t Attr = 0;
  std::wstring Name;
  std::int32_t ExcludeAttr = 0;
  HANDLE FindHandle = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAW FindData{};
};

// Folder search: entries holding a hidden, system or folder attribute not asked for are skipped.
// 0 on success, else the platform's error code.
int WideFindFirst(const std::wstring& path, int attributes, TSearchRecW& record);
int WideFindNext(TSearchRecW& record);
void WideFindClose(TSearchRecW& record);

// File name of a module (0 = the program); raises the last system error on failure.
std::wstring WideGetModuleFileName(HMODULE module);
