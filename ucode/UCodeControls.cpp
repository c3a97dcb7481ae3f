// Wide text and hint of controls, Unicode windows and their traps, wide hints.
#include "ucode/UCodeControls.h"

#include <algorithm>
#include <vector>

#include <commctrl.h>

#include "classlib/ActnList.h"
#include "classlib/Menus.h"
#include "classlib/SysUtils.h"
#include "ucode/UCodeGraphics.h"
#include "ucode/UCodeMenus.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeWindows.h"

UINT WM_UCODE_DESTROYWINDOW = 0;

namespace {

// The traps of controls whose window is gone or not yet subclassed; the next window of the same
// control takes its trap over.
std::vector<TWinControlTrap*>& PendingTraps() {
  static std::vector<TWinControlTrap*> traps;
  return traps;
}

// The control whose Unicode window is being created (answers WM_NOTIFYFORMAT of its children).
TWinControl* UnicodeCreationControl = nullptr;
bool Finalized = false;

struct UCodeControlsUnit {
  UCodeControlsUnit() { WM_UCODE_DESTROYWINDOW = RegisterWindowMessageA("UCodeUnicodeVcl.DestroyWindow"); }
  ~UCodeControlsUnit() { Finalized = true; }
};
UCodeControlsUnit ucodeControlsUnit;

std::string Ansi(const std::wstring& text) { return WideStringToStringEx(text, 0); }
std::wstring Wide(const std::string& text) { return StringToWideStringEx(text, 0); }

TWinControl* AsWinControl(TControl* control) {
  return control && control->IsWindowed() ? static_cast<TWinControl*>(control) : nullptr;
}


// The pending trap of the control (taken out of the list), or a new one.
TWinControlTrap* TakeTrap(TWinControl* control) {
  auto& traps = PendingTraps();
  for (auto it = traps.rbegin(); it != traps.rend(); ++it)
    if ((*it)->GetControl() == control) {
      TWinControlTrap* trap = *it;
      traps.erase(std::next(it).base());
      return trap;
    }
  return new TWinControlTrap(control);
}

LRESULT CALLBACK InitUnicodeWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = CreationControl;
  if (!control) return DefWindowProcW(wnd, msg, wParam, lParam);
  control->SetWindowHandle(wnd);
  TWinControlTrap* trap = nullptr;
  try {
    trap = TakeTrap(control);
  } catch (...) {
    HandleCallbackException();
    return DefWindowProcW(wnd, msg, wParam, lParam);
  }
  PendingTraps().push_back(trap);
  WNDPROC mainStub = trap->GetMainWindowProcStub();
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(mainStub));
  if ((GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD) && GetWindowLongW(wnd, GWL_ID) == 0)
    SetWindowLongW(wnd, GWL_ID, static_cast<LONG>(reinterpret_cast<uintptr_t>(wnd)));
  SetPropA(wnd, MAKEINTATOM(WindowAtom), control);
  SetPropA(wnd, MAKEINTATOM(ControlAtom), control);
  CreationControl = nullptr;
  return CallWindowProcW(mainStub, wnd, msg, wParam, lParam);
}

// Registers (once) the Unicode form of the creation record's window class.
std::wstring RegisterUnicodeClass(const TCreateParams& params) {
  std::wstring className = Wide(params.WinClassName) + L".UnicodeClass";
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW existing{};
  if (GetClassInfoW(instance, className.c_str(), &existing)) {
    if (existing.lpfnWndProc == InitUnicodeWndProc) return className;
    if (!UnregisterClassW(className.c_str(), instance)) RaiseLastOSError();
  }
  std::wstring menuName;
  WNDCLASSW windowClass{};
  windowClass.style = params.WindowClass.style;
  windowClass.cbClsExtra = params.WindowClass.cbClsExtra;
  windowClass.cbWndExtra = params.WindowClass.cbWndExtra;
  windowClass.hIcon = params.WindowClass.hIcon;
  windowClass.hCursor = params.WindowClass.hCursor;
  windowClass.hbrBackground = params.WindowClass.hbrBackground;
  windowClass.hInstance = instance;
  windowClass.lpfnWndProc = InitUnicodeWndProc;
  windowClass.lpszClassName = className.c_str();
  const char* menu = params.WindowClass.lpszMenuName;
  if (IsAtomValue(reinterpret_cast<uintptr_t>(menu))) {
    windowClass.lpszMenuName = reinterpret_cast<LPCWSTR>(menu);
  } else {
    menuName = Wide(menu);
    windowClass.lpszMenuName = menuName.c_str();
  }
  if (!RegisterClassW(&windowClass)) RaiseLastOSError();
  return className;
}

}  // namespace

