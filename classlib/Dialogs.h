// Message dialogs of the application (their boxes go through the seam in MessageBoxes.h).
#pragma once

#include <functional>
#include <string>

#include "classlib/MessageBoxes.h"
#include "classlib/WinApi.h"

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
