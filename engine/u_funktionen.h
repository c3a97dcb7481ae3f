// Small routines shared by many windows and by the index builders.
#pragma once

#include "classlib/Graphics.h"

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/u_WideFuncText.h"

class TCustomMemo;
class TUCodeOpenDialog;
class TUCodeSaveDialog;

// True when the text converts to a 32-bit integer by the class library's
// string-to-integer conversion (leading blanks, a sign, decimal digits or a
// hexadecimal number after "$" or "0x", and nothing behind).
bool IsIntegerStr(const std::string& text);
bool IsIntegerStr(const std::wstring& text);

// The integer value of the text, or fallback when IsIntegerStr is false.
int32_t IntegerValueOr(const std::wstring& text, int32_t fallback);

// ---- Colour texts

// "#" and six upper-case hexadecimal digits red, green, blue; a system colour is resolved first.
std::string ColorToHtml(TColor color);
// Six hexadecimal digits (either case), with or without a leading "#", to a colour; false,
// colour untouched, for any other text.
bool HtmlToColor(const std::string& text, TColor& color);
// The same without "#".
std::string ColorToHexStr(TColor color);
bool HexStrToColor(const std::string& text, TColor& color);

// ---- File lists

class TCustomImageList;
class TCustomListView;

// The options of the file-list options window that adding rows follows.
struct TFileListOptions {
  bool NoDoubles = true;          // a path that is already a row's source is not added again
  bool RemoveExtensions = false;  // links lose their file extension
  bool CapitalizeLabels = true;   // labels get capitalised words
};

// Column of the source path among a row's sub-items (after "Link", "Typ", "Code", "Größe").
constexpr int kFileListSourceColumn = 4;

// The label's first character and every character after a blank up to the last but one in
// upper case (a one-letter last word keeps its case); an empty label stays empty.
std::wstring CapitalizeLabel(const std::wstring& label);

// The source paths of a list's rows, for the test against doubles.
class TListedPaths {
 public:
  explicit TListedPaths(TCustomListView* list);
  bool Contains(const std::wstring& path) const;
  void Add(const std::wstring& path);

 private:
  std::unordered_set<std::wstring> m_paths;
};

// Appends one row for the file: label, link, type, encoding, size in KB and the path, with the
// file's small icon from `icons` (nullptr: no icon). False when the path is already listed and
// doubles are not wanted.
bool AddFileToFileList(TCustomListView* list, const std::wstring& path, const TFileListOptions& options,
                       TCustomImageList* icons);
// The same, tested against the paths already gathered from the list, which the path joins.
bool AddFileToFileList(TCustomListView* list, const std::wstring& path, const TFileListOptions& options,
                       TCustomImageList* icons, TListedPaths& listed);
// The same for many files at once, in one update of the list, the list's paths gathered once:
// the time grows with the rows and files, not with their product. The number of rows added.
int AddFilesToFileList(TCustomListView* list, const std::vector<std::wstring>& paths,
                       const TFileListOptions& options, TCustomImageList* icons);
// Image index of the file's small shell icon in `icons`, one image per extension; -1 (no image)
// when the shell gives no icon for the file or the list takes none.
int GetFileIconIndex(const std::wstring& path, TCustomImageList* icons);
// Forgets the images of the icon cache (the image list they were added to is gone).
void ClearFileIconCache();

// Appends a row made from an HTML link (no icon, no type, encoding or size).
void AddLinkRowToFileList(TCustomListView* list, const std::wstring& label, const std::wstring& link,
                          const std::wstring& path);

// The kilobytes of a size text of the list ("1,234.500 KB" with the user's separators);
// false for an empty text or one that is no number.
bool ParseSizeKb(const std::string& text, double& kilobytes);
// Sizes compared as numbers; a text that is no number (a link's empty size) is the smallest.
int CompareSizeTexts(const std::string& a, const std::string& b);

// ---- File types

// The type keys the program registers its index files under, one per language.
const std::vector<std::string>& ProgramFileTypeKeys();
// Registers the extension under HKEY_CLASSES_ROOT: the type key with its description, icon and
// open command "program" "argument". True when all keys could be written.
bool RegisterFileExtension(const std::string& extension, const std::string& typeKey,
                           const std::string& description, const std::string& programPath,
                           const std::string& argument);