// ---- helper ---------------------------------------------------------------------------------

TWideControlHelper::TWideControlHelper(TControl* control, TList* list)
    : TWideComponentHelper(control, list), FControl(control) {}

TWideControlHelper* FindWideControlHelper(TControl* control, bool create) {
  auto* helper = static_cast<TWideControlHelper*>(FindWideComponentHelper(WideComponentHelpers(), control));
  if (!helper && create) helper = new TWideControlHelper(control, WideComponentHelpers());
  return helper;
}

// ---- text and hint --------------------------------------------------------------------------

std::wstring WideGetControlText(TControl* control) {
  TWinControl* win = AsWinControl(control);
  if (!Win32PlatformIsUnicode || (win && win->HandleAllocated() && !IsWindowUnicode(win->GetWindowHandle())))
    return Wide(control->GetText());
  if (!win) {
    TWideControlHelper* helper = FindWideControlHelper(control, false);
    return helper ? GetSyncedWideString(helper->FCaption, control->GetText()) : Wide(control->GetText());
  }
  if (win->HandleAllocated()) {
    HWND wnd = win->GetWindowHandle();
    int length = GetWindowTextLengthW(wnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(wnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(0, copied)));
    return text;
  }
  TWideControlHelper* helper = FindWideControlHelper(control, false);
  return helper ? helper->FCaption : Wide(control->GetText());
}

void WideSetControlText(TControl* control, const std::wstring& value) {
  TWinControl* win = AsWinControl(control);
  if (!Win32PlatformIsUnicode || (win && win->HandleAllocated() && !IsWindowUnicode(win->GetWindowHandle()))) {
    control->SetText(Ansi(value));
  } else if (!win) {
    TWideControlHelper* helper = FindWideControlHelper(control, true);
    SetSyncedWideString(value, helper->FCaption, control->GetText(),
                        [control](const std::string& text) { control->SetText(text); });
  } else if (!win->HandleAllocated()) {
    FindWideControlHelper(control, true)->FCaption = value;
    control->SetText(Ansi(value));
  } else if (value != WideGetControlText(control)) {
    WideSetWindowText(win->GetWindowHandle(), value);
    control->Perform(CM_TEXTCHANGED, 0, 0);
    // The host dock site hears of it as of any text change; a wide host reads the window. Only
    // a docked control pays for the 8-bit copy (a memo's text may run to millions of characters).
    if (control->GetHostDockSite()) {
      const std::string ansi = Ansi(value);
      control->SendDockNotification(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ansi.c_str()));
    }
  }
}

std::wstring WideGetControlHint(TControl* control) {
  TWideControlHelper* helper = FindWideControlHelper(control, false);
  return helper ? GetSyncedWideString(helper->FHint, control->GetHint()) : Wide(control->GetHint());
}

void WideSetControlHint(TControl* control, const std::wstring& value) {
  TWideControlHelper* helper = FindWideControlHelper(control, true);
  SetSyncedWideString(value, helper->FHint, control->GetHint(),
                      [control](const std::string& text) { control->SetHintField(text); });
}

bool IsWideCaptionStored(TControl* control) {
  return !control->GetActionLink() || !control->GetActionLink()->IsCaptionLinked();
}

bool IsWideHintStored(TControl* control) {
  return !control->GetActionLink() || !control->GetActionLink()->IsHintLinked();
}

std::wstring WideGetHint(TControl* control) {
  for (TControl* c = control; c; c = c->GetParent()) {
    std::wstring hint = WideGetControlHint(c);
    if (!hint.empty()) return hint;
  }
  return std::wstring();
}

std::wstring WideGetShortHint(const std::wstring& hint) {
  size_t bar = hint.find(L'|');
  return bar == std::wstring::npos ? hint : hint.substr(0, bar);
}

std::wstring WideGetLongHint(const std::wstring& hint) {
  size_t bar = hint.find(L'|');
  return bar == std::wstring::npos ? hint : hint.substr(bar + 1);
}

// ---- window creation ------------------------------------------------------------------------

