// The text index run as the main window drives it: the options are read from the controls
// of the main window and of the criteria, design and word-list windows in one place at the
// start, the engine runs, and the results go to the result memo, the status label, the
// progress bar and message boxes in one place at the end. Nothing here needs a window to be
// shown.
#pragma once

#include "classlib/ComCtrls.h"
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
