// TWinControl: window creation and destruction, dispatch with reflection, geometry, children,
// alignment, focus and keys; TCustomControl.
#include "classlib/WinControls.h"

#include <algorithm>

#include "classlib/ScopedHandles.h"
#include "classlib/SysUtils.h"

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

TWinControl* FindNearestControl(HWND wnd) {
  TWinControl* control = nullptr;
  for (HWND at = wnd; at && !control; at = GetParent(at)) control = FindControl(at);
  return control;
}

TControl* FindDragTarget(POINT screenPos, bool allowDisabled) {
  TWinControl* control = FindNearestControl(WindowFromPoint(screenPos));
  if (!control) return nullptr;
  TControl* inner = control->ControlAtPos(control->ScreenToClient(screenPos), allowDisabled);
  return inner ? inner : control;
}

IParentForm* ParentFormOf(TControl* control) {
  while (control && control->GetParent()) control = control->GetParent();
  return dynamic_cast<IParentForm*>(control);
}

namespace {

// The form of `control` when it sees the control's keys first, as the window that takes them.
TWinControl* PreviewingForm(TWinControl* control) {
  IParentForm* form = ParentFormOf(control);
  auto* window = dynamic_cast<TWinControl*>(form);
  return window && window != control && form->GetKeyPreview() ? window : nullptr;
}

TWinControl* ParentFormWindow(TControl* control) {
  return dynamic_cast<TWinControl*>(ParentFormOf(control));
}

}  // namespace

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
  FBrush.reset();
}

void TWinControl::BeforeDestruction() {
  Destroying();
  IParentForm* form = ParentFormOf(this);
  if (form && dynamic_cast<TControl*>(form) != this) form->ControlDestroyed(this);
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
  FOwnWindowClass = FDefWndProc == DefWindowProcA;
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
  {
    ScopedValue<TWinControl*> creating(CreationControl, this);
    CreateWindowHandle(params);
  }
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
  {
    FControlState |= csCreating;
    ScopeExit created([this] { FControlState &= ~csCreating; });
    CreateWnd();
  }
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
  // A window that is already gone (its parent took it down) is no failure.
  if (wnd && !DestroyWindow(wnd) && IsWindow(wnd)) {
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
      // A mouse message over a child without a window belongs to that child; a child that
      // took a button keeps the mouse (through this window's capture) until it is released.
      const auto& mouse = MessageAs<TWMMouse>(message);
      TControl* child = FCaptureControl;
      if (!child) child = ControlAtPos(POINT{mouse.XPos, mouse.YPos}, false);
      if (!child) {
        CaptureOwnMouse(message.Msg);
        break;
      }
      bool down = message.Msg == WM_LBUTTONDOWN || message.Msg == WM_RBUTTONDOWN ||
                  message.Msg == WM_MBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK;
      bool up = message.Msg == WM_LBUTTONUP || message.Msg == WM_RBUTTONUP || message.Msg == WM_MBUTTONUP;
      if (down && (child->GetControlStyle() & csCaptureMouse) && FHandle) {
        FCaptureControl = child;
        SetCapture(FHandle);
      }
      POINT at{mouse.XPos - child->GetLeft(), mouse.YPos - child->GetTop()};
      message.Result = child->Perform(message.Msg, message.WParam, MAKELPARAM(at.x, at.y));
      if (up && FCaptureControl) {
        FCaptureControl = nullptr;
        if (GetCapture() == FHandle) ReleaseCapture();
      }
      return;
    }
  }
  TControl::WndProc(message);
}