void CreateUnicodeHandle(TWinControl* control, const TCreateParams& params, const std::wstring& systemClassName) {
  if (!Win32PlatformIsUnicode) {
    HWND wnd = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                               params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr,
                               params.WindowClass.hInstance, params.Param);
    control->SetWindowHandle(wnd);
    return;
  }
  WNDCLASSW systemClass{};
  if (!systemClassName.empty() && GetClassInfoW(params.WindowClass.hInstance, systemClassName.c_str(), &systemClass))
    control->SetDefWndProc(systemClass.lpfnWndProc);
  else
    control->SetDefWndProc(DefWindowProcW);
  control->SetOwnWindowClass(systemClassName.empty());
  std::wstring className = RegisterUnicodeClass(params);
  TWinControl* previous = UnicodeCreationControl;
  UnicodeCreationControl = control;
  HWND wnd = CreateWindowExW(params.ExStyle, className.c_str(), nullptr, params.Style, params.X, params.Y,
                             params.Width, params.Height, params.WndParent, nullptr, GetModuleHandleW(nullptr),
                             params.Param);
  UnicodeCreationControl = previous;
  if (!wnd) RaiseLastOSError();
  control->SetWindowHandle(wnd);
  SubClassUnicodeControl(control, params.Caption);
}

void CreateUnicodeHandle_ComCtl(TWinControl* control, const TCreateParams& params, const std::wstring& className) {
  if (className.empty())
    throw EUCodeInternalError("UCode Internal Error: Only call CreateUnicodeHandle_ComCtl for Common Controls.");
  CreateUnicodeHandle(control, params, className);
  if (Win32PlatformIsUnicode) SendMessageW(control->GetWindowHandle(), CCM_SETUNICODEFORMAT, TRUE, 0);
}

void SubClassUnicodeControl(TWinControl* control, const std::string& caption) {
  if (!IsWindowUnicode(control->GetWindowHandle()))
    throw EUCodeInternalError("Internal Error: SubClassUnicodeControl.Control is not Unicode.");
  TWinControlTrap* trap = TakeTrap(control);
  trap->SubClassControl(control->GetWindowHandle());
  TWideControlHelper* helper = FindWideControlHelper(control, false);
  WideSetControlText(control, helper ? helper->FCaption : Wide(caption));
}

// ---- WM_CHAR packing ------------------------------------------------------------------------

void PackWMChar(TMessage& message) {
  if (HIWORD(message.WParam) != 0) throw EUCodeInternalError("Internal Error: Unexpected WM_CHAR high word.");
  WORD code = LOWORD(message.WParam);
  if (code > 255) message.WParam = MAKEWPARAM(0xFF, code);
}

void UnpackWMChar(TMessage& message) {
  WORD low = LOWORD(message.WParam), high = HIWORD(message.WParam);
  if (high != 0 && low == 0xFF) low = high;
  message.WParam = low;
}

wchar_t GetWideCharFromWMCharMsg(const TMessage& message) {
  WORD low = LOWORD(message.WParam), high = HIWORD(message.WParam);
  return static_cast<wchar_t>(low == 0xFF && high != 0 ? high : low);
}

void SetWideCharForWMCharMsg(TMessage& message, wchar_t ch) {
  message.WParam = static_cast<WORD>(ch);
  PackWMChar(message);
}

// ---- trap -----------------------------------------------------------------------------------

TWinControlTrap::TWinControlTrap(TWinControl* control) : TComponent(nullptr), FControl(control) {
  FControlMainStub = MakeObjectInstance(TWndMethod(control, &TWinControl::MainWndProc));
  FWin32ProcStub = MakeObjectInstance(TWndMethod(this, &TWinControlTrap::Win32Proc));
  FDefProcStub = MakeObjectInstance(TWndMethod(this, &TWinControlTrap::DefWin32Proc));
  control->FreeNotification(this);
}

TWinControlTrap::~TWinControlTrap() {
  auto& traps = PendingTraps();
  traps.erase(std::remove(traps.begin(), traps.end(), this), traps.end());
  FreeObjectInstance(FControlMainStub);
  FreeObjectInstance(FWin32ProcStub);
  FreeObjectInstance(FDefProcStub);
}

void TWinControlTrap::SubClassControl(HWND handle) {
  FHandle = handle;
  FPrevWin32Proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(handle, GWLP_WNDPROC));
  FPrevDefWin32Proc = FControl->GetDefWndProc();
  SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FWin32ProcStub));
  FControl->SetDefWndProc(FDefProcStub);

  const TWndMethod hook(this, &TWinControlTrap::WindowProcHook);
  const TWndMethod& current = FControl->GetWindowProc();
  bool hooked;
  if (current == FControl->GetOwnWndProc()) {
    hooked = false;
  } else if (current == hook) {
    hooked = true;
  } else {
    // Another component chained itself in front: see whether our hook sits behind it.
    FTestingWindowProc = true;
    FWindowProcActive = false;
    TMessage probe;
    current(probe);
    hooked = FWindowProcActive;
    FTestingWindowProc = false;
  }
  if (!hooked) {
    FPrevWindowProc = current;
    FControl->SetWindowProc(hook);
  }
}

