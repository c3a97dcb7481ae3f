#include "engine/u_WideFunc.h"

#include "engine/u_FileErrors.h"

#include "classlib/Classes.h"
#include "classlib/ComObj.h"
#include "classlib/Dialogs.h"
#include "classlib/WebBrowser.h"
#include "ucode/UCodeGraphics.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"
#include "ucode/UCodeWindows.h"

#include <shellapi.h>

#include <algorithm>
#include <type_traits>
#include <utility>

namespace {

// Sorts positions of a vector whose elements are compared by one field against a copied pivot.
template <typename Item, typename Field, typename Order>
class FieldSorter {
 public:
  FieldSorter(std::vector<Item>& items, Field field, Order before) : m_items(items), m_field(field), m_before(before) {}
  void SetPivot(int middle) { m_pivot = m_items[middle].*m_field; }
  bool Before(int i) const { return m_before(m_items[i].*m_field, m_pivot); }
  bool After(int j) const { return m_before(m_pivot, m_items[j].*m_field); }
  void Exchange(int i, int j) { std::swap(m_items[i], m_items[j]); }

 private:
  std::vector<Item>& m_items;
  Field m_field;
  Order m_before;
  std::remove_cvref_t<decltype(std::declval<Item>().*std::declval<Field>())> m_pivot{};
};

template <typename Item, typename Field, typename Order>
void SortRange(std::vector<Item>& items, int low, int high, Field field, Order before) {
  low = std::max(low, 0);
  high = std::min(high, static_cast<int>(items.size()) - 1);
  FieldSorter<Item, Field, Order> sorter(items, field, before);
  MiddlePivotQuickSort(sorter, low, high);
}

}  // namespace

int ExplodeW(const std::wstring& separator, const std::wstring& text, TWideStrArray& pieces) {
  pieces.clear();
  if (separator.empty()) {
    pieces.push_back(text);
    return 1;
  }
  // Cut at every separator from left to right; what follows the last one is the last piece. (Cutting
  // the text with a separator appended would lose text when the separator can overlap itself.)
  size_t start = 0;
  for (;;) {
    size_t found = text.find(separator, start);
    if (found == std::wstring::npos) break;
    pieces.push_back(text.substr(start, found - start));
    start = found + separator.size();
  }
  pieces.push_back(text.substr(start));
  return static_cast<int>(pieces.size());
}

std::wstring MakeSortKeyW(const std::wstring& word) {
  std::wstring key;
  key.reserve(word.size() + 4);
  for (wchar_t c : WideUpperCase(word)) {
    switch (c) {
      case L'\u00c4': key += L"AE"; break;
      case L'\u00d6': key += L"OE"; break;
      case L'\u00dc': key += L"UE"; break;
      case L'\u00df': key += L"SS"; break;
      case L'\u00c7': key += L'C'; break;
      default: key += c;
    }
  }
  return key;
}

void QuickSortWideRAAsc(TWideRA& items, int low, int high) {
  SortRange(items, low, high, &TWideRAItem::key, std::less<std::wstring>());
}

void QuickSortWideRADesc(TWideRA& items, int low, int high) {
  SortRange(items, low, high, &TWideRAItem::key, std::greater<std::wstring>());
}

void QuickSortWideStrIntArray(TWideStrIntArray& items, int low, int high) {
  SortRange(items, low, high, &TWideStrIntItem::number, std::less<int>());
}

void SortWideStrArray(TWideStrArray& strings, int direction) {
  TWideRA keys(strings.size());
  for (size_t i = 0; i < strings.size(); ++i) keys[i] = {MakeSortKeyW(strings[i]), static_cast<int>(i)};
  const int last = static_cast<int>(strings.size()) - 1;
  if (direction == 1) QuickSortWideRAAsc(keys, 0, last);
  else QuickSortWideRADesc(keys, 0, last);
  TWideStrArray sorted;
  sorted.reserve(strings.size());
  for (const auto& item : keys) sorted.push_back(std::move(strings[item.position]));
  strings = std::move(sorted);
}

bool DeleteWideStrArrayItem(TWideStrArray& strings, int position) {
  if (position < 0 || static_cast<size_t>(position) >= strings.size()) return false;
  strings.erase(strings.begin() + position);
  return true;
}

bool AppendWideStrArray(TWideStrArray& strings, const std::wstring& value) {
  strings.push_back(value);
  return true;
}

