// General wide-text routines of the engine: splitting, the German-aware sort key and sorts, string
// arrays, plain and whole-word replacement, path shortening, file lists and file information, and
// reading Word documents through Word.
#pragma once

#include "classlib/WinApi.h"
#include "classlib/SysUtils.h"
#include "engine/u_WideFuncText.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TCanvas;
class TWebBrowser;
class TWideStrings;

using TWideStrArray = std::vector<std::wstring>;

// A sort key and the position its string held before sorting.
struct TWideRAItem {
  std::wstring key;
  int position = 0;
};
using TWideRA = std::vector<TWideRAItem>;

struct TWideStrIntItem {
  std::wstring text;
  int number = 0;
};
using TWideStrIntArray = std::vector<TWideStrIntItem>;

struct TDateiInfoW {
  TDateTime creationTime = 0;  // local standard time (no daylight saving)
  TDateTime lastAccessTime = 0;
  TDateTime lastWriteTime = 0;
  std::int64_t size = -1;      // -1 when the file is not found
  bool readOnly = false;
  bool hidden = false;
  bool system = false;
  bool volumeLabel = false;
  bool directory = false;
  bool archive = false;
  bool allFlags = false;       // all six above at once
  std::wstring typeName;       // from the shell
  std::wstring executable;     // associated program
  std::uint32_t iconHandle = 0;
  std::uint32_t iconIndex = 0;
};

// Splits text at every occurrence of separator (case-sensitive, may be several characters): "a;b"
// gives a and b, an empty text one empty piece, a trailing separator a last empty piece; "aaa" split
// at "aa" gives an empty piece and a. An empty separator gives the whole text as one piece. Returns
// the number of pieces.
int ExplodeW(const std::wstring& separator, const std::wstring& text, TWideStrArray& pieces);

// Upper case, with Ä, Ö, Ü, ß and Ç spelled AE, OE, UE, SS and C.
std::wstring MakeSortKeyW(const std::wstring& word);
// Sorts by sort key: direction 1 ascending, anything else descending.
void SortWideStrArray(TWideStrArray& strings, int direction);
// Sort positions low..high (clamped to the array) by key, in UTF-16 unit order.
void QuickSortWideRAAsc(TWideRA& items, int low, int high);
void QuickSortWideRADesc(TWideRA& items, int low, int high);
// Sorts positions low..high ascending by number.
void QuickSortWideStrIntArray(TWideStrIntArray& items, int low, int high);

// Removes the element at position (from 0); false, array unchanged, when there is none there.
bool DeleteWideStrArrayItem(TWideStrArray& strings, int position);
bool AppendWideStrArray(TWideStrArray& strings, const std::wstring& value);

// Every non-overlapping occurrence of oldPattern, left to right, replaced by newPattern.
std::wstring ReplaceAllW(const std::wstring& text, const std::wstring& oldPattern, const std::wstring& newPattern);
// Replacement by flags (rfReplaceAll, rfIgnoreCase), optionally of whole
// words only, a word being bounded by IsWordDelimiter characters. Linear in the text.
std::wstring ReplaceWordsW(const std::wstring& text, const std::wstring& oldPattern, const std::wstring& newPattern,
                           bool wholeWord, int flags, const std::wstring& delimiters);
// c is one of delimiters, #0, or a space or punctuation character.
bool IsWordDelimiter(wchar_t c, const std::wstring& delimiters);

// Shortens a path ("C:\...\c\file.txt", "...\file.txt", "file.txt") until textWidth of it fits
// maxWidth or nothing more can go.
std::wstring MinimizePathW(const std::wstring& path, const std::function<int(const std::wstring&)>& textWidth,
                           int maxWidth);
// The same measured as wide text in the canvas's font.
std::wstring MinimizePathW(const std::wstring& path, TCanvas* canvas, int maxWidth);
// One step: "\a\b\" becomes "\...\b\", "\...\b\" becomes "\...\", "\" becomes empty.
void ShortenPathStep(std::wstring& directory);

// Adds the full names of the files in folder that match each mask in turn ("*.qcfg"); with
// subfolders, the files of every subfolder come first. Junctions and other reparse points are not
// followed.
void FindFilesW(bool includeSubfolders, const TWideStrArray& masks, TWideStrings& list, const std::wstring& folder);

// Times, size, attribute flags, type name and associated program of a file; always true.
bool GetFileInfoW(const std::wstring& fileName, TDateiInfoW& info);
// Creation, last-access and last-write time in local standard time; false (times untouched) when
// the file cannot be opened.
bool GetFileTimesW(const std::wstring& fileName, TDateTime& creationTime, TDateTime& lastAccessTime,
                   TDateTime& lastWriteTime);
// Size in bytes, -1 when there is no such file (a name holding "*" or "?" names none).
std::int64_t GetFileSizeW(const std::wstring& fileName);
// The file's small shell icon, which the caller destroys; 0 when the shell has none.
HICON GetFileIconHandle(const std::wstring& fileName);
// Path of the program associated with the file, or empty.
std::wstring FindExecutableForFile(const std::wstring& fileName, const std::wstring& folder);

// Shows the HTML page held in html in the browser control: Clear, Write with the whole text, Close
// on its document, after navigating to "about:blank" when the control has no document yet (the
// page then goes in once that document exists). Errors of the document reach the caller.
void WriteHtmlToBrowser(TWebBrowser* browser, const TWideStrings& html);

// ---- Word documents

// Reads a Word document page by page through Word's automation interface ("Word.Application"):
// the text of each page (Word's page bookmark), then a line with the page's ordinal number; all
// pages when MaxPages is -1 (or below), else at most MaxPages. Every line ends with CR LF (Word's
// paragraph marks included; a lone LF stays). When Word cannot be started, shows the error box
// "Microsoft Word was not found" (German when LanguageCode is "de", else English) and gives empty
// text. A Word that this call started runs hidden and is closed without saving when the call ends,
// also when it fails; a Word the user had open visibly keeps running with the document open. A
// failing automation call raises EOleException (Word's own error) or EOleSysError.
std::wstring ReadWordDocument(const std::wstring& FileName, int MaxPages, const std::string& LanguageCode);

// The text-file reader's Word importer: ReadWordDocument with the messages in the language code
// that `language` gives at the time of reading.
class TWordAutomationReader : public TWordDocumentReader {
 public:
  explicit TWordAutomationReader(std::function<std::string()> language) : m_language(std::move(language)) {}
  std::wstring ReadWordDocument(const std::wstring& FileName, int MaxPages) override;

 private:
  std::function<std::string()> m_language;
};

// The Word documents that a run over a list of files could not read for want of Word, so that the
// run tells the user once rather than once a document. While one lives, ReadWordDocument lists
// such a document in it instead of showing its box (in the innermost, where runs nest).
class TWordDocumentsSkipped {
 public:
  TWordDocumentsSkipped();
  ~TWordDocumentsSkipped();
  TWordDocumentsSkipped(const TWordDocumentsSkipped&) = delete;
  TWordDocumentsSkipped& operator=(const TWordDocumentsSkipped&) = delete;

  const std::vector<std::wstring>& Names() const { return m_names; }
  // The run's one message: Word was not found, and these documents were left out (the first
  // kNamedAtMost by name, the rest counted); German when languageCode is "de", else English.
  // Empty when no document was left out.
  std::wstring Message(const std::string& languageCode) const;
  static constexpr size_t kNamedAtMost = 20;

 private:
  friend std::wstring ReadWordDocument(const std::wstring& FileName, int MaxPages, const std::string& LanguageCode);
  TWordDocumentsSkipped* m_outer;
  std::vector<std::wstring> m_names;
};
