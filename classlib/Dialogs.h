// Message boxes, with one seam through which a test answers them instead of a user.
#pragma once

#include <functional>
#include <string>

#include "classlib/WinApi.h"

struct TMessageBoxRequest {
  HWND Owner = nullptr;
  std::string Text;
  std::string Caption;
  UINT Flags = 0;  // MB_ flags as given to the system
};
// Returns the button the "user" pressed (IDOK, IDYES, ...).
using TMessageBoxAnswerer = std::function<int(const TMessageBoxRequest&)>;

// Installs the answerer that every message box of the program goes to instead of the system;
// an empty one restores the real boxes.  Returns the previous answerer.
TMessageBoxAnswerer SetMessageBoxAnswerer(TMessageBoxAnswerer answerer);
// Shows a message box (8-bit texts) or asks the installed answerer.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8, mbAbort = 16, mbRetry = 32,
                         mbIgnore = 64;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo, mbYesNoCancel = mbYes | mbNo | mbCancel,
                         mbOKCancel = mbOK | mbCancel,
                         mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

// A message box titled by its kind ("Warning", "Error", "Information", "Confirm"; a custom one
// by the application title) with the nearest system set of the buttons; returns the modal
// result of the button pressed.
int MessageDlg(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons,
               int helpContext = 0);
// An information box with an OK button, titled by the application.
void ShowMessage(const std::string& message);