std::wstring ReplaceAllW(const std::wstring& text, const std::wstring& oldPattern, const std::wstring& newPattern) {
  if (oldPattern == newPattern || text.empty() || oldPattern.empty()) return text;
  std::wstring result;
  result.reserve(text.size());
  size_t start = 0;
  for (size_t found = text.find(oldPattern); found != std::wstring::npos; found = text.find(oldPattern, start)) {
    result.append(text, start, found - start);
    result += newPattern;
    start = found + oldPattern.size();
  }
  result.append(text, start, std::wstring::npos);
  return result;
}

bool IsWordDelimiter(wchar_t c, const std::wstring& delimiters) {
  return delimiters.find(c) != std::wstring::npos || c == L'\0' || IsWideCharSpace(c) || IsWideCharPunct(c);
}

std::wstring ReplaceWordsW(const std::wstring& text, const std::wstring& oldPattern, const std::wstring& newPattern,
                           bool wholeWord, int flags, const std::wstring& delimiters) {
  return WideReplaceWordsBy(text, oldPattern, newPattern, wholeWord, flags,
                            [&delimiters](wchar_t c) { return IsWordDelimiter(c, delimiters); });
}

void ShortenPathStep(std::wstring& directory) {
  if (directory == L"\\") {
    directory.clear();
    return;
  }
  const bool leadingBackslash = !directory.empty() && directory.front() == L'\\';
  if (leadingBackslash) directory.erase(0, 1);
  if (!directory.empty() && directory.front() == L'.') directory.erase(0, 4);  // a previous "...\"
  size_t slash = directory.find(L'\\');
  directory = slash == std::wstring::npos ? std::wstring() : L"...\\" + directory.substr(slash + 1);
  if (leadingBackslash) directory.insert(0, 1, L'\\');
}

std::wstring MinimizePathW(const std::wstring& path, const std::function<int(const std::wstring&)>& textWidth,
                           int maxWidth) {
  std::wstring directory = WideExtractFilePath(path);
  const std::wstring name = WideExtractFileName(path);
  std::wstring drive;
  if (directory.size() >= 2 && directory[1] == L':') {
    drive = directory.substr(0, 2);
    directory.erase(0, 2);
  }
  std::wstring result = path;
  while ((!directory.empty() || !drive.empty()) && textWidth(result) > maxWidth) {
    if (directory == L"\\...\\") {
      drive.clear();
      directory = L"...\\";
    } else if (directory.empty()) {
      drive.clear();
    } else {
      ShortenPathStep(directory);
    }
    result = drive + directory + name;
  }
  return result;
}

std::wstring MinimizePathW(const std::wstring& path, TCanvas* canvas, int maxWidth) {
  return MinimizePathW(path, [canvas](const std::wstring& text) { return WideCanvasTextWidth(canvas, text); }, maxWidth);
}

// ---- Files

namespace {

constexpr int kAnyFile = 0x3F;  // read-only, hidden, system, volume label, directory, archive

bool IsWildcardName(const std::wstring& fileName) { return fileName.find_first_of(L"*?") != std::wstring::npos; }

// Calls found(record) for every entry a folder search finds.
template <typename Found>
void ForEachEntry(const std::wstring& pattern, int attributes, Found found) {
  TSearchRecW record;
  for (int result = WideFindFirst(pattern, attributes, record); result == 0; result = WideFindNext(record))
    found(record);
  WideFindClose(record);
}

// Local standard time: the time zone's bias without daylight saving.
double StandardBiasDays() {
  TIME_ZONE_INFORMATION zone{};
  if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) return 0;
  return (zone.Bias + zone.StandardBias) / 1440.0;
}

}  // namespace

void FindFilesW(bool includeSubfolders, const TWideStrArray& masks, TWideStrings& list, const std::wstring& folder) {
  const std::wstring base = WideIncludeTrailingPathDelimiter(folder);
  if (includeSubfolders) {
    ForEachEntry(base + L"*.*", kAnyFile, [&](const TSearchRecW& entry) {
      const bool subfolder = (entry.Attr & FILE_ATTRIBUTE_DIRECTORY) && entry.Name != L"." && entry.Name != L"..";
      if (subfolder && !(entry.Attr & FILE_ATTRIBUTE_REPARSE_POINT))
        FindFilesW(true, masks, list, base + entry.Name);
    });
  }
  for (const auto& mask : masks) {
    ForEachEntry(base + L"*" + mask, kAnyFile, [&](const TSearchRecW& entry) {
      if (!(entry.Attr & FILE_ATTRIBUTE_DIRECTORY)) list.Add(base + entry.Name);
    });
  }
}

