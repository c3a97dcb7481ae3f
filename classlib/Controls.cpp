// TControl: text, geometry, appearance and the dispatch chain shared by every control.
#include "classlib/Controls.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/SysUtils.h"


// ---- action link ----------------------------------------------------------------------------
bool TControlActionLink::IsCaptionLinked() const { return FAction != nullptr; }
bool TControlActionLink::IsHintLinked() const { return FAction != nullptr; }
bool TControlActionLink::IsEnabledLinked() const { return FAction != nullptr; }
bool TControlActionLink::IsVisibleLinked() const { return FAction != nullptr; }
bool TControlActionLink::IsOnExecuteLinked() const { return FAction != nullptr; }
bool TControlActionLink::Execute(TComponent*) { return false; }
bool TControlActionLink::Update() { return false; }

namespace {

std::vector<std::pair<TClass, TActionLinkFactory>>& ActionLinkFactories() {
  static std::vector<std::pair<TClass, TActionLinkFactory>> factories{
      {TControlActionLink::StaticClass(),
       [](TControl* client) { return new TControlActionLink(client); }}};
  return factories;
}

}  // namespace

void RegisterActionLinkClass(TClass linkClass, TActionLinkFactory factory) {
  ActionLinkFactories().emplace_back(linkClass, factory);
}

TControlActionLink* CreateActionLink(TClass linkClass, TControl* client) {
  for (TClass cls = linkClass; cls; cls = cls->ClassParent())
    for (const auto& [registered, factory] : ActionLinkFactories())
      if (registered == cls) return factory(client);
  throw EInvalidOperation("No action link can be made of class " + linkClass->ClassName());
}

// ---- shift states ---------------------------------------------------------------------------
TShiftState KeyDataToShiftState(LPARAM keyData) {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (keyData & 0x20000000) shift |= ssAlt;
  return shift;
}

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

// ---- TControl -------------------------------------------------------------------------------
TControl::TControl(TComponent* owner)
    : TComponent(owner),
      FFont(new TFont),
      FColor(clWindow),
      FControlStyle(csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks) {
  FWindowProc = TWndMethod(this, &TControl::WndProc);
  FFont->SetOnChange(TNotifyEvent(this, &TControl::FontChanged));
}

TControl::~TControl() {
  if (FParent) FParent->RemoveControl(this);
  delete FActionLink;
  delete FFont;
}

bool TControl::IsDestroying() const { return GetComponentState().Contains(csDestroying); }
bool TControl::IsLoading() const { return GetComponentState().Contains(csLoading); }

bool IsAccelChar(WORD ch, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    char pair[2] = {static_cast<char>(ch & 0xFF), caption[i + 1]};
    CharUpperBuffA(pair, 2);
    return pair[0] == pair[1];
  }
  return false;
}

std::string GetShortHint(const std::string& hint) { return hint.substr(0, hint.find('|')); }

std::string GetLongHint(const std::string& hint) {
  size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

void TControl::SetParent(TWinControl* parent) {
  if (FParent == parent) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (parent) {
    parent->InsertControl(this);
    if (FParentFont) ParentFontChanged();
  }
}

// -- text --
LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message;
  message.Msg = msg;
  message.WParam = wParam;
  message.LParam = lParam;
  FWindowProc(message);
  return message.Result;
}

int TControl::GetTextLen() { return static_cast<int>(Perform(WM_GETTEXTLENGTH, 0, 0)); }

std::string TControl::GetText() {
  int length = GetTextLen();
  if (length <= 0) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  LRESULT copied = Perform(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return text;
}

void TControl::SetText(const std::string& value) {
  if (GetText() == value) return;
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
  Perform(CM_TEXTCHANGED, 0, 0);
  SendDockNotification(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

void TControl::SendDockNotification(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!FHostDockSite) return;
  TDockNotifyRec notify{msg, wParam, lParam};
  FHostDockSite->Perform(CM_DOCKNOTIFICATION, reinterpret_cast<WPARAM>(this),
                         reinterpret_cast<LPARAM>(&notify));
}

// -- hints --
void TControl::SetShowHint(bool value) {
  if (FShowHint == value) return;
  FShowHint = value;
  FParentShowHint = false;
  Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool value) {
  if (FParentShowHint == value) return;
  FParentShowHint = value;
  if (value && FParent) FShowHint = FParent->GetShowHint();
}

std::string TControl::GetNearestHint() const {
  for (const TControl* control = this; control; control = control->FParent)
    if (!control->FHint.empty()) return control->FHint;
  return std::string();
}

// -- actions --
TBasicAction* TControl::GetAction() const { return FActionLink ? FActionLink->GetAction() : nullptr; }

void TControl::SetAction(TBasicAction* action) {
  if (!action) {
    delete FActionLink;
    FActionLink = nullptr;
    FControlStyle &= ~csActionClient;
    return;
  }
  FControlStyle |= csActionClient;
  if (!FActionLink) {
    FActionLink = CreateActionLink(GetActionLinkClass(), this);
  }
  FActionLink->SetAction(action);
  ActionChange(reinterpret_cast<TObject*>(action), IsLoading());
}

void TControl::ActionChange(TObject*, bool) {}

TClass TControl::GetActionLinkClass() const { return TControlActionLink::StaticClass(); }

void TControl::InitiateAction() {
  if (FActionLink) FActionLink->Update();
}

// -- appearance --
void TControl::SetEnabled(bool value) {
  if (FEnabled == value) return;
  FEnabled = value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetVisible(bool value) {
  if (FVisible == value) return;
  FVisible = value;
  Perform(CM_VISIBLECHANGED, value, 0);
  RequestAlign();
  SendDockNotification(CM_VISIBLECHANGED, value, 0);
}

bool TControl::GetShowing() const { return FVisible && FParent && FParent->GetShowing(); }

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  Invalidate();
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  Invalidate();
  RequestAlign();
  Resize();
}

RECT TControl::GetBoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }

RECT TControl::GetClientRect() { return RECT{0, 0, FWidth, FHeight}; }

void TControl::SetClientWidth(int value) { SetWidth(FWidth - GetClientWidth() + value); }
void TControl::SetClientHeight(int value) { SetHeight(FHeight - GetClientHeight() + value); }

POINT TControl::GetClientOrigin() const {
  if (!FParent) return POINT{FLeft, FTop};
  POINT origin = FParent->GetClientOrigin();
  return POINT{origin.x + FLeft, origin.y + FTop};
}

POINT TControl::ClientToScreen(POINT point) const {
  POINT origin = GetClientOrigin();
  return POINT{point.x + origin.x, point.y + origin.y};
}

POINT TControl::ScreenToClient(POINT point) const {
  POINT origin = GetClientOrigin();
  return POINT{point.x - origin.x, point.y - origin.y};
}

void TControl::SetAlign(TAlign value) {
  if (FAlign == value) return;
  FAlign = value;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (FParent) FParent->AlignControls();
}

void TControl::SetFont(TFont* value) { FFont->Assign(value); }

void TControl::FontChanged(TObject*) {
  FParentFont = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool value) {
  if (FParentFont == value) return;
  FParentFont = value;
  if (value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParent || !FParentFont) return;
  FFont->Assign(FParent->GetFont());
  FParentFont = true;  // assigning fires FontChanged, which clears it
}

void TControl::SetColor(TColor value) {
  if (FColor == value) return;
  FColor = value;
  FParentColor = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool value) {
  if (FParentColor == value) return;
  FParentColor = value;
  if (value) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

// -- right to left --
void TControl::SetBiDiMode(TBiDiMode value) {
  if (FBiDiMode == value) return;
  FBiDiMode = value;
  Invalidate();
}

bool TControl::UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }

bool TControl::UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }

UINT TControl::DrawTextBiDiModeFlags(UINT flags) const {
  if (UseRightToLeftAlignment()) {
    if ((flags & (DT_CENTER | DT_RIGHT)) == DT_LEFT) flags |= DT_RIGHT;
    else if (flags & DT_RIGHT) flags &= ~DT_RIGHT;
  }
  return flags | DrawTextBiDiModeFlagsReadingOnly();
}

UINT TControl::DrawTextBiDiModeFlagsReadingOnly() const {
  return UseRightToLeftReading() ? DT_RTLREADING : 0;
}

// -- painting and clicks --
void TControl::Invalidate() {
  if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
  RECT rect = GetBoundsRect();
  InvalidateRect(FParent->GetWindowHandle(), &rect, !(FControlStyle & csOpaque));
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::BringToFront() {
  if (!FParent) return;
  auto* winControl = dynamic_cast<TWinControl*>(this);
  if (winControl && winControl->HandleAllocated())
    SetWindowPos(winControl->GetWindowHandle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
  Invalidate();
}

void TControl::Click() {
  if (FActionLink && FActionLink->IsOnExecuteLinked() && FActionLink->Execute(this)) return;
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* winControl = dynamic_cast<TWinControl*>(parent)) SetParent(winControl);
}

void TControl::BeforeDestruction() {
  Destroying();
  FHostDockSite = nullptr;
  if (FParent) FParent->RemoveControl(this);
  TComponent::BeforeDestruction();
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (FParent && FParentFont) ParentFontChanged();
  RequestAlign();
}

// -- mouse --
void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseMessage(TMessage& message, TMouseButton button, bool down) {
  const auto& mouse = MessageAs<TWMMouse>(message);
  TShiftState shift = KeysToShiftState(mouse.Keys);
  int x = mouse.XPos, y = mouse.YPos;
  if (down) {
    if (message.Msg == WM_LBUTTONDBLCLK) {
      shift |= ssDouble;
      if (FControlStyle & csClickEvents) DblClick();
    }
    if (button == mbLeft) FControlState |= csLButtonDown | csClicked;
    MouseDown(button, shift, x, y);
    return;
  }
  bool clicked = button == mbLeft && (FControlState & csClicked);
  if (button == mbLeft) FControlState &= ~(csLButtonDown | csClicked);
  if (clicked && (FControlStyle & csClickEvents)) {
    RECT client = GetClientRect();
    if (PtInRect(&client, POINT{x, y})) Click();
  }
  MouseUp(button, shift, x, y);
}

// Mouse messages: the default handling (the window places its caret, say) comes first, the
// events after it.
void TControl::WMMouseButton(TMessage& message) {
  DefaultHandler(message);
  switch (message.Msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: MouseMessage(message, mbLeft, true); break;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: MouseMessage(message, mbRight, true); break;
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: MouseMessage(message, mbMiddle, true); break;
    case WM_LBUTTONUP: MouseMessage(message, mbLeft, false); break;
    case WM_RBUTTONUP: MouseMessage(message, mbRight, false); break;
    case WM_MBUTTONUP: MouseMessage(message, mbMiddle, false); break;
    case WM_MOUSEMOVE: {
      const auto& mouse = MessageAs<TWMMouse>(message);
      MouseMove(KeysToShiftState(mouse.Keys), mouse.XPos, mouse.YPos);
      break;
    }
  }
}

// -- dispatch --
void TControl::WndProc(TMessage& message) { Dispatch(message); }

void TControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
      WMMouseButton(message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(message); break;
    case CM_FONTCHANGED: CMFontChanged(message); break;
    case CM_COLORCHANGED: CMColorChanged(message); break;
    case CM_TEXTCHANGED: CMTextChanged(message); break;
    case CM_HINTSHOW: CMHintShow(message); break;
    case CM_DIALOGCHAR: CMDialogChar(message); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(message); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(message); break;
    default: DefaultHandler(message);
  }
}

// Without a window of its own the control keeps its text in a field.
void TControl::DefaultHandler(TMessage& message) {
  switch (message.Msg) {
    case WM_GETTEXTLENGTH: message.Result = static_cast<LRESULT>(FText.size()); break;
    case WM_GETTEXT: {
      if (message.WParam == 0) { message.Result = 0; break; }
      size_t count = std::min<size_t>(FText.size(), message.WParam - 1);
      char* buffer = reinterpret_cast<char*>(message.LParam);
      FText.copy(buffer, count);
      buffer[count] = '\0';
      message.Result = static_cast<LRESULT>(count);
      break;
    }
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(message.LParam);
      FText = text ? text : "";
      message.Result = 1;
      break;
    }
    default: break;
  }
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMVisibleChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMTextChanged(TMessage&) { Invalidate(); }
void TControl::CMHintShow(TMessage& message) { DefaultHandler(message); }
void TControl::CMDialogChar(TMessage& message) { DefaultHandler(message); }

