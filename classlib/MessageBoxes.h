// Message boxes, with one seam through which a test answers them instead of a user.
#pragma once

#include <functional>
#include <string>

#include "classlib/WinApi.h"

struct TMessageBoxRequest {
  HWND Owner = nullptr;
  std::string Text;     // 8-bit (a wide box's texts in the system code page)
  std::string Caption;
  UINT Flags = 0;  // MB_ flags as given to the system
  std::wstring WideText;  // the texts as the box shows them
  std::wstring WideCaption;
};
// Returns the button the "user" pressed (IDOK, IDYES, ...).
using TMessageBoxAnswerer = std::function<int(const TMessageBoxRequest&)>;

// Installs the answerer that every message box of the program goes to instead of the system;
// an empty one restores the real boxes.  Returns the previous answerer.
TMessageBoxAnswerer SetMessageBoxAnswerer(TMessageBoxAnswerer answerer);
// Shows a message box (8-bit texts) or asks the installed answerer.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);
// The same with wide texts (shown through the system's wide message box).
int ShowMessageBoxW(HWND owner, const std::wstring& text, const std::wstring& caption, UINT flags);
// True while a message box that `owner` owns is open, shown by the system or asked of the
// answerer.
bool MessageBoxOpenFor(HWND owner);