// A window of the library's own class keeps the mouse from a left button press to its release,
// so that dragging out of it goes on reaching it (system controls capture for themselves).
void TWinControl::CaptureOwnMouse(UINT msg) {
  if (!FHandle || !FOwnWindowClass || !(FControlStyle & csCaptureMouse)) return;
  if (msg == WM_LBUTTONDOWN) SetCapture(FHandle);
  else if (msg == WM_LBUTTONUP && GetCapture() == FHandle) ReleaseCapture();
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
    case WM_MOUSEWHEEL: WMMouseWheel(message); break;
    case WM_SETCURSOR: WMSetCursor(message); break;
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
    case CM_FOCUSCHANGED: Broadcast(message); break;  // to every control of the form
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
  if (!FOwnWindowClass || !dc) {
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
  ScopedPaint paint(FHandle, reinterpret_cast<HDC>(message.WParam));
  HDC dc = paint.Get();
  {
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
  }
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
  // WM_WINDOWPOSCHANGED updates the fields. Nothing is carried over from the old place: a window
  // shown and moved before it painted would carry what the screen held there, and the system does
  // not erase a moved window again.
  if (FHandle)
    SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  bool updated = FLeft == left && FTop == top && FWidth == width && FHeight == height;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  if (!FAnchoring) UpdateAnchorRules();
  if (updated) return;
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
  if (control == FCaptureControl) FCaptureControl = nullptr;
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
  ScopedValue aligning(FAligning, true);
  RECT rect = GetClientRect();
  AdjustClientRect(rect);
  AlignControlsIn(rect);
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
  AnchorControls();
}

// Children with anchors other than left and top follow the client area's size.
void TWinControl::AnchorControls() {
  RECT client = GetClientRect();
  SIZE size{client.right - client.left, client.bottom - client.top};
  for (TControl* child : std::vector<TControl*>(FControls)) {
    if (!child->IsAnchoredToParent()) continue;
    RECT bounds = child->AnchoredBounds(size);
    ScopedValue anchoring(child->FAnchoring, true);
    child->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
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
    // A control that holds others is passed over unless it is a stop of its own (the row of
    // tabs of a page control).
    const bool holdsOthers = candidate->GetControlCount() > 0 && (candidate->FControlStyle & csAcceptsControls);
    const bool stop = candidate->IsTabStop();
    if ((checkTabStop ? stop : stop || !holdsOthers) && candidate->CanFocus()) return candidate;
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
  if (IParentForm* form = ParentFormOf(this)) form->SetFocusedControl(this);
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
  if (TWinControl* form = PreviewingForm(this); form && form->DoKeyDown(message)) return true;
  WORD code = key.CharCode;
  KeyDown(code, KeyDataToShiftState(key.KeyData));
  key.CharCode = code;
  return code == 0;
}

bool TWinControl::DoKeyUp(TMessage& message) {
  auto& key = MessageAs<TWMKey>(message);
  if (TWinControl* form = PreviewingForm(this); form && form->DoKeyUp(message)) return true;
  WORD code = key.CharCode;
  KeyUp(code, KeyDataToShiftState(key.KeyData));
  key.CharCode = code;
  return code == 0;
}

// The character is the low word of WParam; a replacement goes back into the low word only.
bool TWinControl::DoKeyPress(TMessage& message) {
  auto& key = MessageAs<TWMKey>(message);
  if (TWinControl* form = PreviewingForm(this); form && form->DoKeyPress(message)) return true;
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

// Over the client area: the screen's cursor, else the cursor of the control under the mouse.
void TWinControl::WMSetCursor(TMessage& message) {
  if (reinterpret_cast<HWND>(message.WParam) == FHandle && message.LParamLo == HTCLIENT) {
    TCursor cursor = ScreenCursor ? ScreenCursor() : crDefault;
    if (cursor == crDefault) {
      POINT at;
      GetCursorPos(&at);
      TControl* child = ControlAtPos(ScreenToClient(at), false);
      cursor = child && child->GetCursor() != crDefault ? child->GetCursor() : FCursor;
    }
    if (cursor != crDefault) {
      ::SetCursor(CursorHandle(cursor));
      message.Result = 1;
      return;
    }
  }
  DefaultHandler(message);
}

void TWinControl::WMMouseWheel(TMessage& message) {
  POINT at{static_cast<int16_t>(message.LParamLo), static_cast<int16_t>(message.LParamHi)};
  if (DoMouseWheel(KeysToShiftState(message.WParamLo), static_cast<int16_t>(message.WParamHi), at))
    message.Result = 0;
  else
    DefaultHandler(message);
}

// The message loop offers every key message to its control first; a non-zero result means
// it was taken as a dialog key (Tab, Enter, Escape, arrows) and goes no further.
void TWinControl::CNKeyDown(TMessage& message) {
  auto& key = MessageAs<TWMKey>(message);
  message.Result = 1;
  if (IsMenuKey(message)) return;
  UINT mask = 0;
  switch (key.CharCode) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
  }
  TWinControl* form = ParentFormWindow(this);
  if (mask && form && !(Perform(WM_GETDLGCODE, 0, 0) & mask) &&
      form->Perform(CM_DIALOGKEY, key.CharCode, key.KeyData) != 0)
    return;
  message.Result = 0;
}

void TWinControl::CNKeyUp(TMessage& message) { message.Result = 0; }

void TWinControl::CNChar(TMessage& message) {
  auto& key = MessageAs<TWMKey>(message);
  message.Result = 1;
  TWinControl* form = ParentFormWindow(this);
  if (form && !(Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) &&
      form->Perform(CM_DIALOGCHAR, key.CharCode, key.KeyData) != 0)
    return;
  message.Result = 0;
}

// While no window has the focus the system hands every key to the active window as a system
// key; one pressed without Alt is a plain key, and Tab and the other dialog keys work as ever.
void TWinControl::CNSysKeyDown(TMessage& message) {
  if (!(KeyDataToShiftState(MessageAs<TWMKey>(message).KeyData) & ssAlt)) {
    CNKeyDown(message);
    return;
  }
  message.Result = IsMenuKey(message) ? 1 : 0;
}

// The shortcuts of the form's menu come before the control's own keys.
bool TWinControl::IsMenuKey(TMessage& message) {
  IParentForm* form = ParentFormOf(this);
  return form && form->IsShortCut(message);
}

// Alt+key: the form looks for a control whose accelerator it is.
void TWinControl::CNSysChar(TMessage& message) {
  auto& key = MessageAs<TWMKey>(message);
  TWinControl* form = ParentFormWindow(this);
  message.Result = 0;
  if (form && key.CharCode != VK_SPACE)
    message.Result = form->Perform(CM_DIALOGCHAR, key.CharCode, key.KeyData);
}

void TWinControl::CMDialogKey(TMessage& message) { Broadcast(message); }
void TWinControl::CMDialogChar(TMessage& message) { Broadcast(message); }

// ---- state changes --------------------------------------------------------------------------
// The focus does not stay in a control that can no longer take it: the system would leave it
// nowhere (disabled) or on a window that is not shown, and the keys would reach no control. It
// goes on to the next control of the form in tab order that can take it, else to the form.
void TWinControl::PassFocusOn() {
  if (!FHandle || IsDestroying() || (FControlState & csDestroyingHandle)) return;
  const HWND focus = ::GetFocus();
  if (!focus || (focus != FHandle && !IsChild(FHandle, focus))) return;
  TWinControl* form = ParentFormWindow(this);
  if (!form || form == this || form->IsDestroying()) return;
  if (TWinControl* next = form->FindNextControl(FindNearestControl(focus), true, true)) next->SetFocus();
  else if (form->CanFocus()) ::SetFocus(form->GetHandle());
}

void TWinControl::CMEnabledChanged(TMessage& message) {
  if (!FEnabled) PassFocusOn();
  if (FHandle) EnableWindow(FHandle, FEnabled);
  TControl::CMEnabledChanged(message);
}

void TWinControl::CMVisibleChanged(TMessage& message) {
  if (!FVisible) PassFocusOn();
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
    message.Result = -1;
    return;
  }
  DoAddDockClient(dock.Info->Control, GetClientRect());
  message.Result = 0;
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
  if (dockSite->Perform(CM_DOCKCLIENT, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&info)) >= 0)
    FHostDockSite = dockSite;
}

// ---- TCustomControl --------------------------------------------------------------------------
TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), FCanvas(new TControlCanvas) {
  FCanvas->SetControl(this);
  FControlState |= csCustomPaint;
}

TCustomControl::~TCustomControl() {
  if (FHandle) DestroyHandle();
  FCanvas.reset();
}

void TCustomControl::PaintWindow(HDC dc) {
  TCanvasPainting painting(FCanvas.get(), dc);
  FCanvas->GetFont()->Assign(FFont.get());
  FCanvas->GetBrush()->Assign(FBrush.get());
  Paint();
}

// ---- published properties -------------------------------------------------------------------
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

TClass TWinControl::GetActionLinkClass() const { return TWinControlActionLink::StaticClass(); }
