// The text index run as the main window drives it: the options are read from the controls
// of the main window and of the criteria, design and word-list windows in one place at the
// start, the engine runs, and the results go to the result memo, the status label, the
// progress bar and message boxes in one place at the end. Nothing here needs a window to be
// shown.
#pragma once

#include "classlib/ComCtrls.h"
#include "ucode/UCodeRepComCtrls.h"
#include "classlib/StdCtrls.h"
#include "engine/u_PageNumbers.h"
#include "engine/u_TextIndex.h"

// Every option of a run, as the windows hold them now.
TTextIndexOptions ReadTextIndexOptions();
// The criteria of the page-number criteria window.
TPageNumberCriteria ReadPageNumberCriteria();

// When "page numbers from page-number lines" is chosen, fills the page list with the
// page-number lines of the source text; in every case marks the page numbers as read.
void FindPageNumbers();

// The whole run: builds the text index store and writes the index into the result memo.
void BuildTextIndex();

// Makes `page` the text wizard's active page (showing the wizard's panel when it is hidden)
// and sets the back, next and start buttons for it; on the page-number page it detects the
// page numbers when that is due, on the summary page it writes the summary.
void DescribeTextIndexSettings(TTabSheet* page);

// Tells the user a message in a box titled by the program, with the icon of the MB_ flags.
void TellUser(const std::wstring& message, unsigned iconFlags);

// Reads the file named in the source edit into the source memo when that file exists (a folder,
// a device or a pipe is passed over as a name of nothing).
void LoadSourceFile();

// Saves the result memo through the text save dialog, proposing "Index.txt" in the program
// folder. True when a file was written; why a save failed is told in the current language.
bool SaveTextIndexText();
// The same for any result memo of the wizards.
bool SaveResultText(TCustomMemo* memo);

// Writes the store as an index data file under the name chosen in the dialog `SaveIndex`
// (".idx" appended to a name that holds none), in the output encoding. True when written;
// why a save failed is told in the current language.
bool SaveIndexData(const TIndexStore& store);

// Runs the dialog `OpenIndex`; a chosen file becomes the index to extend and ticks the option
// to extend. True when a file was chosen.
bool ChooseIndexToExtend();

// Copies the result memo's text to the clipboard.
void CopyTextIndex();

// "Neu" > "Text Index": empties the store, the source, the page list and the result and shows
// the first page.
void NewTextIndex();
