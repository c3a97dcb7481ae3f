// What a wizard's run shows while it holds the window: its status line and progress bar.
#pragma once

#include <windows.h>

#include <string>

#include "classlib/ComCtrls.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepComCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"

// The status texts of a run on a label and a bar, both redrawn at once. Steps that come often
// (a page, a file) are drawn at most every few hundredths of a second, so that long books and
// lists are not slowed; nothing is set between two drawings, where no one could see it.
class TRunStatus {
 public:
  TRunStatus(TLabel* label, TProgressBar* bar) : m_label(label), m_bar(bar) {}
  // The text `text` followed by `detail` (in the system code page); `position` -1 leaves the bar.
  void Show(const std::string& text, const std::wstring& detail, int position, bool often);

 private:
  static constexpr DWORD kDrawInterval = 40;
  TLabel* m_label;
  TProgressBar* m_bar;
  int m_position = -1;
  DWORD m_lastDrawn = GetTickCount() - kDrawInterval;
};
