// The clipboard that carries text both as 8-bit text (in the system code page) and as Unicode
// text, so that every program reads the copy in the best form it understands.
#pragma once

#include <string>

#include "classlib/Clipbrd.h"

class TUCodeClipboard : public TClipboard {
  KX_CLASS(TUCodeClipboard, TClipboard)
 public:
  // Empties the clipboard and puts `text` as 8-bit text (characters the code page lacks become
  // its substitute "?") and as Unicode text.
  void SetAsWideText(const std::wstring& text);
};

// The program's wide clipboard, made on first call and freed when the program ends.
TUCodeClipboard* WideClipboard();
