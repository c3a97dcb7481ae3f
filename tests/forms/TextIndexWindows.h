// The windows of a text index run, made as the program makes them (not shown) and freed
// again, and message boxes answered by the test.
#pragma once

#include <string>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/Dialogs.h"
#include "classlib/StdCtrls.h"

namespace formstest {

class TextIndexWindows {
 public:
  TextIndexWindows();
  ~TextIndexWindows();
  TextIndexWindows(const TextIndexWindows&) = delete;
  TextIndexWindows& operator=(const TextIndexWindows&) = delete;
  // Windows that have been shown are left to the end of the process instead of being freed
  // (freeing a shown window costs Wine seconds without a window manager).
  void LeaveToProcessEnd() { m_free = false; }

 private:
  bool m_free = true;
};

// Answers every message box with OK and keeps its text and caption, for its lifetime.
class MessageBoxes {
 public:
  MessageBoxes();
  ~MessageBoxes();
  std::vector<std::string> texts;
  std::vector<std::string> captions;
  std::vector<unsigned> flags;

 private:
  TMessageBoxAnswerer m_previous;
};

// The lines of a memo's or list's text.
std::vector<std::string> Lines(const std::string& text);
// The items of a list or combo box.
std::vector<std::string> Items(TStrings* items);
// Control texts are 8-bit in the system code page.
std::wstring Wide(const std::string& text);
std::string Narrow(const std::wstring& text);

// A click on the button as the system tells it: the notification to its parent window,
// handled at once.
void Click(TWinControl* button);
// The same, posted: handled by the next message loop that runs (a modal window's own).
void PostClick(TWinControl* button);
// The user picks item `index` of the combo box from its list.
void Pick(TComboBox* combo, int index);
// Characters typed into the window, each handled as the message loop handles it.
void Type(HWND window, const std::string& text);
// Lets the message loop handle what is waiting.
void Pump();

}  // namespace formstest
