// The file index run and the keyword index run as the main window drives them: the options
// are read from the controls of the main window and of the design, word-list and file-list
// option windows in one place at the start, the engine runs, and the results go to the result
// memos, the browser, the status labels and the progress bars in one place at the end. Also
// the rows the file lists get from files and from the links of HTML documents.
#pragma once

#include <string>
#include <vector>

#include "classlib/ComCtrls.h"
#include "ucode/UCodeRepComCtrls.h"
#include "engine/u_FileIndex.h"
#include "engine/u_KeywordIndex.h"
#include "engine/u_funktionen.h"

// The options of the file-list options window.
TFileListOptions ReadFileListOptions();
// Every option of a file index run and of a keyword index run, as the windows hold them now.
TFileIndexOptions ReadFileIndexOptions();
TKeywordIndexOptions ReadKeywordIndexOptions();

// Builds the file index store from the rows of `qulist` and writes the index into `doutput`
// (and, as a page, into the browser).
void BuildFileIndex();
// Collects the keywords of the files of `squlist` and writes the index into `soutput`.
void BuildKeywordIndex();

// Makes `page` the active page of the file / keyword wizard (showing its panel when hidden),
// sets the back, next and start buttons for it and writes the summary on the summary page.
void DescribeFileIndexSettings(TTabSheet* page);
void DescribeKeywordIndexSettings(TTabSheet* page);

// A row for the file in `list`, as the file-list options say, with its icon from `IconList`.
bool AddFileToFileList(TCustomListView* list, const std::wstring& path);
// Rows for the local files the HTML document links to; the document's extension switches the
// file wizard's tag stripping on or off.
void ImportHtmlLinks(const std::wstring& documentPath, TCustomListView* list);
// Rows for many files (dropped from the shell, say) in one update of the list, each file tested
// against doubles once; with `scanLinks` each file is followed by the rows of its links. Each
// file is added or skipped on its own: the names that could not be had (no file, a folder, a
// device, an unreadable document) are told once, with their reasons, in the program's language.
// The number of the files' own rows added.
int AddFilesToFileList(TCustomListView* list, const std::vector<std::wstring>& paths, bool scanLinks);