void TControl::CMParentFontChanged(TMessage&) {
  if (FParentFont) ParentFontChanged();
}

void TControl::CMParentColorChanged(TMessage&) {
  if (!FParentColor || !FParent) return;
  FColor = FParent->GetColor();
  FParentColor = true;
  Perform(CM_COLORCHANGED, 0, 0);
}

// ---- creation protocol ----------------------------------------------------------------------
TWinControl* CreationControl = nullptr;
ATOM WindowAtom = 0;
ATOM ControlAtom = 0;
std::string WindowAtomString;
std::string ControlAtomString;

namespace {

// Adds the two atoms when the program starts and deletes them when it ends.
struct ControlAtoms {
  ControlAtoms() {
    WindowAtomString = Format("%s%.8X", kWindowAtomPrefix, GetCurrentProcessId());
    WindowAtom = GlobalAddAtomA(WindowAtomString.c_str());
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&InitWndProc), &module);
    ControlAtomString = Format("ControlOfs%.8X%.8X", reinterpret_cast<uintptr_t>(module),
                               GetCurrentThreadId());
    ControlAtom = GlobalAddAtomA(ControlAtomString.c_str());
  }
  ~ControlAtoms() {
    GlobalDeleteAtom(ControlAtom);
    GlobalDeleteAtom(WindowAtom);
  }
};
ControlAtoms controlAtoms;

HINSTANCE ProgramInstance() { return GetModuleHandleA(nullptr); }

}  // namespace

LRESULT CALLBACK InitWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TWinControl* control = CreationControl;
  if (!control) return DefWindowProcA(wnd, msg, wParam, lParam);
  CreationControl = nullptr;
  control->SetWindowHandle(wnd);
  WNDPROC instance = control->GetObjectInstance();
  SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(instance));
  if ((GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD) && GetWindowLongA(wnd, GWL_ID) == 0)
    SetWindowLongA(wnd, GWL_ID, static_cast<LONG>(reinterpret_cast<uintptr_t>(wnd)));
  SetPropA(wnd, MAKEINTATOM(WindowAtom), control);
  SetPropA(wnd, MAKEINTATOM(ControlAtom), control);
  return CallWindowProcA(instance, wnd, msg, wParam, lParam);
}

TWinControl* FindControl(HWND wnd) {
  if (!wnd || !ControlAtom) return nullptr;
  DWORD process = 0;
  if (GetWindowThreadProcessId(wnd, &process) != GetCurrentThreadId() ||
      process != GetCurrentProcessId())
    return nullptr;
  return static_cast<TWinControl*>(GetPropA(wnd, MAKEINTATOM(ControlAtom)));
}

TControl* FindDragTarget(POINT screenPos, bool allowDisabled) {
  HWND wnd = WindowFromPoint(screenPos);
  TWinControl* control = nullptr;
  while (wnd && !(control = FindControl(wnd))) wnd = GetParent(wnd);
  if (!control) return nullptr;
  TControl* inner = control->ControlAtPos(control->ScreenToClient(screenPos), allowDisabled);
  return inner ? inner : control;
}

TCustomForm* GetParentForm(TControl* control) {
  while (control && control->GetParent()) control = control->GetParent();
  return dynamic_cast<TCustomForm*>(control);
}

// ---- TWinControl ----------------------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner), FBrush(new TBrush) {
  FWindowed = true;
  FObjectInstance = MakeObjectInstance(TWndMethod(this, &TWinControl::MainWndProc));
  FBrush->SetColor(FColor);
}

TWinControl::~TWinControl() {
  if (FParent) FParent->RemoveControl(this);
  if (FHandle) DestroyHandle();
  // Children still placed on this control lose their parent; their owner frees them.
  while (!FControls.empty()) FControls.back()->SetParent(nullptr);
  FreeObjectInstance(FObjectInstance);
  delete FBrush;
}

void TWinControl::BeforeDestruction() {
  Destroying();
  TCustomForm* form = GetParentForm(this);
  if (form && form != static_cast<TControl*>(this)) form->ControlDestroyed(this);
  if (FHandle) DestroyHandle();
  while (!FControls.empty()) FControls.back()->SetParent(nullptr);
  TControl::BeforeDestruction();
}

void TWinControl::MainWndProc(TMessage& message) {
  GuardedCallback([&] { FWindowProc(message); });
}

HWND TWinControl::GetHandle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& params) {
  params = TCreateParams();
  params.Caption = FText;
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle & csAcceptsControls) params.Style |= WS_CLIPCHILDREN;
  if (FVisible) params.Style |= WS_VISIBLE;
  if (!FEnabled) params.Style |= WS_DISABLED;
  if (FTabStop) params.Style |= WS_TABSTOP;
  params.X = FLeft;
  params.Y = FTop;
  params.Width = FWidth;
  params.Height = FHeight;
  if (FParent) params.WndParent = FParent->GetHandle();
  params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  params.WindowClass.lpfnWndProc = DefWindowProcA;
  params.WindowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  params.WindowClass.hInstance = ProgramInstance();
  params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* systemClassName) {
  WNDCLASSA systemClass{};
  if (!GetClassInfoA(nullptr, systemClassName, &systemClass) &&
      !GetClassInfoA(ProgramInstance(), systemClassName, &systemClass))
    RaiseLastOSError();
  params.WindowClass.style = systemClass.style & ~CS_GLOBALCLASS;
  params.WindowClass.cbClsExtra = systemClass.cbClsExtra;
  params.WindowClass.cbWndExtra = systemClass.cbWndExtra;
  params.WindowClass.hIcon = systemClass.hIcon;
  params.WindowClass.hCursor = systemClass.hCursor;
  params.WindowClass.hbrBackground = systemClass.hbrBackground;
  params.WindowClass.lpszMenuName = systemClass.lpszMenuName;
  params.WindowClass.lpfnWndProc = systemClass.lpfnWndProc;
}