void TWinControlTrap::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove || component != FControl) return;
  FControl = nullptr;
  if (FWin32ProcLevel == 0)
    delete this;
  else
    FFreePending = true;
}

void TWinControlTrap::Win32Proc(TMessage& message) {
  if (Finalized || !FControl) {
    if (FControl && (message.Msg == WM_DESTROY || message.Msg == WM_UCODE_DESTROYWINDOW))
      FControl->SetWindowHandle(nullptr);
    if (!FControl && FPrevDefWin32Proc)
      message.Result = CallWindowProcW(FPrevDefWin32Proc, FHandle, message.Msg, message.WParam, message.LParam);
    return;
  }
  ++FWin32ProcLevel;
  try {
    FLastWin32Msg = message.Msg;
    message.Result = CallWindowProcW(FPrevWin32Proc, FHandle, message.Msg, message.WParam, message.LParam);
  } catch (...) {
    HandleCallbackException();
  }
  --FWin32ProcLevel;
  if (FWin32ProcLevel == 0 && FFreePending) delete this;
}

void TWinControlTrap::HandleMessage(TMessage& message) {
  if (FTestingWindowProc && message.Msg == 0) {
    FWindowProcActive = true;
    return;
  }
  if (!FControl->HandleAllocated()) {
    FControl->WndProc(message);
    return;
  }
  bool fromWindow = FLastWin32Msg == message.Msg && FLastWin32Msg != 0;
  FLastWin32Msg = 0;
  if (message.Msg == CM_HINTSHOW) WideHintShow(FControl, reinterpret_cast<THintInfo*>(message.LParam));
  if (!fromWindow && (message.Msg == WM_SETTEXT || message.Msg == WM_GETTEXT || message.Msg == WM_GETTEXTLENGTH)) {
    message.Result = SendMessageA(FHandle, message.Msg, message.WParam, message.LParam);
  } else {
    if (message.Msg == WM_CHAR) PackWMChar(message);
    FPrevWindowProc(message);
  }
  if (message.Msg == WM_UCODE_DESTROYWINDOW && FControl) UnSubClass();
}

void TWinControlTrap::WindowProcHook(TMessage& message) { HandleMessage(message); }

void TWinControlTrap::DefWin32Proc(TMessage& message) {
  switch (message.Msg) {
    case WM_NOTIFYFORMAT: {
      HWND asking = reinterpret_cast<HWND>(message.WParam);
      bool unicode = Win32PlatformIsUnicode &&
                     (IsWindowUnicode(asking) ||
                      (UnicodeCreationControl && UnicodeCreationControl->GetWindowHandle() == asking));
      message.Result = unicode ? NFR_UNICODE : NFR_ANSI;
      return;
    }
    case WM_CHAR:
      UnpackWMChar(message);
      break;
    case WM_IME_CHAR:
      if (!Win32PlatformIsXP) {
        message.Result = SendMessageW(FHandle, WM_CHAR, message.WParam, message.LParam);
        return;
      }
      break;
    case WM_DESTROY: {
      WNDPROC defProc = FPrevDefWin32Proc;
      HWND wnd = FHandle;
      UnSubClass();
      message.Result = CallWindowProcW(defProc, wnd, message.Msg, message.WParam, message.LParam);
      return;
    }
  }
  message.Result = CallWindowProcW(FPrevDefWin32Proc, FHandle, message.Msg, message.WParam, message.LParam);
}

void TWinControlTrap::UnSubClass() {
  TWinControl* control = FControl;
  if (!control) return;
  bool destroying = control->GetComponentState().Contains(csDestroying);
  if (!destroying) {
    std::wstring text = WideGetControlText(control);
    FindWideControlHelper(control, true)->FCaption = text;
  }
  const TWndMethod hook(this, &TWinControlTrap::WindowProcHook);
  if (control->GetWindowProc().SameMethod(hook)) control->SetWindowProc(FPrevWindowProc);
  control->SetDefWndProc(FPrevDefWin32Proc);
  if (FHandle && IsWindow(FHandle)) SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevWin32Proc));
  if (!destroying) PendingTraps().push_back(this);
}

// ---- wide hints -----------------------------------------------------------------------------

void WideHintShow(TControl* control, THintInfo* info) {
  if (!Win32PlatformIsUnicode || !info) return;
  TClass cls = info->HintWindowClass;
  if (cls != THintWindow::StaticClass() && !(cls && cls->InheritsFrom(TUCodeCustomHintWindow::StaticClass())))
    return;
  if (cls == THintWindow::StaticClass()) info->HintWindowClass = TUCodeCustomHintWindow::StaticClass();
  info->HintData = info;
  info->HintStr = Ansi(WideGetShortHint(WideGetHint(info->HintControl ? info->HintControl : control)));
}

