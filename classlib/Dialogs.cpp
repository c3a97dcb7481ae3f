// Message dialogs.
#include "classlib/Dialogs.h"

#include "classlib/Forms.h"

namespace {

UINT ButtonFlags(TMsgDlgButtons buttons) {
  if ((buttons & mbAbortRetryIgnore) == mbAbortRetryIgnore) return MB_ABORTRETRYIGNORE;
  if ((buttons & mbYesNoCancel) == mbYesNoCancel) return MB_YESNOCANCEL;
  if ((buttons & mbYesNo) == mbYesNo) return MB_YESNO;
  if ((buttons & (mbRetry | mbCancel)) == (mbRetry | mbCancel)) return MB_RETRYCANCEL;
  if ((buttons & mbOKCancel) == mbOKCancel) return MB_OKCANCEL;
  return MB_OK;
}

}  // namespace

int MessageDlg(const std::string& message, TMsgDlgType type, TMsgDlgButtons buttons, int) {
  static const char* const kCaptions[] = {"Warning", "Error", "Information", "Confirm", ""};
  static const UINT kIcons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION,
                                0};
  std::string caption = kCaptions[type];
  if (caption.empty()) caption = Application->GetTitle();
  return Application->MessageBox(message, caption, ButtonFlags(buttons) | kIcons[type]);
}

void ShowMessage(const std::string& message) {
  Application->MessageBox(message, Application->GetTitle(), MB_OK);
}