// Registers the control's window class with InitWndProc as its procedure (re-registering a
// class of the same name that carries another procedure).
void TWinControl::RegisterWindowClass(TCreateParams& params) {
  FDefWndProc = params.WindowClass.lpfnWndProc;
  WNDCLASSA existing{};
  HINSTANCE instance = params.WindowClass.hInstance;
  if (GetClassInfoA(instance, params.WinClassName.c_str(), &existing)) {
    if (existing.lpfnWndProc == InitWndProc) return;
    UnregisterClassA(params.WinClassName.c_str(), instance);
  }
  WNDCLASSA windowClass = params.WindowClass;
  windowClass.lpfnWndProc = InitWndProc;
  windowClass.lpszClassName = params.WinClassName.c_str();
  if (!RegisterClassA(&windowClass)) RaiseLastOSError();
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & WS_CHILD) && !params.WndParent)
    throw EInvalidOperation(Format("Control '%s' has no parent window", GetName().c_str()));
  RegisterWindowClass(params);
  CreationControl = this;
  try {
    CreateWindowHandle(params);
  } catch (...) {
    CreationControl = nullptr;
    throw;
  }
  CreationControl = nullptr;
  if (!FHandle) RaiseLastOSError();
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
  HWND wnd = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(),
                             params.Style, params.X, params.Y, params.Width, params.Height,
                             params.WndParent, nullptr, params.WindowClass.hInstance,
                             params.Param);
  FHandle = wnd;
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  FControlState |= csCreating;
  try {
    CreateWnd();
  } catch (...) {
    FControlState &= ~csCreating;
    throw;
  }
  FControlState &= ~csCreating;
  FText.clear();  // the window holds the text from now on
  SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 0);
  UpdateBounds();
  CreateChildHandles();
  AlignControls();
}

void TWinControl::CreateChildHandles() {
  for (TControl* child : std::vector<TControl*>(FControls))
    if (auto* winChild = dynamic_cast<TWinControl*>(child)) winChild->CreateHandle();
}

void TWinControl::DestroyWnd() {
  FText = GetText();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  FControlState |= csDestroyingHandle;
  HWND wnd = FHandle;
  if (wnd && !DestroyWindow(wnd)) {
    FControlState &= ~csDestroyingHandle;
    RaiseLastOSError();
  }
  FHandle = nullptr;
  FControlState &= ~csDestroyingHandle;
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  for (TControl* child : std::vector<TControl*>(FControls))
    if (auto* winChild = dynamic_cast<TWinControl*>(child)) winChild->DestroyHandle();
  DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  DestroyHandle();
  if (!FParent || FParent->HandleAllocated()) CreateHandle();
}

void TWinControl::WMNCDestroy(TMessage& message) {
  DefaultHandler(message);
  HWND wnd = FHandle;
  if (wnd) {
    RemovePropA(wnd, MAKEINTATOM(WindowAtom));
    RemovePropA(wnd, MAKEINTATOM(ControlAtom));
  }
  FHandle = nullptr;
}

// ---- dispatch -------------------------------------------------------------------------------
void TWinControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: {
      // A mouse message over a child without a window belongs to that child.
      const auto& mouse = MessageAs<TWMMouse>(message);
      TControl* child = ControlAtPos(POINT{mouse.XPos, mouse.YPos}, false);
      if (child && GetCapture() != FHandle) {
        POINT at{mouse.XPos - child->GetLeft(), mouse.YPos - child->GetTop()};
        message.Result = child->Perform(message.Msg, message.WParam, MAKELPARAM(at.x, at.y));
        return;
      }
      break;
    }
  }
  TControl::WndProc(message);
}

void TWinControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_PAINT: WMPaint(message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(message); break;
    case WM_COMMAND: WMCommand(message); break;
    case WM_NOTIFY: WMNotify(message); break;
    case WM_DRAWITEM: case WM_MEASUREITEM: case WM_DELETEITEM: case WM_COMPAREITEM:
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: case WM_HSCROLL: case WM_VSCROLL: case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      WMReflected(message); break;
    case WM_SIZE: WMSize(message); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(message); break;
    case WM_SETFOCUS: WMSetFocus(message); break;
    case WM_KILLFOCUS: WMKillFocus(message); break;
    case WM_KEYDOWN: case WM_SYSKEYDOWN: WMKeyDown(message); break;
    case WM_KEYUP: case WM_SYSKEYUP: WMKeyUp(message); break;
    case WM_CHAR: WMChar(message); break;
    case WM_SYSCHAR: WMSysChar(message); break;
    case WM_NCDESTROY: WMNCDestroy(message); break;
    case CN_KEYDOWN: CNKeyDown(message); break;
    case CN_KEYUP: case CN_SYSKEYUP: CNKeyUp(message); break;
    case CN_CHAR: CNChar(message); break;
    case CN_SYSKEYDOWN: CNSysKeyDown(message); break;
    case CN_SYSCHAR: CNSysChar(message); break;
    case CN_CTLCOLORMSGBOX: case CN_CTLCOLOREDIT: case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN: case CN_CTLCOLORDLG: case CN_CTLCOLORSCROLLBAR: case CN_CTLCOLORSTATIC:
      CNCtlColor(message); break;
    case CM_ENTER: CMEnter(message); break;
    case CM_EXIT: CMExit(message); break;
    case CM_DIALOGKEY: CMDialogKey(message); break;
    case CM_SHOWINGCHANGED: CMShowingChanged(message); break;
    case CM_DOCKCLIENT: CMDockClient(message); break;
    case CM_DOCKNOTIFICATION: CMDockNotification(message); break;
    default: TControl::Dispatch(message);
  }
}

// With a window, what no handler took goes to the window's default procedure.
void TWinControl::DefaultHandler(TMessage& message) {
  if (!FHandle) {
    TControl::DefaultHandler(message);
    return;
  }
  WNDPROC procedure = FDefWndProc ? FDefWndProc : DefWindowProcA;
  message.Result = CallWindowProcA(procedure, FHandle, message.Msg, message.WParam, message.LParam);
}

void TWinControl::ReflectToChild(TMessage& message, HWND child, UINT reflected) {
  TWinControl* control = FindControl(child);
  if (control && control != this) {
    message.Result = control->Perform(reflected, message.WParam, message.LParam);
    return;
  }
  DefaultHandler(message);
}

