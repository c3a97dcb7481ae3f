// The file index: every keyword of a list of documents with the label and link of each document
// that holds it, written as plain text or as an XHTML page. The builder that reads the file
// wizard's controls fills a TFileIndexOptions at the start of a run and hands it here.
#pragma once

#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/u_IndexStore.h"
#include "engine/u_WordPipeline.h"

// One document of the list: its label, its link and the file that is read.
struct TFileIndexRow {
  std::wstring Label;
  std::wstring Link;
  std::wstring Source;
};

// Layout of the plain-text index.
struct TFileTextLayout {
  std::wstring Title = L"Index";
  std::wstring EntrySeparator = L":    ";  // between the word and its documents
  std::wstring ItemSeparator = L" | ";     // between two documents
  std::wstring BeforeLabel;
  std::wstring BetweenLabelAndLink = L"[";
  std::wstring AfterLink = L"]";
  bool LetterHeadings = true;
  bool Labels = true;
  bool Links = true;
};

// Design of the XHTML page. Lengths are CSS values ("600px", "100%").
struct TFileHtmlDesign {
  std::wstring Title = L"Index";
  std::wstring Heading = L"Index";
  std::wstring LinkSeparator = L" | ";
  std::wstring FontFamily = L"Verdana, Arial, Helvetica, Sans-Serif";
  std::wstring HeadingSize = L"24px";
  std::wstring SectionSize = L"16px";
  std::wstring TextSize = L"12px";
  std::wstring TotalWidth = L"600px";
  std::wstring LeftWidth = L"180px";
  std::wstring RightWidth = L"350px";
  std::wstring TopWidth = L"100%";
  std::wstring TextColor = L"#333333";
  std::wstring LinkColor = L"#0000FF";
  std::wstring BackgroundColor = L"#FFFFFF";
  std::wstring SideSpacing = L"10px";
  std::wstring SectionSpacing = L"25px";
  std::wstring TopBottomSpacing = L"5px";
  std::wstring TextSpacing = L"0px";
  bool LetterBar = true;
  bool LetterHeadings = true;
};

// Every option of one file index run.
struct TFileIndexOptions {
  std::vector<TFileIndexRow> Rows;
  bool StripTags = true;
  TPipelineOptions Pipeline;
  bool RemoveDuplicatePages = true;
  bool SplitJoined = true;   // also enter joined word runs word by word
  bool ExtendIndex = false;  // start from the index data file IndexPath
  std::wstring IndexPath;
  bool HtmlOutput = true;    // the XHTML page, else plain text
  bool UseDesign = false;    // the design windows' values (in the layouts below) were used
  TFileTextLayout TextLayout;
  TFileHtmlDesign Html;
};

// The value with "px" added when it is a bare integer; values holding "%" or "px" and any
// other text are kept.
std::wstring AppendPx(const std::wstring& value);

// Enters word with the document item "label>link" into the store; with removeDuplicatePages an
// item the entry holds already (the whole item) is not added again.
void AddFileIndexEntry(TIndexStore& store, const std::wstring& word, const std::wstring& label,
                       const std::wstring& link, bool removeDuplicatePages);

// Enters one document's words (positive-list phrases first) with the item "label>link".
// `enteredItems` holds the items entered so far in this run (and those of an index being
// extended: the pieces of its pages between two "|", and every item holding "|" that it holds
// whole): while the item is new, each word goes in once and no entry's items are searched.
void AddFileIndexDocument(TIndexStore& store, const TWordPipeline::Result& words, const std::wstring& label,
                          const std::wstring& link, bool removeDuplicatePages,
                          std::unordered_set<std::wstring>& enteredItems);

// The plain-text index, each line ended by CR LF; control characters as U+FFFD.
std::wstring WriteTextFileIndex(const TIndexStore& store, const TFileTextLayout& layout);
// The XHTML page. Words, labels and links are escaped; the design's texts are written as
// they are, since users put markup there. The page is pure ASCII.
std::wstring WriteHtmlFileIndex(const TIndexStore& store, const TFileHtmlDesign& design);

// Steps a run reports, for its status line.
enum class TFileIndexStep { Preparing, ReadingFile, Refreshing, Writing };
// Step, source path (for ReadingFile) and progress position (-1: unchanged).
using TFileIndexProgress = std::function<void(TFileIndexStep, const std::wstring&, int)>;

struct TFileIndexRunResult {
  std::wstring Output;
  size_t FilesRead = 0;
  bool IndexFileUnusable = false;  // extending: the file was missing or held no entries
};

// The whole run on the given store (emptied first).
TFileIndexRunResult RunFileIndex(const TFileIndexOptions& options, TIndexStore& store,
                                 const TFileIndexProgress& progress);

// Summary of the settings for the wizard's summary page; languageCode "de" or "en", any
// other code gives an empty text.
std::wstring FileIndexSummary(const TFileIndexOptions& options, const std::string& languageCode);