bool TUCodeCustomHintWindow::WideHintText(const std::string& hint, void* data, std::wstring& text) const {
  auto* info = static_cast<THintInfo*>(data);
  if (!info || info->HintData != info || !info->HintWindowClass ||
      !info->HintWindowClass->InheritsFrom(TUCodeCustomHintWindow::StaticClass()))
    return false;
  text = Wide(hint);
  if (hint.empty() || !info->HintControl) return true;
  std::wstring shortHint = WideGetShortHint(WideGetHint(info->HintControl));
  if (Ansi(shortHint) == hint) {
    text = shortHint;
    return true;
  }
  auto* action = dynamic_cast<TCustomAction*>(info->HintControl->GetAction());
  if (Application && Application->GetHintShortCuts() && action && action->GetShortCut() != scNone) {
    std::string shortCut = ShortCutToText(action->GetShortCut());
    if (Format("%s (%s)", Ansi(shortHint), shortCut) == hint)
      text = shortHint + L" (" + WideShortCutToText(action->GetShortCut()) + L")";
  }
  return true;
}

void TUCodeCustomHintWindow::CreateWindowHandle(const TCreateParams& params) {
  CreateUnicodeHandle(this, params, std::wstring());
}

void TUCodeCustomHintWindow::ActivateHint(RECT rect, const std::string& hint) {
  FBlockSizing = true;
  try {
    THintWindow::ActivateHint(rect, hint);
  } catch (...) {
    FBlockSizing = false;
    throw;
  }
  FBlockSizing = false;
}

void TUCodeCustomHintWindow::ActivateHintData(RECT rect, const std::string& hint, void* data) {
  std::wstring text;
  if (!WideHintText(hint, data, text)) {
    THintWindow::ActivateHintData(rect, hint, data);
    return;
  }
  FBlockPaint = true;
  FBlockSizing = true;
  try {
    THintWindow::ActivateHintData(rect, hint, data);
    WideSetControlText(this, text);
  } catch (...) {
    FBlockPaint = FBlockSizing = false;
    throw;
  }
  FBlockPaint = FBlockSizing = false;
  Invalidate();
}

RECT TUCodeCustomHintWindow::CalcHintRect(int maxWidth, const std::string& hint, void* data) {
  std::wstring text;
  if (!WideHintText(hint, data, text)) return THintWindow::CalcHintRect(maxWidth, hint, data);
  RECT rect{0, 0, maxWidth, 0};
  FCanvas->GetFont()->Assign(FFont.get());
  FCanvas->RequiredState(csHandleValid | csFontValid);
  WideDrawText(FCanvas->GetHandle(), text.c_str(), static_cast<int>(text.size()), &rect,
               DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK | DrawTextBiDiModeFlagsReadingOnly());
  rect.right += 6;
  rect.bottom += 2;
  return rect;
}

void TUCodeCustomHintWindow::Paint() {
  if (FBlockPaint) return;
  if (!Win32PlatformIsUnicode) {
    THintWindow::Paint();
    return;
  }
  RECT rect = GetClientRect();
  rect.left += 2;
  rect.top += 2;
  if (Screen) FCanvas->GetFont()->SetColor(Screen->GetHintFont()->GetColor());
  FCanvas->GetBrush()->SetStyle(bsClear);
  FCanvas->RequiredState(csHandleValid | csFontValid | csBrushValid);
  std::wstring caption = WideGetControlText(this);
  WideDrawText(FCanvas->GetHandle(), caption.c_str(), static_cast<int>(caption.size()), &rect,
               DT_NOPREFIX | DT_WORDBREAK | DrawTextBiDiModeFlagsReadingOnly());
}

void TUCodeCustomHintWindow::CMTextChanged(TMessage&) {
  if (FBlockSizing) return;
  std::wstring caption = WideGetControlText(this);
  FCanvas->GetFont()->Assign(FFont.get());
  SetWidth(WideCanvasTextWidth(FCanvas.get(), caption) + 6);
  SetHeight(WideCanvasTextHeight(FCanvas.get(), caption) + 6);
}

// ---- wide list targets ----------------------------------------------------------------------

void WideAddListItem(TCustomListControl* destination, const std::wstring& item, TObject* object) {
  if (auto* wide = dynamic_cast<IWideCustomListControl*>(destination))
    wide->AddItemW(item, object);
  else
    destination->AddItem(Ansi(item), object);
}
