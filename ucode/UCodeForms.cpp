// The wide application object, the message hook and the hot-key routines.
#include "ucode/UCodeForms.h"

#include "classlib/SysUtils.h"
#include "ucode/UCodeActnList.h"
#include "ucode/UCodeClasses.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"
#include "ucode/UCodeWindows.h"

TUCodeApplication* UCodeApplication = nullptr;

namespace {

bool IsFarEastGroup(const std::wstring& caption, size_t at) {
  return SysLocale().FarEast && at + 3 < caption.size() && caption[at] == L'(' && caption[at + 1] == L'&' &&
         caption[at + 3] == L')';
}

HHOOK WideMessageHook = nullptr;
// The main form that the hook last gave an idle control (or found one on).
TCustomForm* IdleControlForm = nullptr;

void PlaceIdleControl() {
  TCustomForm* form = Application ? Application->GetMainForm() : nullptr;
  if (!form || form == IdleControlForm) return;
  IdleControlForm = form;
  for (int i = 0; i < form->GetComponentCount(); ++i)
    if (dynamic_cast<TUCodeAppIdleEventControl*>(form->GetComponent(i))) return;
  auto* control = new TUCodeAppIdleEventControl(form);
  control->SetParent(form);
}

// A character above 255 typed into a Unicode window goes to the window here, whole; the queued
// message becomes a null message that the 8-bit loop then passes over.
void DeliverWideChar(MSG& msg) {
  if (msg.message != WM_CHAR || msg.wParam <= 0xFF || !msg.hwnd || !IsWindowUnicode(msg.hwnd)) return;
  HWND dialog = Application ? Application->GetDialogHandle() : nullptr;
  if (dialog && !IsWindowUnicode(dialog)) return;
  bool handled = false;
  if (Application && Application->OnMessage) Application->OnMessage(msg, handled);
  if (Application) Application->CancelHint();
  if (!handled && !(dialog && IsDialogMessageW(dialog, &msg))) DispatchMessageW(&msg);
  msg.message = WM_NULL;
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM removal, LPARAM data) {
  if (code == HC_ACTION && removal == PM_REMOVE && data) {
    GuardedCallback([&] {
      PlaceIdleControl();
      DeliverWideChar(*reinterpret_cast<MSG*>(data));
    });
  }
  return CallNextHookEx(WideMessageHook, code, removal, data);
}

struct UCodeFormsUnit {
  ~UCodeFormsUnit() {
    UninstallWideMessageHook();
    if (UCodeApplication) UCodeApplication->Free();
    UCodeApplication = nullptr;
  }
};
UCodeFormsUnit ucodeFormsUnit;

}  // namespace

// ---- hot keys -------------------------------------------------------------------------------

size_t WideGetHotKeyPos(const std::wstring& caption) {
  size_t position = 0;
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] != L'&') position = i + 2;
    ++i;
  }
  return position;
}

std::wstring WideGetHotKeyChar(const std::wstring& caption) {
  size_t position = WideGetHotKeyPos(caption);
  return position == 0 ? std::wstring() : caption.substr(position - 1, 1);
}

std::wstring WideStripHotkey(const std::wstring& caption) {
  std::wstring result;
  result.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (IsFarEastGroup(caption, i)) {
      i += 3;
    } else if (caption[i] == L'&') {
      if (i + 1 < caption.size()) result += caption[++i];
    } else {
      result += caption[i];
    }
  }
  return result;
}

bool WideSameCaption(const std::wstring& a, const std::wstring& b) {
  std::wstring x = WideStripHotkey(a), y = WideStripHotkey(b);
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, x.data(), static_cast<int>(x.size()), y.data(),
                        static_cast<int>(y.size())) == CSTR_EQUAL;
}

bool WideSameCaptionStr(const std::wstring& a, const std::wstring& b) {
  return WideStripHotkey(a) == WideStripHotkey(b);
}

std::wstring SyncHotKeyPosition(const std::string& ansiCaption, const std::wstring& wideCaption) {
  if (WideToAnsi(wideCaption) == ansiCaption) return wideCaption;
  const std::wstring marked = AnsiToWide(ansiCaption);
  if (!WideSameCaptionStr(AnsiToWide(WideToAnsi(wideCaption)), marked)) return wideCaption;
  // Walk the 8-bit caption's marks over the stripped wide text.
  const std::wstring stripped = WideStripHotkey(wideCaption);
  std::wstring result;
  size_t at = 0;
  for (size_t i = 0; i < marked.size(); ++i) {
    if (IsFarEastGroup(marked, i)) {
      result += marked.substr(i, 4);
      i += 3;
    } else if (marked[i] == L'&' && i + 1 < marked.size() && marked[i + 1] == L'&') {
      result += L"&&";
      ++i;
      ++at;
    } else if (marked[i] == L'&') {
      result += L'&';
    } else if (at < stripped.size()) {
      result += stripped[at++];
    }
  }
  if (at < stripped.size()) result += stripped.substr(at);
  if (WideToAnsi(result) != ansiCaption)
    throw EUCodeInternalError(Format("Internal Error: SyncHotKeyPosition Failed (\"%s\" <> \"%s\").",
                                     WideToAnsi(result).c_str(), ansiCaption.c_str()));
  return result;
}

