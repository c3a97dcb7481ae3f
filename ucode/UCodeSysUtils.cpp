#include "ucode/UCodeSysUtils.h"

#include "ucode/UCodeSystem.h"
#include "ucode/UCodeWindows.h"

#include <algorithm>
#include <vector>

bool Win32PlatformIsUnicode = false;
bool Win32PlatformIsXP = false;
bool Win32PlatformIs2003 = false;
bool Win32PlatformIsVista = false;

namespace {

struct PlatformVersion {
  bool nt = false;
  DWORD major = 0;
  DWORD minor = 0;
};

PlatformVersion QueryPlatformVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  PlatformVersion version;
  if (GetVersionExW(&info)) {
    version.nt = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
  }
  return version;
}

bool AtLeast(const PlatformVersion& version, DWORD major, DWORD minor) {
  return version.nt && (version.major > major || (version.major == major && version.minor >= minor));
}

// Sets the platform flags before any other unit's start-up code may ask for them.
struct PlatformFlagsInit {
  PlatformFlagsInit() {
    PlatformVersion version = QueryPlatformVersion();
    Win32PlatformIsUnicode = version.nt;
    Win32PlatformIsXP = AtLeast(version, 5, 1);
    Win32PlatformIs2003 = AtLeast(version, 5, 2);
    Win32PlatformIsVista = AtLeast(version, 6, 0);
  }
};
__attribute__((init_priority(200))) PlatformFlagsInit platformFlagsInit;

WORD CharType1(wchar_t c) {
  WORD type = 0;
  if (!WideGetStringTypeEx(GetThreadLocale(), CT_CTYPE1, &c, 1, &type)) return 0;
  return type;
}

std::wstring TrimBlanks(const std::wstring& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && text[first] <= L' ') ++first;
  while (last > first && text[last - 1] <= L' ') --last;
  return text.substr(first, last - first);
}

std::wstring SystemMessageText(DWORD errorCode, HMODULE module) {
  DWORD source = module ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM;
  DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | source;
  std::wstring text;
  if (Win32PlatformIsUnicode) {
    LPWSTR buffer = nullptr;
    DWORD length = FormatMessageW(flags, module, errorCode, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    if (buffer) text.assign(buffer, length);
    LocalFree(buffer);
  } else {
    LPSTR buffer = nullptr;
    DWORD length = FormatMessageA(flags, module, errorCode, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    if (buffer) text = StringToWideStringEx(std::string(buffer, length), CP_ACP);
    LocalFree(buffer);
  }
  return TrimBlanks(text.substr(0, 256));
}

size_t LineBreakWidth(int style) { return style == kLineBreakCRLF ? 2 : 1; }

void AppendLineBreak(std::wstring& out, int style) {
  if (style == kLineBreakCRLF) out += L"\r\n";
  else out += style == kLineBreakCR ? L'\r' : L'\n';
}

// Walks the text once, calling onBreak for every line break and onChar for everything else.
template <typename OnChar, typename OnBreak>
void WalkLineBreaks(const std::wstring& text, OnChar onChar, OnBreak onBreak) {
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c == L'\r') {
      if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      onBreak();
    } else if (c == L'\n' || c == 0x2028) {
      onBreak();
    } else {
      onChar(c);
    }
  }
}

int FindMatchingFile(TSearchRecW& record) {
  while (record.FindData.dwFileAttributes & static_cast<DWORD>(record.ExcludeAttr)) {
    if (!WideFindNextFile(record.FindHandle, &record.FindData)) return static_cast<int>(GetLastError());
  }
  FILETIME local{};
  WORD dosDate = 0;
  WORD dosTime = 0;
  FileTimeToLocalFileTime(&record.FindData.ftLastWriteTime, &local);
  FileTimeToDosDateTime(&local, &dosDate, &dosTime);
  record.Time = static_cast<std::int32_t>((static_cast<DWORD>(dosDate) << 16) | dosTime);
  record.Size = (static_cast<std::int64_t>(record.FindData.nFileSizeHigh) << 32) + record.FindData.nFileSizeLow;
  record.Attr = static_cast<std::int32_t>(record.FindData.dwFileAttributes);
  record.Name = record.FindData.cFileName;
  return 0;
}

// The full path by a full-path query, however long it is.
template <typename Query>
std::wstring QueryFullPath(Query query, const std::wstring& fileName) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    LPWSTR filePart = nullptr;
    DWORD length = query(fileName.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), &filePart);
    if (length == 0) return std::wstring();
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(length);
  }
}

bool IsSlash(wchar_t c) { return c == L'\\' || c == L'/'; }

// "C:\..." (either slash).
bool IsDriveName(const std::wstring& name) {
  const wchar_t drive = name.empty() ? L'\0' : static_cast<wchar_t>(name[0] | 0x20);
  return name.size() >= 3 && drive >= L'a' && drive <= L'z' && name[1] == L':' && IsSlash(name[2]);
}