void TWinControl::WMCommand(TMessage& message) {
  ReflectToChild(message, reinterpret_cast<HWND>(message.LParam), CN_COMMAND);
}

void TWinControl::WMNotify(TMessage& message) {
  const NMHDR* header = reinterpret_cast<const NMHDR*>(message.LParam);
  ReflectToChild(message, header ? header->hwndFrom : nullptr, CN_NOTIFY);
}

void TWinControl::WMReflected(TMessage& message) {
  HWND child = nullptr;
  switch (message.Msg) {
    case WM_DRAWITEM:
      child = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam)->hwndItem;
      break;
    case WM_MEASUREITEM: case WM_COMPAREITEM: case WM_DELETEITEM:
      if (message.WParam && FHandle) child = GetDlgItem(FHandle, static_cast<int>(message.WParam));
      break;
    default: child = reinterpret_cast<HWND>(message.LParam);
  }
  ReflectToChild(message, child, CN_BASE + message.Msg);
}

void TWinControl::CNCtlColor(TMessage& message) {
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  SetTextColor(dc, ColorToRGB(FFont->GetColor()));
  SetBkColor(dc, ColorToRGB(FBrush->GetColor()));
  message.Result = reinterpret_cast<LRESULT>(FBrush->GetHandle());
}

void TWinControl::WMEraseBkgnd(TMessage& message) {
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  if (FDefWndProc != DefWindowProcA || !dc) {
    DefaultHandler(message);
    return;
  }
  RECT rect;
  ::GetClientRect(FHandle, &rect);
  FillRect(dc, &rect, FBrush->GetHandle());
  message.Result = 1;
}

void TWinControl::PaintWindow(HDC dc) {
  TMessage message;
  message.Msg = WM_PAINT;
  message.WParam = reinterpret_cast<WPARAM>(dc);
  DefaultHandler(message);
}

void TWinControl::PaintHandler(TMessage& message) {
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  PAINTSTRUCT paint{};
  if (!dc) dc = BeginPaint(FHandle, &paint);
  try {
    int saved = SaveDC(dc);
    for (TControl* child : FControls) {
      auto* winChild = dynamic_cast<TWinControl*>(child);
      if (winChild && winChild->FVisible && (child->GetControlStyle() & csOpaque)) {
        RECT r = child->GetBoundsRect();
        ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
      }
    }
    PaintWindow(dc);
    RestoreDC(dc, saved);
    PaintControls(dc, nullptr);
  } catch (...) {
    if (!message.WParam) EndPaint(FHandle, &paint);
    throw;
  }
  if (!message.WParam) EndPaint(FHandle, &paint);
}

void TWinControl::WMPaint(TMessage& message) {
  bool hasGraphicChildren = std::any_of(FControls.begin(), FControls.end(),
                                        [](TControl* c) { return !c->IsWindowed(); });
  if (!hasGraphicChildren && !(FControlState & csCustomPaint)) {
    DefaultHandler(message);
    return;
  }
  PaintHandler(message);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  auto start = first ? std::find(FControls.begin(), FControls.end(), first) : FControls.begin();
  for (auto it = start; it != FControls.end(); ++it) {
    TControl* child = *it;
    if (child->IsWindowed() || !child->GetVisible()) continue;
    RECT bounds = child->GetBoundsRect();
    if (!RectVisible(dc, &bounds)) continue;
    int saved = SaveDC(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + bounds.left, origin.y + bounds.top, nullptr);
    IntersectClipRect(dc, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top);
    child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

// ---- geometry -------------------------------------------------------------------------------
void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  if (FHandle) {
    SetWindowPos(FHandle, nullptr, left, top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);  // WM_WINDOWPOSCHANGED updates the fields
    if (FLeft == left && FTop == top && FWidth == width && FHeight == height) return;
  }
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  RequestAlign();
  AlignControls();
  Resize();
}

void TWinControl::UpdateBounds() {
  if (!FHandle) return;
  RECT rect;
  GetWindowRect(FHandle, &rect);
  HWND parent = GetAncestor(FHandle, GA_PARENT);
  if ((GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD) && parent)
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  bool resized = rect.right - rect.left != FWidth || rect.bottom - rect.top != FHeight;
  bool moved = rect.left != FLeft || rect.top != FTop;
  FLeft = rect.left;
  FTop = rect.top;
  FWidth = rect.right - rect.left;
  FHeight = rect.bottom - rect.top;
  if (moved || resized) RequestAlign();
  if (resized) {
    AlignControls();
    Resize();
  }
}

void TWinControl::WMWindowPosChanged(TMessage& message) {
  DefaultHandler(message);
  UpdateBounds();
}

void TWinControl::WMSize(TMessage& message) {
  DefaultHandler(message);
  UpdateBounds();
}

RECT TWinControl::GetClientRect() {
  RECT rect{0, 0, FWidth, FHeight};
  if (FHandle) ::GetClientRect(FHandle, &rect);
  return rect;
}

POINT TWinControl::GetClientOrigin() const {
  if (!FHandle) return TControl::GetClientOrigin();
  POINT origin{0, 0};
  ::ClientToScreen(FHandle, &origin);
  return origin;
}

bool TWinControl::GetShowing() const {
  if (FHandle) return IsWindowVisible(FHandle);
  return TControl::GetShowing();
}

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, !(FControlStyle & csOpaque));
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

// ---- children -------------------------------------------------------------------------------
void TWinControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FHandle && (!parent || !parent->HandleAllocated())) DestroyHandle();
  TControl::SetParent(parent);
  if (FHandle && parent) ::SetParent(FHandle, parent->GetHandle());
  else if (parent && parent->HandleAllocated()) CreateHandle();
}

void TWinControl::InsertControl(TControl* control) {
  FControls.push_back(control);
  control->FParent = this;
  if (auto* winControl = dynamic_cast<TWinControl*>(control)) FTabList.push_back(winControl);
  if (control->FParentColor) control->Perform(CM_PARENTCOLORCHANGED, 0, 0);
  if (control->FParentShowHint) control->FShowHint = FShowHint;
  control->Invalidate();
  AlignControls();
}