bool IsWideCharAccel(WORD charCode, const std::wstring& caption) {
  std::wstring hotKey = WideGetHotKeyChar(caption);
  if (hotKey.empty()) return false;
  wchar_t pair[2] = {KeyUnicode(charCode), hotKey[0]};
  CharUpperBuffW(pair, 2);
  return pair[0] == pair[1];
}

// ---- application ----------------------------------------------------------------------------

TUCodeApplication::TUCodeApplication(TComponent* owner) : TComponent(owner) {
  if (!Application) return;
  Application->HookMainWindow(TWindowHook(this, &TUCodeApplication::WindowHook));
  if (Win32PlatformIsUnicode) Application->SetUnicodeWindow(true);
}

TUCodeApplication::~TUCodeApplication() {
  if (!Application) return;
  Application->UnhookMainWindow(TWindowHook(this, &TUCodeApplication::WindowHook));
  if (Win32PlatformIsUnicode) Application->SetUnicodeWindow(false);
}

bool TUCodeApplication::WindowHook(TMessage& message) {
  if (message.Msg != CM_ACTIONEXECUTE || !Application) return false;
  auto* action = reinterpret_cast<TBasicAction*>(message.LParam);
  if (!action || action->ClassType() != THintAction::StaticClass()) return false;
  const std::string& hint = static_cast<THintAction*>(action)->GetHint();
  if (hint != Application->GetHint() || FHint.empty() || WideToAnsi(FHint) != hint) return false;
  TUCodeHintAction wide(nullptr);
  wide.SetHint(FHint);
  wide.Execute();
  message.Result = 1;
  return true;
}

std::wstring TUCodeApplication::GetTitle() {
  if (!Application) return FTitle;
  if (Win32PlatformIsUnicode && Application->GetHandle()) return Application->GetWindowTitleW();
  return GetSyncedWideString(FTitle, Application->GetTitle());
}

void TUCodeApplication::SetTitle(const std::wstring& value) {
  if (!Application) {
    FTitle = value;
    return;
  }
  HWND wnd = Application->GetHandle();
  if (Win32PlatformIsUnicode && wnd) {
    if (!Application->GetUnicodeWindow()) Application->SetUnicodeWindow(true);
    if (GetTitle() == value) return;
    // The library keeps its 8-bit title; the window then takes the wide one.
    Application->SetTitle(WideToAnsi(value));
    WideSetWindowText(wnd, value);
    return;
  }
  SetSyncedWideString(value, FTitle, Application->GetTitle(),
                      [](const std::string& text) { Application->SetTitle(text); });
}

std::wstring TUCodeApplication::GetHint() {
  return Application ? GetSyncedWideString(FHint, Application->GetHint()) : FHint;
}

void TUCodeApplication::SetHint(const std::wstring& value) {
  if (!Application) {
    FHint = value;
    return;
  }
  SetSyncedWideString(value, FHint, Application->GetHint(),
                      [](const std::string& text) { Application->SetHint(text); });
}

void TUCodeApplication::DoIdle() { GetHint(); }

// ---- idle control ---------------------------------------------------------------------------

TUCodeAppIdleEventControl::TUCodeAppIdleEventControl(TComponent* owner)
    : TControl(owner), FIdleAction(new TUCodeAction(this)) {
  SetParentFont(false);
  SetBounds(0, 0, 0, 0);
  FIdleAction->OnUpdate = TNotifyEvent(this, &TUCodeAppIdleEventControl::OnIdleUpdate);
  SetAction(FIdleAction);
}

void TUCodeAppIdleEventControl::OnIdleUpdate(TObject*) {
  if (UCodeApplication) UCodeApplication->DoIdle();
}

// ---- message hook ---------------------------------------------------------------------------

void InstallWideMessageHook() {
  if (WideMessageHook) return;
  WideMessageHook = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
  if (!WideMessageHook) RaiseLastOSError();
}

void UninstallWideMessageHook() {
  if (WideMessageHook) UnhookWindowsHookEx(WideMessageHook);
  WideMessageHook = nullptr;
}

void InitUCodeForms() {
  if (UCodeApplication) return;
  UCodeApplication = new TUCodeApplication(nullptr);
  if (!Win32PlatformIsUnicode) return;
  InstallWideMessageHook();
}