bool GetFileTimesW(const std::wstring& fileName, TDateTime& creationTime, TDateTime& lastAccessTime,
                   TDateTime& lastWriteTime) {
  HANDLE file = WideCreateFile(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME created{}, accessed{}, written{};
  const bool read = GetFileTime(file, &created, &accessed, &written);
  CloseHandle(file);
  if (!read) return false;
  const double bias = StandardBiasDays();
  creationTime = FileTimeToDateTime(created) - bias;
  lastAccessTime = FileTimeToDateTime(accessed) - bias;
  lastWriteTime = FileTimeToDateTime(written) - bias;
  return true;
}

std::int64_t GetFileSizeW(const std::wstring& fileName) {
  if (fileName.empty() || IsWildcardName(fileName)) return -1;
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
  std::int64_t size = -1;
  TSearchRecW record;
  if (WideFindFirst(fileName, kAnyFile, record) == 0) size = record.Size;
  WideFindClose(record);
  SetErrorMode(oldMode);
  return size;
}

HICON GetFileIconHandle(const std::wstring& fileName) {
  SHFILEINFOW info{};
  if (!SHGetFileInfoW(fileName.c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON | SHGFI_SYSICONINDEX))
    return nullptr;
  return info.hIcon;
}

std::wstring FindExecutableForFile(const std::wstring& fileName, const std::wstring& folder) {
  std::wstring program(MAX_PATH, L'\0');  // the size the shell's lookup writes into
  auto result = reinterpret_cast<std::intptr_t>(FindExecutableW(fileName.c_str(), folder.c_str(), program.data()));
  if (result <= 32) return std::wstring();
  program.resize(program.find(L'\0'));
  return program;
}

bool GetFileInfoW(const std::wstring& fileName, TDateiInfoW& info) {
  GetFileTimesW(fileName, info.creationTime, info.lastAccessTime, info.lastWriteTime);
  info.size = GetFileSizeW(fileName);
  const DWORD attributes = WideFileGetAttr(fileName);
  info.readOnly = attributes & FILE_ATTRIBUTE_READONLY;
  info.hidden = attributes & FILE_ATTRIBUTE_HIDDEN;
  info.system = attributes & FILE_ATTRIBUTE_SYSTEM;
  info.volumeLabel = attributes & 0x08;
  info.directory = attributes & FILE_ATTRIBUTE_DIRECTORY;
  info.archive = attributes & FILE_ATTRIBUTE_ARCHIVE;
  info.allFlags = (attributes & kAnyFile) == kAnyFile;
  SHFILEINFOW shell{};
  SHGetFileInfoW(fileName.c_str(), 0, &shell, sizeof(shell), SHGFI_TYPENAME);
  info.typeName = shell.szTypeName;
  info.iconHandle = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(shell.hIcon));
  info.iconIndex = static_cast<std::uint32_t>(shell.iIcon);
  info.executable = FindExecutableForFile(fileName, L"c:\\windows");
  return true;
}

void WriteHtmlToBrowser(TWebBrowser* browser, const TWideStrings& html) {
  browser->WriteDocument(html.GetText());
}

// ---- Word documents

namespace {

const wchar_t kWordProgId[] = L"Word.Application";
constexpr int kStatisticPages = 2;  // ComputeStatistics: the number of pages
constexpr int kBrowseByPage = 1;    // Browser.Target: page by page
constexpr int kDoNotSaveChanges = 0;

// COM for the calling thread for the time of one import; a thread that has it already keeps it.
class TComForThisCall {
 public:
  TComForThisCall() : m_initialized(SUCCEEDED(CoInitialize(nullptr))) {}
  ~TComForThisCall() {
    if (m_initialized) CoUninitialize();
  }
  TComForThisCall(const TComForThisCall&) = delete;
  TComForThisCall& operator=(const TComForThisCall&) = delete;