void TWinControl::RemoveControl(TControl* control) {
  control->Invalidate();
  FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
  FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), control), FTabList.end());
  control->FParent = nullptr;
  if (!IsDestroying()) AlignControls();
}

bool TWinControl::ContainsControl(TControl* control) const {
  for (; control; control = control->GetParent())
    if (control == this) return true;
  return false;
}

void TWinControl::Broadcast(TMessage& message) {
  for (TControl* child : std::vector<TControl*>(FControls)) {
    child->GetWindowProc()(message);
    if (message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT msg) {
  for (TControl* child : std::vector<TControl*>(FControls)) child->Perform(msg, 0, 0);
}

TControl* TWinControl::ControlAtPos(POINT pos, bool allowDisabled, bool allowWinControls) {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* child = *it;
    if (child->IsWindowed() && !allowWinControls) continue;
    if (!child->GetVisible() || (!child->GetEnabled() && !allowDisabled)) continue;
    RECT bounds = child->GetBoundsRect();
    if (PtInRect(&bounds, pos)) return child;
  }
  return nullptr;
}

void TWinControl::RequestAlign() {
  if (FParent) FParent->AlignControls();
}

void TWinControl::EnableAlign() {
  if (--FAlignLevel == 0) AlignControls();
}

void TWinControl::AlignControls() {
  if (FAlignLevel > 0 || FAligning || IsDestroying() || IsLoading()) return;
  FAligning = true;
  try {
    RECT rect = GetClientRect();
    AdjustClientRect(rect);
    AlignControlsIn(rect);
  } catch (...) {
    FAligning = false;
    throw;
  }
  FAligning = false;
}

// Lays out aligned children: top ones first, then bottom, left, right, and the client one
// takes what is left; each keeps its order among its kind.
void TWinControl::AlignControlsIn(RECT& rect) {
  for (TAlign kind : {alTop, alBottom, alLeft, alRight, alClient}) {
    for (TControl* child : std::vector<TControl*>(FControls)) {
      if (child->GetAlign() != kind || !child->GetVisible()) continue;
      int w = child->GetWidth(), h = child->GetHeight();
      int width = rect.right - rect.left, height = rect.bottom - rect.top;
      switch (kind) {
        case alTop: child->SetBounds(rect.left, rect.top, width, h); rect.top += h; break;
        case alBottom: child->SetBounds(rect.left, rect.bottom - h, width, h); rect.bottom -= h; break;
        case alLeft: child->SetBounds(rect.left, rect.top, w, height); rect.left += w; break;
        case alRight: child->SetBounds(rect.right - w, rect.top, w, height); rect.right -= w; break;
        default: child->SetBounds(rect.left, rect.top, width, height); break;
      }
    }
  }
}

// ---- focus ----------------------------------------------------------------------------------
bool TWinControl::CanFocus() const {
  for (const TControl* control = this; control; control = control->GetParent())
    if (!control->GetVisible() || !control->GetEnabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  ::SetFocus(GetHandle());
}

std::vector<TWinControl*> TWinControl::GetTabOrderList() const {
  std::vector<TWinControl*> list;
  for (TWinControl* child : FTabList) {
    list.push_back(child);
    std::vector<TWinControl*> inner = child->GetTabOrderList();
    list.insert(list.end(), inner.begin(), inner.end());
  }
  return list;
}

int TWinControl::GetTabOrder() const {
  if (!FParent) return -1;
  const auto& list = FParent->FTabList;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int value) {
  if (!FParent) return;
  auto& list = FParent->FTabList;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  value = std::clamp(value, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + value, this);
}

void TWinControl::SetTabStop(bool value) {
  if (FTabStop == value) return;
  FTabStop = value;
  if (FHandle) {
    LONG style = GetWindowLongA(FHandle, GWL_STYLE);
    SetWindowLongA(FHandle, GWL_STYLE, value ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop) {
  std::vector<TWinControl*> list = GetTabOrderList();
  if (list.empty()) return nullptr;
  int count = static_cast<int>(list.size());
  int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
  if (start == count) start = forward ? count - 1 : 0;
  for (int step = 1; step <= count; ++step) {
    int i = ((forward ? start + step : start - step) % count + count) % count;
    TWinControl* candidate = list[static_cast<size_t>(i)];
    if (candidate == current && step < count) continue;
    if ((!checkTabStop || candidate->FTabStop) && candidate->CanFocus() &&
        candidate->GetControlCount() == 0)
      return candidate;
    if ((!checkTabStop || candidate->FTabStop) && candidate->CanFocus() &&
        !(candidate->FControlStyle & csAcceptsControls))
      return candidate;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, forward, checkTabStop)) next->SetFocus();
}

void TWinControl::SelectFirst() { SelectNext(nullptr, true, true); }

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::WMSetFocus(TMessage& message) {
  DefaultHandler(message);
  if (TCustomForm* form = GetParentForm(this)) form->SetFocusedControl(this);
}

void TWinControl::WMKillFocus(TMessage& message) { DefaultHandler(message); }

// ---- keys -----------------------------------------------------------------------------------
void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

bool TWinControl::DoKeyDown(TMessage& message) {
  auto& key = MessageAs<TWMKey>(message);
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->GetKeyPreview() &&
      form->DoKeyDown(message))
    return true;
  WORD code = key.CharCode;
  KeyDown(code, KeyDataToShiftState(key.KeyData));
  key.CharCode = code;
  return code == 0;
}

bool TWinControl::DoKeyUp(TMessage& message) {
  auto& key = MessageAs<TWMKey>(message);
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->GetKeyPreview() &&
      form->DoKeyUp(message))
    return true;
  WORD code = key.CharCode;
  KeyUp(code, KeyDataToShiftState(key.KeyData));
  key.CharCode = code;
  return code == 0;
}

// The character is the low word of WParam; a replacement goes back into the low word only.
bool TWinControl::DoKeyPress(TMessage& message) {
  auto& key = MessageAs<TWMKey>(message);
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->GetKeyPreview() &&
      form->DoKeyPress(message))
    return true;
  char ch = static_cast<char>(key.CharCode & 0xFF);
  KeyPress(ch);
  key.CharCode = static_cast<unsigned char>(ch);
  return ch == 0;
}