// "\\server\..." (either slash), but not "\\?\..." or "\\.\...", which the system takes as they are.
bool IsUncName(const std::wstring& name) {
  if (name.size() < 3 || !IsSlash(name[0]) || !IsSlash(name[1]) || IsSlash(name[2])) return false;
  return !((name[2] == L'?' || name[2] == L'.') && (name.size() == 3 || IsSlash(name[3])));
}

}  // namespace


// ---- Strings

// The platform's upper case of every UTF-16 unit, asked for once: the system maps unit by unit,
// and the word pipeline upper-cases whole pages many times over.
const std::wstring& UpperCaseTable() {
  static const std::wstring table = [] {
    std::wstring units(0x10000, L'\0');
    for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<wchar_t>(i);
    CharUpperBuffW(units.data() + 1, static_cast<DWORD>(units.size() - 1));
    return units;
  }();
  return table;
}

int WideCompareText(const std::wstring& a, const std::wstring& b) {
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) - CSTR_EQUAL;
}

std::wstring WideUpperCase(const std::wstring& text) {
  const std::wstring& table = UpperCaseTable();
  std::wstring result(text.size(), L'\0');
  for (size_t i = 0; i < text.size(); ++i) result[i] = table[static_cast<std::uint16_t>(text[i])];
  return result;
}

wchar_t WideLastChar(const std::wstring& text) { return text.empty() ? L'\0' : text.back(); }

bool IsWideCharSpace(wchar_t c) { return (CharType1(c) & C1_SPACE) != 0; }

bool IsWideCharPunct(wchar_t c) { return (CharType1(c) & C1_PUNCT) != 0; }

bool IsWideCharAlphaNumeric(wchar_t c) { return (CharType1(c) & (C1_ALPHA | C1_DIGIT)) != 0; }

bool IsWideWordDelimiter(wchar_t c) { return c == L'\0' || IsWideCharSpace(c) || IsWideCharPunct(c); }

std::wstring WideReplaceWordsBy(const std::wstring& text, const std::wstring& oldPattern,
                                const std::wstring& newPattern, bool wholeWord, int flags,
                                const std::function<bool(wchar_t)>& isDelimiter) {
  if (text.empty() || oldPattern.empty()) return text;
  const bool ignoreCase = (flags & rfIgnoreCase) != 0;
  // Upper-casing keeps every position, so the search copies index the text itself.
  const std::wstring searchText = ignoreCase ? WideUpperCase(text) : std::wstring();
  const std::wstring searchOld = ignoreCase ? WideUpperCase(oldPattern) : std::wstring();
  const std::wstring& haystack = ignoreCase ? searchText : text;
  const std::wstring& needle = ignoreCase ? searchOld : oldPattern;
  std::wstring result;
  result.reserve(text.size());
  size_t position = 0;  // start of the text not yet searched
  while (position < text.size()) {
    size_t match = haystack.find(needle, position);
    if (match == std::wstring::npos) break;
    size_t end = match + needle.size();
    if (wholeWord) {
      wchar_t before = match > position ? text[match - 1] : WideLastChar(result);
      wchar_t after = end < text.size() ? text[end] : L'\0';
      if (!isDelimiter(before) || !isDelimiter(after)) {
        result.append(text, position, end - position);
        position = end;
        continue;
      }
    }
    result.append(text, position, match - position);
    result += newPattern;
    position = end;
    if ((flags & rfReplaceAll) == 0) break;
  }
  result.append(text, position, std::wstring::npos);
  return result;
}

std::wstring WideStringReplace(const std::wstring& text, const std::wstring& oldPattern,
                               const std::wstring& newPattern, int flags, bool wholeWord) {
  return WideReplaceWordsBy(text, oldPattern, newPattern, wholeWord, flags, IsWideWordDelimiter);
}

size_t WideAdjustLineBreaksLength(const std::wstring& text, int style) {
  size_t length = 0;
  WalkLineBreaks(text, [&](wchar_t) { ++length; }, [&] { length += LineBreakWidth(style); });
  return length;
}

std::wstring WideAdjustLineBreaks(const std::wstring& text, int style) {
  std::wstring result;
  result.reserve(WideAdjustLineBreaksLength(text, style));
  WalkLineBreaks(text, [&](wchar_t c) { result += c; }, [&] { AppendLineBreak(result, style); });
  return result;
}

