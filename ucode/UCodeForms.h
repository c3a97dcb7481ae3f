// The application-wide pieces of the Unicode layer: a wide title and hint for the application,
// delivery of typed characters above U+00FF to Unicode windows, and the hot-key routines and
// accelerator test of wide captions.
#pragma once

#include <memory>
#include <string>

#include "classlib/ActnList.h"
#include "classlib/Controls.h"
#include "classlib/Forms.h"

// ---------------------------------------------------------------------------------------------
// Hot keys of wide captions: the character after a single "&" ("&&" is a literal "&").

// Position (from 1) of the character after the last single "&"; 0 when there is none.
size_t WideGetHotKeyPos(const std::wstring& caption);
// That character, or empty.
std::wstring WideGetHotKeyChar(const std::wstring& caption);
// The caption without its "&" marks ("&&" becomes "&"). In a far-east locale a group of "(",
// "&", one character and ")" goes whole.
std::wstring WideStripHotkey(const std::wstring& caption);
// Captions equal once their hot keys are stripped, case ignored; the Str form minds case.
bool WideSameCaption(const std::wstring& a, const std::wstring& b);
bool WideSameCaptionStr(const std::wstring& a, const std::wstring& b);
// The wide caption with its "&" marks moved to where the 8-bit caption has them, when only the
// hot keys differ; raises EUCodeInternalError when the result still does not convert to the
// 8-bit caption. A wide caption that differs in more than hot keys comes back as it is.
std::wstring SyncHotKeyPosition(const std::string& ansiCaption, const std::wstring& wideCaption);
// True when the character of a key (an 8-bit code is taken in the keyboard's code page) is the
// hot key of the caption, case ignored.
bool IsWideCharAccel(WORD charCode, const std::wstring& caption);

// ---------------------------------------------------------------------------------------------
// The wide side of the application: title and hint kept beside the library's 8-bit ones.
class TUCodeApplication : public TComponent {
  KX_CLASS(TUCodeApplication, TComponent)
 public:
  explicit TUCodeApplication(TComponent* owner);
  ~TUCodeApplication() override;

  // The title the application window holds (its taskbar entry, the caption of error messages).
  std::wstring GetTitle();
  void SetTitle(const std::wstring& value);
  // The application's hint (the menu item or control under the mouse), wide.
  std::wstring GetHint();
  void SetHint(const std::wstring& value);

  // What the idle control runs: a hint changed through the 8-bit application gives up the
  // wide one.
  void DoIdle();

 private:
  // The library's hint action with the 8-bit form of the wide hint: a wide hint action carrying
  // the wide hint goes out in its place (so that a status display shows the wide text).
  bool WindowHook(TMessage& message);

  std::wstring FTitle;
  std::wstring FHint;
};

// The program's wide application object (made by InitUCodeForms).
extern TUCodeApplication* UCodeApplication;

// A control without size on the main form, whose action's update (run by the application when
// idle) keeps the wide application hint up to date. At most one; the message hook places it.
class TUCodeAppIdleEventControl : public TControl {
  KX_COMPONENT(TUCodeAppIdleEventControl, TControl)
 public:
  explicit TUCodeAppIdleEventControl(TComponent* owner);

 private:
  void OnIdleUpdate(TObject* sender);
  TAction* FIdleAction;
};

// Installs the per-thread message hook that delivers characters above U+00FF to Unicode windows
// whole (the 8-bit message loop would turn them into "?"); raises the system error on failure.
void InstallWideMessageHook();
void UninstallWideMessageHook();

// Makes the wide application object and installs the hook (once; Unicode platforms only).
void InitUCodeForms();