void TWinControl::WMKeyDown(TMessage& message) {
  if (!DoKeyDown(message)) DefaultHandler(message);
}

void TWinControl::WMKeyUp(TMessage& message) {
  if (!DoKeyUp(message)) DefaultHandler(message);
}

void TWinControl::WMChar(TMessage& message) {
  if (!DoKeyPress(message)) DefaultHandler(message);
}

void TWinControl::WMSysChar(TMessage& message) { DefaultHandler(message); }

// The message loop offers every key message to its control first; a non-zero result means
// it was taken as a dialog key (Tab, Enter, Escape, arrows) and goes no further.
void TWinControl::CNKeyDown(TMessage& message) {
  auto& key = MessageAs<TWMKey>(message);
  message.Result = 1;
  UINT mask = 0;
  switch (key.CharCode) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
  }
  TCustomForm* form = GetParentForm(this);
  if (mask && form && !(Perform(WM_GETDLGCODE, 0, 0) & mask) &&
      form->Perform(CM_DIALOGKEY, key.CharCode, key.KeyData) != 0)
    return;
  message.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& message) { message.Result = 0; }

void TWinControl::CNChar(TMessage& message) {
  auto& key = MessageAs<TWMKey>(message);
  message.Result = 1;
  TCustomForm* form = GetParentForm(this);
  if (form && !(Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) &&
      form->Perform(CM_DIALOGCHAR, key.CharCode, key.KeyData) != 0)
    return;
  message.Result = 0;
}

void TWinControl::CNSysKeyDown(TMessage& message) { message.Result = 0; }

// Alt+key: the form looks for a control whose accelerator it is.
void TWinControl::CNSysChar(TMessage& message) {
  auto& key = MessageAs<TWMKey>(message);
  TCustomForm* form = GetParentForm(this);
  message.Result = 0;
  if (form && key.CharCode != VK_SPACE)
    message.Result = form->Perform(CM_DIALOGCHAR, key.CharCode, key.KeyData);
}

void TWinControl::CMDialogKey(TMessage& message) { Broadcast(message); }
void TWinControl::CMDialogChar(TMessage& message) { Broadcast(message); }

// ---- state changes --------------------------------------------------------------------------
void TWinControl::CMEnabledChanged(TMessage& message) {
  if (FHandle) EnableWindow(FHandle, FEnabled);
  TControl::CMEnabledChanged(message);
}

void TWinControl::CMVisibleChanged(TMessage& message) {
  if (FHandle) {
    ShowWindow(FHandle, FVisible ? SW_SHOWNOACTIVATE : SW_HIDE);
  } else if (FVisible && FParent && FParent->HandleAllocated()) {
    CreateHandle();
  }
  Perform(CM_SHOWINGCHANGED, 0, 0);
  (void)message;
}

void TWinControl::CMShowingChanged(TMessage&) {}

void TWinControl::CMFontChanged(TMessage& message) {
  if (FHandle) {
    SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->GetHandle()), 0);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
  NotifyControls(CM_PARENTFONTCHANGED);
  TControl::CMFontChanged(message);
}

void TWinControl::CMColorChanged(TMessage& message) {
  FBrush->SetColor(FColor);
  NotifyControls(CM_PARENTCOLORCHANGED);
  TControl::CMColorChanged(message);
}

void TWinControl::ParentFontChanged() {
  TControl::ParentFontChanged();
}

void TWinControl::CMDockClient(TMessage& message) {
  auto& dock = MessageAs<TCMDockClient>(message);
  if (!FDockSite || !dock.Info || !dock.Info->Control) {
    DefaultHandler(message);
    return;
  }
  DoAddDockClient(dock.Info->Control, GetClientRect());
  message.Result = 1;
}

void TWinControl::CMDockNotification(TMessage& message) { DefaultHandler(message); }

void TWinControl::DoAddDockClient(TControl* client, const RECT& rect) {
  client->SetParent(this);
  client->SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  client->SetAlign(alClient);
}

void TControl::ManualDock(TWinControl* dockSite) {
  if (!dockSite || !dockSite->GetDockSite()) throw EInvalidOperation("The control cannot be docked there");
  TDockClientInfo info;
  info.Control = this;
  GetCursorPos(&info.MousePos);
  if (dockSite->Perform(CM_DOCKCLIENT, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&info)) != 0)
    FHostDockSite = dockSite;
}

// ---- TControlCanvas -------------------------------------------------------------------------
TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* control) {
  FreeHandle();
  FControl = control;
}

void TControlCanvas::BeginPaintOn(HDC dc) {
  FreeHandle();
  SetHandle(dc);
}

void TControlCanvas::EndPaint() { SetHandle(nullptr); }

void TControlCanvas::FreeHandle() {
  if (!FOwnDC) return;
  HDC dc = FOwnDC;
  FOwnDC = nullptr;
  SetHandle(nullptr);
  if (FOwnDCWindow) ReleaseDC(FOwnDCWindow, dc);
  else DeleteDC(dc);
  FOwnDCWindow = nullptr;
}