std::wstring WideFormatSystemMessage(DWORD errorCode, const std::wstring& moduleName) {
  HMODULE module = nullptr;
  if (!moduleName.empty()) {
    module = Win32PlatformIsUnicode
                 ? LoadLibraryExW(moduleName.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)
                 : LoadLibraryExA(WideStringToStringEx(moduleName, CP_ACP).c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE);
  }
  std::wstring text = moduleName.empty() || module ? SystemMessageText(errorCode, module) : std::wstring();
  if (module) FreeLibrary(module);
  if (!text.empty()) return text;
  std::wstring source = moduleName.empty() ? L"system" : moduleName;
  return L"Unspecified error (" + std::to_wstring(static_cast<long>(errorCode)) + L") from " + source + L".";
}

std::wstring WideSysErrorMessage(DWORD errorCode) { return WideFormatSystemMessage(errorCode); }

// ---- Paths

int WideLastDelimiter(const std::wstring& delimiters, const std::wstring& text) {
  size_t found = text.find_last_of(delimiters);
  return found == std::wstring::npos ? 0 : static_cast<int>(found) + 1;
}

bool WideIsPathDelimiter(const std::wstring& text, int position) {
  return position >= 1 && static_cast<size_t>(position) <= text.size() && text[position - 1] == L'\\';
}

std::wstring WideIncludeTrailingPathDelimiter(const std::wstring& path) {
  if (WideIsPathDelimiter(path, static_cast<int>(path.size()))) return path;
  return path + L'\\';
}

std::wstring WideIncludeTrailingBackslash(const std::wstring& path) { return WideIncludeTrailingPathDelimiter(path); }

std::wstring WideExtractFilePath(const std::wstring& fileName) {
  return fileName.substr(0, WideLastDelimiter(L"\\:", fileName));
}

std::wstring WideExtractFileDir(const std::wstring& fileName) {
  int last = WideLastDelimiter(L"\\:", fileName);
  // A root ("C:\", "\\") keeps its backslash.
  if (last > 1 && fileName[last - 1] == L'\\' && fileName[last - 2] != L'\\' && fileName[last - 2] != L':') --last;
  return fileName.substr(0, last);
}

std::wstring WideExtractFileName(const std::wstring& fileName) {
  return fileName.substr(WideLastDelimiter(L"\\:", fileName));
}

std::wstring WideExtractFileExt(const std::wstring& fileName) {
  int last = WideLastDelimiter(L".\\:", fileName);
  if (last > 0 && fileName[last - 1] == L'.') return fileName.substr(last - 1);
  return std::wstring();
}

std::wstring WideChangeFileExt(const std::wstring& fileName, const std::wstring& extension) {
  int last = WideLastDelimiter(L".\\:", fileName);
  if (last == 0 || fileName[last - 1] != L'.') return fileName + extension;
  return fileName.substr(0, last - 1) + extension;
}

std::wstring WideExpandFileName(const std::wstring& fileName) { return QueryFullPath(WideGetFullPathName, fileName); }

std::wstring WideSystemFileName(const std::wstring& fileName) {
  if (fileName.size() < MAX_PATH || !(IsDriveName(fileName) || IsUncName(fileName))) return fileName;
  // Behind the prefix the system resolves nothing, so the name goes in the form it would have made.
  const std::wstring full = QueryFullPath(GetFullPathNameW, fileName);
  if (full.empty()) return fileName;
  return IsUncName(full) ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
}

// ---- Files

HANDLE WideFileCreate(const std::wstring& fileName) {
  return WideCreateFile(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
}

HANDLE WideFileOpen(const std::wstring& fileName, unsigned mode) {
  return WideCreateFile(fileName.c_str(), FileModeAccess(mode), FileModeShare(mode), nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool WideFileExists(const std::wstring& fileName) {
  // A search would let a wildcard name "exist" whenever anything matches it.
  if (fileName.empty() || fileName.find_first_of(L"*?") != std::wstring::npos) return false;
  DWORD attributes = WideGetFileAttributes(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

DWORD WideFileGetAttr(const std::wstring& fileName) { return WideGetFileAttributes(fileName.c_str()); }

int WideFindFirst(const std::wstring& path, int attributes, TSearchRecW& record) {
  constexpr int kHideable = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;
  record.ExcludeAttr = ~attributes & kHideable;
  record.FindHandle = WideFindFirstFile(path.c_str(), &record.FindData);
  if (record.FindHandle == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
  int result = FindMatchingFile(record);
  if (result != 0) WideFindClose(record);
  return result;
}

int WideFindNext(TSearchRecW& record) {
  if (!WideFindNextFile(record.FindHandle, &record.FindData)) return static_cast<int>(GetLastError());
  return FindMatchingFile(record);
}

void WideFindClose(TSearchRecW& record) {
  if (record.FindHandle != INVALID_HANDLE_VALUE) FindClose(record.FindHandle);
  record.FindHandle = INVALID_HANDLE_VALUE;
}

std::wstring WideGetModuleFileName(HMODULE module) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = WideGetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) RaiseLastOSError();
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

DWORD WideWin32Check(DWORD value) {
  if (value == 0) RaiseLastOSError();
  return value;
}
