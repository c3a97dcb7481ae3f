// The text index: cuts a source text into pages, runs each page through the word
// pipeline into the text index store, post-processes and sorts the store, and
// writes the index as plain text. The builder that reads the main window's
// controls fills a TTextIndexOptions at the start of a run and hands it here.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/u_IndexStore.h"
#include "engine/u_WordPipeline.h"

// One page of the source: its text and its label.
struct TPage {
  std::wstring Text;
  std::wstring Label;
};

// Layout of the written index.
struct TTextIndexLayout {
  bool UseDesign = false;             // use the fields below instead of the defaults
  std::wstring Heading = L"Index";    // heading over the whole index
  std::wstring Between = L" ";        // between the word and its pages
  std::wstring Separator = L", ";     // between two page labels
  bool LetterHeadings = true;
  bool BlankBeforeHeading = true;
};

// Every option of one text index run.
struct TTextIndexOptions {
  bool SourceFromFile = true;              // the file SourcePath, else SourceText
  std::wstring SourcePath;
  std::wstring SourceText;
  bool PagesByLine = false;                // every line a page, else cut at PageList
  std::wstring FirstPage = L"1";           // label of the first line when every line is a page
  std::vector<std::wstring> PageList;      // page-number lines "label (line)"
  bool NumbersBelowText = true;            // page-number lines stand below their page
  bool ExtendIndex = false;                // start from the index data file IndexPath
  std::wstring IndexPath;
  bool SplitJoined = true;                 // list joined words also word by word
  bool RemoveDuplicatePages = true;
  TPipelineOptions Pipeline;
  TTextIndexLayout Layout;
};

// The options as the program's windows start: the factory states of the text
// wizard's boxes and the built-in word lists.
TTextIndexOptions FactoryTextIndexOptions();

// Pages cut by lines: line i is labelled FirstPage + i (1 + i when FirstPage is no integer).
std::vector<TPage> FillPagesByLine(std::vector<std::wstring> lines, const std::wstring& firstPage);

// Pages cut at page-number lines. Items that do not read as "label (number)" are skipped
// and counted, and so are items whose page would start behind the last line of the text.
struct TPageCut {
  std::vector<TPage> Pages;
  int SkippedItems = 0;     // items that do not read
  int ItemsBeyondText = 0;  // items whose page holds no line of the text
};
TPageCut FillPagesByNumbers(const std::vector<std::wstring>& lines, const std::vector<std::wstring>& pageList,
                            bool numbersBelowText);

// The source lines of a run: the file (through the text-file reader, NULs replaced as the source
// memo shows them; a missing file gives none) or the text.
std::vector<std::wstring> ReadSourceLines(const TTextIndexOptions& options);
TPageCut ReadTextPages(const TTextIndexOptions& options);

// The index text: heading line, letter headings and one line per entry, each line
// ended by CR LF; control characters as U+FFFD.
std::wstring WriteTextIndex(const TIndexStore& store, const TTextIndexLayout& layout);

// Steps a run reports, for its status line.
enum class TTextIndexStep { Preparing, ReadingPage, Refreshing, Writing };
// Step, page label (for ReadingPage) and progress position 0..100 (-1: unchanged).
using TTextIndexProgress = std::function<void(TTextIndexStep, const std::wstring&, int)>;

struct TTextIndexRunResult {
  std::wstring Output;             // the written index
  size_t PageCount = 0;
  bool IndexFileUnusable = false;  // extending: the file was missing or held no entries
  int SkippedPageItems = 0;        // page-number lines that do not read
  int PageItemsBeyondText = 0;     // page-number lines whose page holds no line of the text
};

// The whole run on the given store (emptied first).
TTextIndexRunResult RunTextIndex(const TTextIndexOptions& options, TIndexStore& store,
                                 const TTextIndexProgress& progress);

// Summary of the settings for the wizard's last page; languageCode "de" or "en",
// any other code gives an empty text.
std::wstring TextIndexSummary(const TTextIndexOptions& options, const std::string& languageCode);

// Messages the builder shows after a run.
std::wstring IndexFileUnusableMessage(const std::wstring& path, const std::string& languageCode);
std::wstring SkippedPageItemsMessage(int count, const std::string& languageCode);
std::wstring PageItemsBeyondTextMessage(int count, const std::string& languageCode);