void TControlCanvas::CreateHandle() {
  HDC dc = nullptr;
  HWND wnd = nullptr;
  auto* winControl = dynamic_cast<TWinControl*>(FControl);
  if (winControl && winControl->HandleAllocated()) {
    wnd = winControl->GetWindowHandle();
    dc = GetDCEx(wnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  } else if (FControl && !winControl && FControl->GetParent() &&
             FControl->GetParent()->HandleAllocated()) {
    wnd = FControl->GetParent()->GetWindowHandle();
    dc = GetDCEx(wnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    SetViewportOrgEx(dc, FControl->GetLeft(), FControl->GetTop(), nullptr);
    IntersectClipRect(dc, 0, 0, FControl->GetWidth(), FControl->GetHeight());
  } else {
    wnd = nullptr;
    dc = CreateCompatibleDC(nullptr);
  }
  if (!dc) throw EOutOfResources("Out of system resources");
  FOwnDC = dc;
  FOwnDCWindow = wnd;
  SetHandle(dc);
}

// ---- TCustomControl and TGraphicControl -----------------------------------------------------
TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), FCanvas(new TControlCanvas) {
  FCanvas->SetControl(this);
  FControlState |= csCustomPaint;
}

TCustomControl::~TCustomControl() {
  if (FHandle) DestroyHandle();
  delete FCanvas;
}

void TCustomControl::PaintWindow(HDC dc) {
  FCanvas->BeginPaintOn(dc);
  try {
    FCanvas->GetFont()->Assign(FFont);
    FCanvas->GetBrush()->Assign(FBrush);
    Paint();
  } catch (...) {
    FCanvas->EndPaint();
    throw;
  }
  FCanvas->EndPaint();
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), FCanvas(new TControlCanvas) {
  FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() { delete FCanvas; }

// Painted by the parent: WM_PAINT carries the parent's device context, moved to our origin.
void TGraphicControl::Dispatch(TMessage& message) {
  if (message.Msg != WM_PAINT || !message.WParam) {
    TControl::Dispatch(message);
    return;
  }
  FCanvas->BeginPaintOn(reinterpret_cast<HDC>(message.WParam));
  try {
    FCanvas->GetFont()->Assign(FFont);
    Paint();
  } catch (...) {
    FCanvas->EndPaint();
    throw;
  }
  FCanvas->EndPaint();
}

// ---- published properties -------------------------------------------------------------------
const TIdentMap& ColorIdents() {
  static const TIdentMap idents{
      {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
      {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
      {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
      {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
      {"clNone", clNone}, {"clDefault", clDefault}, {"clScrollBar", clScrollBar},
      {"clBackground", clBackground}, {"clActiveCaption", clActiveCaption},
      {"clInactiveCaption", clInactiveCaption}, {"clMenu", clMenu}, {"clWindow", clWindow},
      {"clWindowFrame", clWindowFrame}, {"clMenuText", clMenuText}, {"clWindowText", clWindowText},
      {"clCaptionText", clCaptionText}, {"clActiveBorder", clActiveBorder},
      {"clInactiveBorder", clInactiveBorder}, {"clAppWorkSpace", clAppWorkSpace},
      {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText}, {"clBtnFace", clBtnFace},
      {"clBtnShadow", clBtnShadow}, {"clGrayText", clGrayText}, {"clBtnText", clBtnText},
      {"clInactiveCaptionText", clInactiveCaptionText}, {"clBtnHighlight", clBtnHighlight},
      {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight}, {"clInfoText", clInfoText},
      {"clInfoBk", clInfoBk}, {"clHotLight", clHotLight}};
  return idents;
}

const TIdentMap& CursorIdents() {
  static const TIdentMap idents{
      {"crDefault", 0}, {"crNone", -1}, {"crArrow", -2}, {"crCross", -3}, {"crIBeam", -4},
      {"crSizeNESW", -6}, {"crSizeNS", -7}, {"crSizeNWSE", -8}, {"crSizeWE", -9},
      {"crUpArrow", -10}, {"crHourGlass", -11}, {"crNo", -12}, {"crHSplit", -14},
      {"crVSplit", -15}, {"crHandPoint", -21}, {"crHelp", -20}};
  return idents;
}

void TControl::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kAlign{{"alNone", alNone}, {"alTop", alTop}, {"alBottom", alBottom},
                                {"alLeft", alLeft}, {"alRight", alRight}, {"alClient", alClient},
                                {"alCustom", alCustom}};
  static const TIdentMap kBiDi{{"bdLeftToRight", bdLeftToRight}, {"bdRightToLeft", bdRightToLeft},
                               {"bdRightToLeftNoAlign", bdRightToLeftNoAlign},
                               {"bdRightToLeftReadingOnly", bdRightToLeftReadingOnly}};
  auto p = table.For<TControl>();
  p.Integer("Left", &TControl::GetLeft, &TControl::SetLeft);
  p.Integer("Top", &TControl::GetTop, &TControl::SetTop);
  p.Integer("Width", &TControl::GetWidth, &TControl::SetWidth);
  p.Integer("Height", &TControl::GetHeight, &TControl::SetHeight);
  p.String("Caption", &TControl::GetCaption, &TControl::SetCaption);
  p.String("Text", &TControl::GetText, &TControl::SetText);
  p.String("Hint", &TControl::GetHint, &TControl::SetHint);
  p.Boolean("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint);
  p.Boolean("ParentShowHint", &TControl::GetParentShowHint, &TControl::SetParentShowHint);
  p.Boolean("Enabled", &TControl::GetEnabled, &TControl::SetEnabled);
  p.Boolean("Visible", &TControl::GetVisible, &TControl::SetVisible);
  p.Enum("Align", &TControl::GetAlign, &TControl::SetAlign, kAlign);
  p.Enum("BiDiMode", &TControl::GetBiDiMode, &TControl::SetBiDiMode, kBiDi);
  p.Integer("Color", &TControl::GetColor, &TControl::SetColor, &ColorIdents());
  p.Boolean("ParentColor", &TControl::GetParentColor, &TControl::SetParentColor);
  p.Object("Font", &TControl::GetFont);
  p.Boolean("ParentFont", &TControl::GetParentFont, &TControl::SetParentFont);
  p.Integer("Cursor", &TControl::GetCursor, &TControl::SetCursor, &CursorIdents());
  p.Event("OnClick", &TControl::OnClick);
  p.Event("OnDblClick", &TControl::OnDblClick);
  p.Event("OnResize", &TControl::OnResize);
  p.Event("OnMouseDown", &TControl::OnMouseDown);
  p.Event("OnMouseUp", &TControl::OnMouseUp);
  p.Event("OnMouseMove", &TControl::OnMouseMove);
}

void TWinControl::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TWinControl>();
  p.Integer("TabOrder", &TWinControl::GetTabOrder, &TWinControl::SetTabOrder);
  p.Boolean("TabStop", &TWinControl::GetTabStop, &TWinControl::SetTabStop);
  p.Boolean("Ctl3D", &TWinControl::GetCtl3D, &TWinControl::SetCtl3D);
  p.Event("OnEnter", &TWinControl::OnEnter);
  p.Event("OnExit", &TWinControl::OnExit);
  p.Event("OnKeyDown", &TWinControl::OnKeyDown);
  p.Event("OnKeyUp", &TWinControl::OnKeyUp);
  p.Event("OnKeyPress", &TWinControl::OnKeyPress);
}