 private:
  bool m_initialized;
};

TWordDocumentsSkipped* g_wordDocumentsSkipped = nullptr;  // the run that lists them, if any

void ShowWordNotFound(const std::string& languageCode) {
  const wchar_t* text = languageCode == "de" ? L"Aktion abgebrochen. Microsoft Word\u00AE wurde nicht gefunden."
                                             : L"Action canceled. Microsoft Word\u00AE was not found.";
  // Wide, so that "®" shows on systems whose code page has no such character.
  ShowMessageBoxW(GetActiveWindow(), text, L"Error", MB_OK | MB_ICONERROR);
}

void QuitWord(IDispatch* word) {
  int doNotSave = kDoNotSaveChanges;
  OleCall(word, L"Quit", {ByReference(doNotSave)});
}

// Steps 3 to 6 on a running Word: open, count, read page by page.
std::wstring ReadOpenedPages(IDispatch* word, const std::wstring& fileName, int maxPages) {
  {
    TOleVariant documents;
    OleGet(word, L"Documents", documents);
    Bstr name(fileName);
    OleCall(documents.AsDispatch(), L"Open", {ByReference(name)});
  }
  int pageCount = 0;
  {
    TOleVariant document, statistic;
    OleGet(word, L"ActiveDocument", document);
    OleCall(document.AsDispatch(), L"ComputeStatistics", {ByValue(kStatisticPages)}, &statistic);
    pageCount = statistic.AsInteger();
  }
  const int pages = maxPages > -1 ? std::min(maxPages, pageCount) : pageCount;
  TOleVariant browser;
  OleGet(word, L"Browser", browser);
  int target = kBrowseByPage;
  OlePut(browser.AsDispatch(), L"Target", ByReference(target));
  std::wstring text;
  for (int page = 1; page <= pages; ++page) {
    TOleVariant document, bookmarks, bookmark, range, pageText;
    OleGet(word, L"ActiveDocument", document);
    OleGet(document.AsDispatch(), L"Bookmarks", bookmarks);
    Bstr pageBookmark(L"\\page");
    OleCall(bookmarks.AsDispatch(), L"Item", {ByReference(pageBookmark)}, &bookmark);
    OleGet(bookmark.AsDispatch(), L"Range", range);
    OleGet(range.AsDispatch(), L"Text", pageText);
    text += pageText.AsString();
    text += L"\r\n" + std::to_wstring(page) + L"\r\n";
    OleCall(browser.AsDispatch(), L"Next", {});
  }
  return text;
}

}  // namespace

std::wstring ReadWordDocument(const std::wstring& FileName, int MaxPages, const std::string& LanguageCode) {
  // Word would wait for a device as the program's own reader would.
  RefuseNoFile(TFileAction::Open, FileName);
  TComForThisCall com;
  ComPtr<IDispatch> word;
  try {
    CreateOleObject(kWordProgId, word);
  } catch (const EOleError&) {
    if (g_wordDocumentsSkipped) g_wordDocumentsSkipped->m_names.push_back(FileName);
    else ShowWordNotFound(LanguageCode);
    return std::wstring();
  }
  bool startedHidden = false;
  {
    TOleVariant visible;
    OleGet(word.Get(), L"Visible", visible);
    startedHidden = !visible.AsBoolean();
  }
  // A Word of our own is closed whatever happens, so that no hidden Word keeps running and keeps
  // the document locked; the first error is the one reported. A Word the user had open is left
  // alone, and so is one whose visibility could not be read.
  std::wstring text;
  try {
    if (startedHidden) OlePut(word.Get(), L"Visible", ByValue(false));
    text = ReadOpenedPages(word.Get(), FileName, MaxPages);
  } catch (...) {
    if (startedHidden) {
      try {
        QuitWord(word.Get());
      } catch (const EOleError&) {
      }
    }
    throw;
  }
  if (startedHidden) QuitWord(word.Get());
  // Word ends paragraphs with CR: every line ends with CR LF afterwards.
  return ReplaceAllW(ReplaceAllW(text, L"\r\n", L"\r"), L"\r", L"\r\n");
}

std::wstring TWordAutomationReader::ReadWordDocument(const std::wstring& FileName, int MaxPages) {
  return ::ReadWordDocument(FileName, MaxPages, m_language ? m_language() : std::string("en"));
}

TWordDocumentsSkipped::TWordDocumentsSkipped() : m_outer(g_wordDocumentsSkipped) { g_wordDocumentsSkipped = this; }

TWordDocumentsSkipped::~TWordDocumentsSkipped() { g_wordDocumentsSkipped = m_outer; }

std::wstring TWordDocumentsSkipped::Message(const std::string& languageCode) const {
  if (m_names.empty()) return std::wstring();
  const bool german = languageCode == "de";
  std::wstring text = german ? L"Microsoft Word\u00AE wurde nicht gefunden. Diese Dokumente wurden \u00FCbersprungen:"
                             : L"Microsoft Word\u00AE was not found. These documents were skipped:";
  const size_t named = std::min(m_names.size(), kNamedAtMost);
  for (size_t i = 0; i < named; ++i) text += L"\r\n" + m_names[i];
  if (named < m_names.size()) {
    const std::wstring more = std::to_wstring(m_names.size() - named);
    text += german ? L"\r\nund " + more + L" weitere" : L"\r\nand " + more + L" more";
  }
  return text;
}