// Removes the type keys among `ownTypeKeys` and the extension key while it still points to one
// of them; a type another program has taken the extension over for is left alone. True when
// something was removed and every removal succeeded.
bool UnregisterFileExtension(const std::string& extension,
                             const std::vector<std::string>& ownTypeKeys = ProgramFileTypeKeys());
// Tells every top-level window that the icon metrics changed.
void BroadcastIconMetricsChange();
// Makes the shell rebuild its icons by changing the icon size and back; false when the size
// cannot be read.
bool RefreshShellIcons();

// ---- Texts read into memos

// The longest line a memo is given. The system's edit control lays a line out whole, at some
// twenty bytes a character: a much longer line takes more memory than the program has, and the
// window fails while laying it out.
constexpr size_t kLongestMemoLine = 16 * 1024 * 1024;

// Every NUL as U+FFFD: a NUL would end the text a memo shows. Other control characters stay, as
// they part words like the ends of lines.
void ReplaceNulCharacters(std::wstring& text);
// The characters of the longest line of a text whose lines end at CR LF.
size_t LongestLineLength(const std::wstring& text);
// Why a text with a line of `length` characters is not shown, in the language ("de", else
// English).
std::wstring LineTooLongMessage(size_t length, const std::string& languageCode);
// Puts the text read from the file into the memo as the memo shows it whole: line breaks as CR
// LF, NULs replaced. A text with a line longer than kLongestMemoLine is not put in:
// ETextRefused naming the file, with LineTooLongMessage as its reason; memo unchanged.
void ShowTextInMemo(TCustomMemo* memo, std::wstring text, const std::wstring& fileName,
                    const std::string& languageCode);

// Runs the open dialog; when the user confirms a file name, reads that file through the
// text-file reader into the memo (ShowTextInMemo): in place of its text, or with append after it
// and a line break. False, memo unchanged, when the dialog is cancelled or gives no name. Reading
// errors and a text the memo cannot show reach the caller.
bool LoadTextIntoMemo(TCustomMemo* memo, bool append, TUCodeOpenDialog* dialog, const std::string& languageCode);

// Runs the save dialog preset to defaultName; when the user confirms a file name, writes the
// memo's text there through the text-file writer in the output encoding (a picture name gets a
// picture). True when a file was written. False when the dialog is cancelled or gives no name
// (report->Failure None) or when the writer refused (report says why). Writing errors reach
// the caller.
bool SaveMemoAs(TCustomMemo* memo, const std::wstring& defaultName, TUCodeSaveDialog* dialog,
                TTextSaveReport* report = nullptr);

// Why a save of a user's text wrote nothing, or what it had to change, in the language
// ("de", else English); empty when there is nothing to tell. encoding is the one asked for.
std::wstring TextSaveMessage(const TTextSaveReport& report, int encoding, const std::string& languageCode);
// A save that raised an error: the file and the reason, in the language.
std::wstring TextSaveErrorMessage(const std::exception& error, const std::string& languageCode);


// ---- Index texts

// Every control character but tab, CR and LF (entries read from a file may hold any) as U+FFFD:
// a NUL would end the text a memo shows and a saved copy of it, and the others show as nothing.
void ReplaceControlCharacters(std::wstring& text);

// ---- Progress of a run

// The progress bar's position (0 to 100) at a step of a run over `count` pages or files: step 0
// is the preparation, step k the k-th page or file; the run's count + 2 parts end with the
// refreshing and writing of the index. A run over nothing shows 30.
int RunProgressPosition(size_t step, size_t count);

// ---- Wizard summaries

// One line of a wizard's summary page: the German or the English text, then Tail (a path or a
// length the user chose), written only when On.
struct TSummaryLine {
  bool On;
  const wchar_t* German;
  const wchar_t* English;
  std::wstring Tail = {};
};

// The lines that are on, each ended by CRLF, then an empty line and the request to click the
// start button; languageCode "de" or "en", any other code gives an empty summary.
std::wstring ComposeSummary(std::initializer_list<TSummaryLine> lines, const std::string& languageCode);
