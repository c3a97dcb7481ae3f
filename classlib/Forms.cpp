// Forms, scroll boxes, frames and the hint window.
#include "classlib/Forms.h"

#include <algorithm>
#include <exception>
#include <new>
#include <stdexcept>

#include "classlib/ActnList.h"
#include "classlib/FormReader.h"
#include "classlib/MessageBoxes.h"
#include "classlib/ScopedHandles.h"
#include "classlib/SysUtils.h"


// ---- scrolling containers -------------------------------------------------------------------
TScrollingWinControl::TScrollingWinControl(TComponent* owner) : TWinControl(owner) {
  FControlStyle |= csAcceptsControls;
}

void TScrollingWinControl::SetAutoScroll(bool value) {
  FAutoScroll = value;
  if (!value) ScrollTo(POINT{0, 0});
  UpdateScrollBars();
}

void TScrollingWinControl::AlignControlsIn(RECT& rect) {
  TWinControl::AlignControlsIn(rect);
  UpdateScrollBars();
}

// The range is how far the unaligned children reach, measured from the unscrolled origin.
void TScrollingWinControl::UpdateScrollBars() {
  if (!FHandle || FUpdatingScrollBars) return;
  FUpdatingScrollBars = true;
  FRange = SIZE{0, 0};
  if (FAutoScroll)
    for (TControl* child : FControls) {
      if (!child->GetVisible() || child->GetAlign() != alNone) continue;
      FRange.cx = std::max<LONG>(FRange.cx, child->GetLeft() + child->GetWidth() + FScrollPos.x);
      FRange.cy = std::max<LONG>(FRange.cy, child->GetTop() + child->GetHeight() + FScrollPos.y);
    }
  RECT client;
  ::GetClientRect(FHandle, &client);
  for (int bar : {SB_HORZ, SB_VERT}) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMax = bar == SB_HORZ ? FRange.cx - 1 : FRange.cy - 1;
    info.nPage = static_cast<UINT>(bar == SB_HORZ ? client.right : client.bottom);
    info.nPos = bar == SB_HORZ ? FScrollPos.x : FScrollPos.y;
    bool needed = FAutoScroll && info.nMax >= static_cast<int>(info.nPage);
    ShowScrollBar(FHandle, bar, needed);
    if (needed) SetScrollInfo(FHandle, bar, &info, TRUE);
  }
  FUpdatingScrollBars = false;
}

void TScrollingWinControl::ScrollTo(POINT pos) {
  RECT client = GetClientRect();
  pos.x = std::clamp<LONG>(pos.x, 0, std::max<LONG>(0, FRange.cx - client.right));
  pos.y = std::clamp<LONG>(pos.y, 0, std::max<LONG>(0, FRange.cy - client.bottom));
  int dx = FScrollPos.x - pos.x, dy = FScrollPos.y - pos.y;
  if (dx == 0 && dy == 0) return;
  FScrollPos = pos;
  DisableAlign();
  for (TControl* child : FControls)
    if (child->GetAlign() == alNone)
      child->SetBounds(child->GetLeft() + dx, child->GetTop() + dy, child->GetWidth(), child->GetHeight());
  EnableAlign();
  if (FHandle) {
    SetScrollPos(FHandle, SB_HORZ, pos.x, TRUE);
    SetScrollPos(FHandle, SB_VERT, pos.y, TRUE);
    InvalidateRect(FHandle, nullptr, TRUE);
  }
}

void TScrollingWinControl::Scroll(int bar, WORD code) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(FHandle, bar, &info);
  int line = (bar == SB_HORZ ? FHorzScrollBar : FVertScrollBar).GetIncrement();
  int pos = info.nPos, page = static_cast<int>(info.nPage);
  switch (code) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBPOSITION: case SB_THUMBTRACK: pos = info.nTrackPos; break;
    case SB_TOP: pos = info.nMin; break;
    case SB_BOTTOM: pos = info.nMax; break;
    default: return;
  }
  ScrollTo(bar == SB_HORZ ? POINT{pos, FScrollPos.y} : POINT{FScrollPos.x, pos});
}

void TScrollingWinControl::Dispatch(TMessage& message) {
  if ((message.Msg == WM_HSCROLL || message.Msg == WM_VSCROLL) && message.LParam == 0) {
    Scroll(message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(message.WParam));
    return;
  }
  TWinControl::Dispatch(message);
  if (message.Msg == WM_SIZE) UpdateScrollBars();
}

int TControlScrollBar::GetPosition() const {
  POINT pos = FControl->GetScrollPos();
  return FHorizontal ? pos.x : pos.y;
}

void TControlScrollBar::SetPosition(int value) {
  POINT pos = FControl->GetScrollPos();
  (FHorizontal ? pos.x : pos.y) = value;
  FControl->ScrollTo(pos);
}

int TControlScrollBar::GetRange() const {
  SIZE range = FControl->GetScrollRange();
  return FHorizontal ? range.cx : range.cy;
}

bool TControlScrollBar::IsScrollBarVisible() const {
  HWND wnd = FControl->GetWindowHandle();
  return wnd && (GetWindowLongA(wnd, GWL_STYLE) & (FHorizontal ? WS_HSCROLL : WS_VSCROLL));
}

void TControlScrollBar::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TControlScrollBar>();
  p.Integer("Increment", &TControlScrollBar::GetIncrement, &TControlScrollBar::SetIncrement);
  p.Integer("Position", &TControlScrollBar::GetPosition, &TControlScrollBar::SetPosition);
}

void TFrame::InitFrame() {
  if (!InitComponentFromResource(this))
    throw EResNotFound(Format("Resource %s not found", ClassName().c_str()));
}

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner) {
  FWidth = 185;
  FHeight = 41;
  FAutoScroll = true;
}

void TScrollBox::SetBorderStyle(TBorderStyle value) {
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& params) {
  TScrollingWinControl::CreateParams(params);
  if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

TFrame::TFrame(TComponent* owner) : TScrollingWinControl(owner) {
  FWidth = 320;
  FHeight = 240;
}

// ---- TCustomForm ----------------------------------------------------------------------------
namespace {

DWORD FormStyleBits(TFormBorderStyle border, TBorderIcons icons) {
  DWORD style = WS_CLIPCHILDREN;
  switch (border) {
    case bsNone: style |= WS_POPUP; break;
    case bsSingle: case bsToolWindow: style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: case bsSizeToolWin: style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog: style |= WS_POPUP | WS_CAPTION | WS_DLGFRAME; break;
  }
  if (border != bsNone && (icons & biSystemMenu)) {
    style |= WS_SYSMENU;
    if (border != bsDialog && border != bsToolWindow && border != bsSizeToolWin) {
      if (icons & biMinimize) style |= WS_MINIMIZEBOX;
      if (icons & biMaximize) style |= WS_MAXIMIZEBOX;
    }
  }
  return style;
}

DWORD FormExStyleBits(TFormBorderStyle border, TFormStyle formStyle) {
  DWORD exStyle = 0;
  if (border == bsDialog) exStyle |= WS_EX_DLGMODALFRAME;
  if (border == bsToolWindow || border == bsSizeToolWin) exStyle |= WS_EX_TOOLWINDOW;
  if (formStyle == fsStayOnTop) exStyle |= WS_EX_TOPMOST;
  return exStyle;
}

}  // namespace

TCustomForm* GetParentForm(TControl* control) {
  return dynamic_cast<TCustomForm*>(ParentFormOf(control));
}

TCustomForm::TCustomForm(TComponent* owner)
    : TScrollingWinControl(owner), FCanvas(new TControlCanvas) {
  FCanvas->SetControl(this);
  FVisible = false;
  FParentColor = false;
  FParentFont = false;
  FColor = clBtnFace;
  FBrush->SetColor(FColor);
  FWidth = 320;
  FHeight = 240;
  if (Screen) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (Screen) Screen->RemoveForm(this);
  if (Application && Application->GetMainForm() == this) Application->SetMainForm(nullptr);
  if (FHandle) DestroyHandle();
  FCanvas.reset();
}

void TCustomForm::BeforeDestruction() {
  if (!FDestroyAnnounced) {
    FDestroyAnnounced = true;
    try {
      DoDestroy();
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
  }
  if (Screen) Screen->RemoveForm(this);
  TScrollingWinControl::BeforeDestruction();
}

void TCustomForm::SetClientWidth(int value) {
  if (IsLoading()) FClientWidth = value;
  TScrollingWinControl::SetClientWidth(value);
}

void TCustomForm::SetClientHeight(int value) {
  if (IsLoading()) FClientHeight = value;
  TScrollingWinControl::SetClientHeight(value);
}

void TCustomForm::Loaded() {
  TScrollingWinControl::Loaded();
  if (FClientWidth > 0) TScrollingWinControl::SetClientWidth(FClientWidth);
  if (FClientHeight > 0) TScrollingWinControl::SetClientHeight(FClientHeight);
  FClientWidth = FClientHeight = 0;
  if (FActiveControl && FActiveControl->GetParent() == nullptr) FActiveControl = nullptr;
}

namespace {

void UpdateControlActions(TControl* control) {
  if (!control->GetVisible()) return;
  control->InitiateAction();
  if (auto* winControl = dynamic_cast<TWinControl*>(control))
    for (int i = 0; i < winControl->GetControlCount(); ++i) UpdateControlActions(winControl->GetControl(i));
}

}  // namespace

void TCustomForm::UpdateActions() {
  for (int i = 0; i < GetControlCount(); ++i) UpdateControlActions(GetControl(i));
}

void TCustomForm::InitForm() {
  if (!InitComponentFromResource(this))
    throw EResNotFound(Format("Resource %s not found", ClassName().c_str()));
  AfterReading();
}

void TCustomForm::InitFormFromText(const std::string& text, const std::string& source) {
  ReadComponentFromText(this, text, source);
  AfterReading();
}

void TCustomForm::AfterReading() {
  DoCreate();
  if (FVisible) {
    FVisible = false;
    SetVisible(true);
  }
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() {
  if (OnDestroy) OnDestroy(this);
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomForm::PaintWindow(HDC dc) {
  TCanvasPainting painting(FCanvas.get(), dc);
  FCanvas->GetFont()->Assign(FFont.get());
  FCanvas->GetBrush()->Assign(FBrush.get());
  Paint();
}

void TCustomForm::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  TScrollingWinControl::SetParent(parent);
  RecreateWnd();  // a form on a parent is a child window, one without a parent a top-level one
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TScrollingWinControl::CreateParams(params);
  if (FParent) return;  // docked or placed on a control: a plain child window
  params.Style = FormStyleBits(FBorderStyle, FBorderIcons);
  params.ExStyle = FormExStyleBits(FBorderStyle, FFormStyle);
  if (!FEnabled) params.Style |= WS_DISABLED;
  params.WndParent = Application ? Application->GetHandle() : nullptr;
  if (FPosition == poDefault || FPosition == poDefaultPosOnly) params.X = params.Y = CW_USEDEFAULT;
  params.WindowClass.hbrBackground = nullptr;
}

void TCustomForm::CreateWnd() {
  TScrollingWinControl::CreateWnd();
  if (auto* menu = dynamic_cast<IFormMenu*>(FMenu)) ::SetMenu(FHandle, menu->AttachMenuBar(FHandle));
  if (FWindowState == wsMaximized) ShowWindow(FHandle, SW_MAXIMIZE), ShowWindow(FHandle, SW_HIDE);
}

// Without a window the client area is what the border style and the menu bar leave of the bounds.
RECT TCustomForm::GetClientRect() {
  if (FHandle) return TScrollingWinControl::GetClientRect();
  RECT frame{0, 0, 0, 0};
  const BOOL menuBar = !FParent && dynamic_cast<IFormMenu*>(FMenu) != nullptr;
  AdjustWindowRectEx(&frame, FormStyleBits(FBorderStyle, FBorderIcons), menuBar,
                     FormExStyleBits(FBorderStyle, FFormStyle));
  return RECT{0, 0, std::max(0L, FWidth - (frame.right - frame.left)),
              std::max(0L, FHeight - (frame.bottom - frame.top))};
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  if (FBorderStyle == value) return;
  FBorderStyle = value;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
  if (FBorderIcons == value) return;
  FBorderIcons = value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle value) {
  if (FFormStyle == value) return;
  FFormStyle = value;
  if (FHandle)
    SetWindowPos(FHandle, value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState value) {
  FWindowState = value;
  if (FHandle && FVisible) {
    static const int kShow[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
    ShowWindow(FHandle, kShow[value]);
  }
}

namespace {

// Every monitor together, taskbars included.
RECT VirtualDesktop() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

void TCustomForm::ApplyPosition() {
  // The room the form is placed in: the whole desktop for poDesktopCenter, else the work area.
  RECT area;
  if (FPosition == poDesktopCenter) area = VirtualDesktop();
  else SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  TCustomForm* centreOn = nullptr;
  if (FPosition == poMainFormCenter && Application) centreOn = Application->GetMainForm();
  if (FPosition == poOwnerFormCenter) centreOn = dynamic_cast<TCustomForm*>(GetOwner());
  int x, y;
  if (centreOn && centreOn != this) {
    x = centreOn->GetLeft() + (centreOn->GetWidth() - FWidth) / 2;
    y = centreOn->GetTop() + (centreOn->GetHeight() - FHeight) / 2;
  } else if (FPosition == poScreenCenter || FPosition == poDesktopCenter || FPosition == poMainFormCenter ||
             FPosition == poOwnerFormCenter) {
    x = area.left + (area.right - area.left - FWidth) / 2;
    y = area.top + (area.bottom - area.top - FHeight) / 2;
  } else {
    return;
  }
  SetBounds(std::max<int>(x, area.left), std::max<int>(y, area.top), FWidth, FHeight);
}

// -- showing and closing --
void TCustomForm::Show() {
  // A window whose show handler failed is up all the same and comes to the front; the error
  // goes on to the caller afterwards.
  std::exception_ptr failure;
  try {
    SetVisible(true);
  } catch (...) {
    failure = std::current_exception();
  }
  if (FHandle && FVisible) {
    SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(FHandle);
  }
  if (failure) std::rethrow_exception(failure);
}

void TCustomForm::Hide() { SetVisible(false); }

bool TCustomForm::GetShowing() const { return FVisible && FHandle && IsWindowVisible(FHandle); }

// OnShow runs only when a hidden form becomes visible; OnHide the other way.
void TCustomForm::SetVisible(bool value) {
  if (IsLoading()) {
    FVisible = value;  // shown once the description is read (InitForm)
    return;
  }
  if (FVisible == value) return;
  if (value) {
    HandleNeeded();
    if (!FShown) ApplyPosition();
    FShown = true;
    FVisible = true;
    // The form counts as visible from here on, so a failing OnShow must not leave its window
    // unmapped: nothing would ever show it again. The window comes up first, then the error
    // goes on.
    std::exception_ptr failure;
    try {
      DoShow();
    } catch (...) {
      failure = std::current_exception();
    }
    static const int kShow[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    if (FHandle && FVisible) ShowWindow(FHandle, kShow[FWindowState]);
    if (FHandle && FVisible) {
      if (FActiveControl && FActiveControl->CanFocus()) FActiveControl->SetFocus();
      else SelectFirst();
    }
    SendDockNotification(CM_VISIBLECHANGED, value, 0);  // a docked form's tab follows it
    if (failure) std::rethrow_exception(failure);
  } else {
    FVisible = false;
    DoHide();
    if (FHandle) ShowWindow(FHandle, SW_HIDE);
    SendDockNotification(CM_VISIBLECHANGED, value, 0);
  }
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->GetMainForm() == this) Application->Terminate();
  else if (action == caHide) Hide();
  else if (action == caMinimize) SetWindowState(wsMinimized);
  else Release();
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  if (action == caNone) FModalResult = mrNone;
  else if (action == caFree) Release();
}

int TCustomForm::ShowModal() {
  if (FVisible || FModal) throw EInvalidOperation("Cannot make a visible window modal");
  std::vector<HWND> disabled;
  for (int i = 0; Screen && i < Screen->GetFormCount(); ++i) {
    TCustomForm* form = Screen->GetForm(i);
    if (form != this && form->HandleAllocated() && IsWindowEnabled(form->GetWindowHandle()) &&
        IsWindowVisible(form->GetWindowHandle())) {
      EnableWindow(form->GetWindowHandle(), FALSE);
      disabled.push_back(form->GetWindowHandle());
    }
  }
  FModalResult = mrNone;
  {
    ScopeExit enableOthers([&disabled] {
      for (HWND wnd : disabled) EnableWindow(wnd, TRUE);
    });
    ScopedValue modal(FModal, true);
    try {
      Show();
    } catch (...) {
      // No modal loop runs for it: the window does not stay up as if it were one.
      Hide();
      throw;
    }
    do {
      Application->HandleMessage();
      if (Application->GetTerminated()) FModalResult = mrCancel;
      else if (FModalResult != mrNone) CloseModal();
    } while (FModalResult == mrNone);
  }
  Hide();
  return FModalResult;
}

void TCustomForm::Release() {
  if (FHandle) PostMessageA(FHandle, CM_RELEASE, 0, 0);
}

// -- focus --
void TCustomForm::SetActiveControl(TWinControl* control) {
  FActiveControl = control;
  if (control && FHandle && FVisible && control->CanFocus()) control->SetFocus();
}

void TCustomForm::FocusControl(TWinControl* control) { SetActiveControl(control); }

void TCustomForm::SetFocusedControl(TWinControl* control) {
  if (control == this) return;
  if (FFocusedControl == control) return;
  TWinControl* previous = FFocusedControl;
  FFocusedControl = control;
  FActiveControl = control;
  if (previous) previous->Perform(CM_EXIT, 0, 0);
  if (control && FFocusedControl == control) control->Perform(CM_ENTER, 0, 0);
  // The buttons show which of them Enter presses now.
  TMessage focusChanged;
  focusChanged.Msg = CM_FOCUSCHANGED;
  focusChanged.LParam = reinterpret_cast<LPARAM>(static_cast<TControl*>(FFocusedControl));
  Broadcast(focusChanged);
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TScrollingWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FActiveControl) FActiveControl = nullptr;
  if (component == FFocusedControl) FFocusedControl = nullptr;
  if (component == FMenu) {
    if (FHandle) ::SetMenu(FHandle, nullptr);
    FMenu = nullptr;
  }
}

void TCustomForm::ControlDestroyed(TControl* control) {
  if (control == FActiveControl) FActiveControl = nullptr;
  if (control == FFocusedControl) FFocusedControl = nullptr;
}

// -- messages --
void TCustomForm::SetMenu(TComponent* menu) {
  if (menu == FMenu) return;
  if (auto* old = dynamic_cast<IFormMenu*>(FMenu); old && FHandle) {
    ::SetMenu(FHandle, nullptr);
    old->DetachMenuBar(FHandle);
  }
  FMenu = menu;
  if (menu) menu->FreeNotification(this);
  if (auto* bar = dynamic_cast<IFormMenu*>(menu); bar && FHandle) ::SetMenu(FHandle, bar->AttachMenuBar(FHandle));
}

bool TCustomForm::IsShortCut(TMessage& key) {
  auto* menu = dynamic_cast<IFormMenu*>(FMenu);
  return menu && menu->IsShortCutKey(key);
}

bool TCustomForm::DispatchToMenu(TMessage& message) {
  auto* menu = dynamic_cast<IFormMenu*>(FMenu);
  return menu && menu->DispatchMenuMessage(message);
}

void TCustomForm::WMCommand(TMessage& message) {
  if (message.LParam == 0 && DispatchToMenu(message)) return;
  TScrollingWinControl::WMCommand(message);
}

// Alt+key on the form itself: the controls get a chance at their accelerators first.
void TCustomForm::WMSysChar(TMessage& message) {
  auto& key = MessageAs<TWMKey>(message);
  if (key.CharCode != VK_SPACE && Perform(CM_DIALOGCHAR, key.CharCode, key.KeyData) != 0) {
    message.Result = 0;
    return;
  }
  DefaultHandler(message);
}

void TCustomForm::CMDialogKey(TMessage& message) {
  auto& key = MessageAs<TWMKey>(message);
  if (key.CharCode == VK_TAB && !(GetKeyState(VK_CONTROL) < 0) && !(KeyDataToShiftState(key.KeyData) & ssAlt)) {
    SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
    message.Result = 1;
    return;
  }
  TScrollingWinControl::CMDialogKey(message);
}

void TCustomForm::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_CLOSE: Close(); message.Result = 0; return;
    case WM_ACTIVATE: {
      DefaultHandler(message);
      bool active = LOWORD(message.WParam) != WA_INACTIVE;
      if (active == FActive) return;
      FActive = active;
      if (active) {
        // A remembered control that can no longer take the focus gives it to the first that can.
        if (FActiveControl && FActiveControl->CanFocus()) ::SetFocus(FActiveControl->GetHandle());
        else if (FActiveControl) SelectFirst();
        Activate();
      } else {
        Deactivate();
      }
      return;
    }
    case WM_INITMENUPOPUP: case WM_MENUSELECT: case WM_MENUCHAR: case WM_DRAWITEM:
    case WM_MEASUREITEM:
      if (DispatchToMenu(message)) return;
      break;
    case CM_RELEASE: Free(); return;
    case WM_DESTROY:
      // The window would destroy the menu bar with itself; the menu keeps it.
      if (auto* menu = dynamic_cast<IFormMenu*>(FMenu)) {
        ::SetMenu(FHandle, nullptr);
        menu->DetachMenuBar(FHandle);
      }
      break;
  }
  TScrollingWinControl::Dispatch(message);
}

// ---- THintWindow ----------------------------------------------------------------------------
THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  FVisible = false;
  FParentColor = false;
  FParentFont = false;
  SetColor(clInfoBk);
  if (Screen) FFont->Assign(Screen->GetHintFont());
  FCanvas->GetFont()->Assign(FFont.get());
  FCanvas->GetBrush()->SetStyle(bsClear);
}

void THintWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style = WS_POPUP | WS_BORDER;
  params.WindowClass.style |= CS_SAVEBITS;
  params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  params.WndParent = nullptr;
}

void THintWindow::ActivateHintData(RECT rect, const std::string& hint, void*) {
  ActivateHint(rect, hint);
}

void THintWindow::ActivateHint(RECT rect, const std::string& hint) {
  SetCaption(hint);
  int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (rect.right > screenWidth) OffsetRect(&rect, screenWidth - rect.right, 0);
  if (rect.bottom > screenHeight) OffsetRect(&rect, 0, screenHeight - rect.bottom);
  if (rect.left < 0) OffsetRect(&rect, -rect.left, 0);
  if (rect.top < 0) OffsetRect(&rect, 0, -rect.top);
  HandleNeeded();
  SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  SetWindowPos(FHandle, HWND_TOPMOST, FLeft, FTop, FWidth, FHeight, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  FVisible = true;
  Invalidate();
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::string& hint, void*) {
  RECT rect{0, 0, maxWidth, 0};
  FCanvas->GetFont()->Assign(FFont.get());
  DrawTextA(FCanvas->GetHandle(), hint.c_str(), static_cast<int>(hint.size()), &rect,
            DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DrawTextBiDiModeFlagsReadingOnly());
  rect.right += 6;
  rect.bottom += 2;
  return rect;
}

void THintWindow::ReleaseHandle() {
  FVisible = false;
  if (FHandle) ShowWindow(FHandle, SW_HIDE);
}

void THintWindow::Paint() {
  RECT rect = GetClientRect();
  rect.left += 2;
  rect.top += 2;
  if (Screen) FCanvas->GetFont()->SetColor(Screen->GetHintFont()->GetColor());
  FCanvas->GetBrush()->SetStyle(bsClear);
  std::string caption = GetText();
  DrawTextA(FCanvas->GetHandle(), caption.c_str(), static_cast<int>(caption.size()), &rect,
            DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | DrawTextBiDiModeFlagsReadingOnly());
}

void THintWindow::CMTextChanged(TMessage&) {
  std::string caption = GetText();
  FCanvas->GetFont()->Assign(FFont.get());
  SetWidth(FCanvas->TextWidth(caption) + 6);
  SetHeight(FCanvas->TextHeight(caption) + 6);
}

void THintWindow::Dispatch(TMessage& message) {
  if (message.Msg == WM_NCHITTEST) {
    message.Result = HTTRANSPARENT;
    return;
  }
  TCustomControl::Dispatch(message);
}

// ---- TScreen --------------------------------------------------------------------------------

TScreen::TScreen(TComponent* owner) : TComponent(owner), FHintFont(new TFont) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    ScopedGdiObj<HFONT> font(CreateFontIndirectA(&metrics.lfStatusFont));
    if (font) FHintFont->SetHandle(font.Get());
  }
  FHintFont->SetColor(clInfoText);
}

TScreen::~TScreen() = default;

void TScreen::AddForm(TCustomForm* form) { FForms.push_back(form); }

void TScreen::SetCursor(TCursor value) {
  if (FCursor == value) return;
  FCursor = value;
  if (value != crDefault) {
    ::SetCursor(CursorHandle(value));
    return;
  }
  // Back to the controls' own: the window under the mouse chooses again.
  POINT at;
  GetCursorPos(&at);
  HWND wnd = WindowFromPoint(at);
  DWORD process = 0;
  if (!wnd || GetWindowThreadProcessId(wnd, &process) != GetCurrentThreadId()) return;
  LRESULT hit = SendMessageA(wnd, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
  SendMessageA(wnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), MAKELPARAM(hit, WM_MOUSEMOVE));
}

void TScreen::ShowCursorAtPointer() {
  if (FCursor == crDefault) return;
  // Asking where the pointer is has the display tell what it had to tell before; asking for the
  // queue's state takes that in without handling a message.
  POINT at;
  GetCursorPos(&at);
  GetQueueStatus(QS_MOUSE);
  ::SetCursor(CursorHandle(FCursor));
}

TScreenCursorScope::TScreenCursorScope(TCursor cursor) {
  if (!Screen) return;
  FPrevious = Screen->GetCursor();
  Screen->SetCursor(cursor);
}

TScreenCursorScope::~TScreenCursorScope() {
  if (Screen) Screen->SetCursor(FPrevious);
}

void TScreen::RemoveForm(TCustomForm* form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), form), FForms.end());
}

TCustomForm* TScreen::GetActiveForm() const {
  HWND active = GetActiveWindow();
  for (TCustomForm* form : FForms)
    if (form->GetWindowHandle() == active && active) return form;
  return nullptr;
}

// ---- TApplication ---------------------------------------------------------------------------

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

constexpr UINT_PTR kHintTimer = 1;
constexpr char kApplicationClass[] = "TApplication";

void HandleApplicationException() {
  if (Application) Application->HandleException(Application);
}

HWND ApplicationHandle() { return Application ? Application->GetHandle() : nullptr; }

TCursor ScreenCursorOf() { return Screen ? Screen->GetCursor() : crDefault; }

// Makes the application object and the screen before any window, frees them at the end.
struct FormsUnit {
  FormsUnit() {
    Screen = new TScreen(nullptr);
    ScreenCursor = ScreenCursorOf;
    Application = new TApplication(nullptr);
  }
  ~FormsUnit() {
    Application->Free();
    Application = nullptr;
    ScreenCursor = nullptr;
    Screen->Free();
    Screen = nullptr;
  }
};
FormsUnit formsUnit;

}  // namespace

TApplication::TApplication(TComponent* owner)
    : TComponent(owner), FHintWindowClass(THintWindow::StaticClass()) {
  ApplicationHandleException = HandleApplicationException;
  ApplicationWindow = ApplicationHandle;
  CreateHandle();
}

TApplication::~TApplication() {
  if (ApplicationHandleException == HandleApplicationException) ApplicationHandleException = nullptr;
  if (ApplicationWindow == ApplicationHandle) ApplicationWindow = nullptr;
  // Forms first (they are owned here), while the application window still exists.
  DestroyComponents();
  if (FHandle) DestroyWindow(FHandle);
  FreeObjectInstance(FObjectInstance);
}

// The hidden owner window; where no display exists the program runs without it.
void TApplication::CreateHandle() {
  FObjectInstance = MakeObjectInstance(TWndMethod(this, &TApplication::WndProc));
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hIcon = LoadIconA(windowClass.hInstance, "MAINICON");
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  windowClass.lpszClassName = kApplicationClass;
  WNDCLASSA existing{};
  if (!GetClassInfoA(windowClass.hInstance, kApplicationClass, &existing))
    RegisterClassA(&windowClass);
  FHandle = CreateWindowExA(0, kApplicationClass, FTitle.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                            0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (FHandle)
    SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FObjectInstance));
}

std::string TApplication::GetTitle() const {
  if (!FHandle) return FTitle;
  int length = GetWindowTextLengthA(FHandle);
  std::string title(static_cast<size_t>(length) + 1, '\0');
  title.resize(static_cast<size_t>(GetWindowTextA(FHandle, title.data(), length + 1)));
  return title;
}

void TApplication::SetTitle(const std::string& value) {
  FTitle = value;
  if (FHandle) SetWindowTextA(FHandle, value.c_str());
}

std::wstring TApplication::GetWindowTitleW() const {
  if (!FHandle) return AnsiToWide(FTitle);
  int length = GetWindowTextLengthW(FHandle);
  std::wstring title(static_cast<size_t>(length) + 1, L'\0');
  title.resize(static_cast<size_t>(std::max(0, GetWindowTextW(FHandle, title.data(), length + 1))));
  return title;
}

// The window procedure set by the wide or the 8-bit call makes the window a Unicode window or
// an 8-bit one.
void TApplication::SetUnicodeWindow(bool value) {
  if (value == FUnicodeWindow) return;
  FUnicodeWindow = value;
  if (!FHandle) return;
  if (value) SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FObjectInstance));
  else SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FObjectInstance));
}

void TApplication::HookMainWindow(const TWindowHook& hook) { FWindowHooks.push_back(hook); }

void TApplication::UnhookMainWindow(const TWindowHook& hook) {
  auto it = std::find(FWindowHooks.begin(), FWindowHooks.end(), hook);
  if (it != FWindowHooks.end()) FWindowHooks.erase(it);
}

void TApplication::WndProc(TMessage& message) {
  for (const TWindowHook& hook : std::vector<TWindowHook>(FWindowHooks))
    if (hook(message)) return;
  switch (message.Msg) {
    case WM_CLOSE:
      if (FMainForm) FMainForm->Close();
      return;
    case WM_TIMER:
      if (message.WParam == kHintTimer) {
        HintTimerExpired();
        return;
      }
      break;
  }
  message.Result = FUnicodeWindow ? DefWindowProcW(FHandle, message.Msg, message.WParam, message.LParam)
                                  : DefWindowProcA(FHandle, message.Msg, message.WParam, message.LParam);
}

// ---- message loop ---------------------------------------------------------------------------
void TApplication::Run() {
  if (FMainForm) FMainForm->SetVisible(true);
  while (!FTerminated) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  }
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle(msg);
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

// One message from the queue, 8-bit: offered to OnMessage, then as a key to its control,
// then translated and dispatched.
bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  bool handled = false;
  if (OnMessage) OnMessage(msg, handled);
  for (TApplicationEvents* events : std::vector<TApplicationEvents*>(FEventObjects))
    if (!handled && events->OnMessage) events->OnMessage(msg, handled);
  if (!IsHintMsg(msg) && !handled && !IsKeyMsg(msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  HWND wnd = GetCapture();
  if (!wnd) wnd = msg.hwnd;
  TWinControl* control = FindNearestControl(wnd);
  if (!control) return false;
  return control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

void TApplication::Idle(const MSG&) {
  DoMouseIdle();
  bool done = true;
  try {
    for (int i = 0; Screen && i < Screen->GetFormCount(); ++i) {
      TCustomForm* form = Screen->GetForm(i);
      if (form->HandleAllocated() && IsWindowVisible(form->GetWindowHandle()) &&
          IsWindowEnabled(form->GetWindowHandle()))
        form->UpdateActions();
    }
    if (OnIdle) OnIdle(this, done);
    for (TApplicationEvents* events : std::vector<TApplicationEvents*>(FEventObjects)) {
      bool eventDone = true;
      if (events->OnIdle) events->OnIdle(events, eventDone);
      done = done && eventDone;
    }
  } catch (...) {
    HandleException(this);
  }
  if (done) WaitMessage();
}

// ---- errors ---------------------------------------------------------------------------------
void TApplication::HandleException(TObject* sender) {
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const std::bad_alloc&) {
    // The runtime's own text for it ("std::bad_alloc") tells a user nothing.
    const EOutOfMemory error("Out of memory");
    if (OnException) OnException(sender, error);
    else ShowException(error.what());
  } catch (const std::exception& error) {
    if (OnException) OnException(sender, error);
    else ShowException(error.what());
  } catch (...) {
    ShowException("Unknown error");
  }
}

void TApplication::ShowException(const std::string& message) { ShowException(AnsiToWide(message)); }

void TApplication::ShowException(const std::wstring& message) {
  std::wstring text = message;
  if (!text.empty() && text.back() > L'.') text += L'.';
  HWND owner = GetActiveWindow();
  if (!owner) owner = FHandle;
  ShowMessageBoxW(owner, text, GetWindowTitleW(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  HWND owner = GetActiveWindow();
  if (!owner) owner = FHandle;
  return ShowMessageBox(owner, text, caption, flags);
}

// ---- hints ----------------------------------------------------------------------------------
void TApplication::SetHint(const std::string& value) {
  if (FHint == value) return;
  FHint = value;
  if (OnHint) {
    OnHint(this);
    return;
  }
  // Whoever shows hints (a status bar, a hook on this window) handles the hint action.
  THintAction action(nullptr);
  action.SetHint(value);
  action.Execute();
}

void TApplication::SetShowHint(bool value) {
  FShowHint = value;
  if (!value) CancelHint();
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == FMouseControl) FMouseControl = nullptr;
  if (component == FHintControl) CancelHint();
  if (component == FHintWindow) FHintWindow = nullptr;
  if (component == FMainForm) FMainForm = nullptr;
}

void TApplication::StartHintTimer(int delay) {
  if (!FHandle) return;
  SetTimer(FHandle, kHintTimer, static_cast<UINT>(std::max(delay, 1)), nullptr);
  FHintTimerRunning = true;
}

void TApplication::StopHintTimer() {
  if (FHintTimerRunning && FHandle) KillTimer(FHandle, kHintTimer);
  FHintTimerRunning = false;
}

// While idle: notices the mouse entering another control and arms the hint timer.
void TApplication::DoMouseIdle() {
  POINT pos;
  if (!GetCursorPos(&pos)) return;
  TControl* control = FindDragTarget(pos, true);
  if (FHintShowing && !PtInRect(&FHintCursorRect, pos)) CancelHint();
  if (control == FMouseControl) return;
  if (FMouseControl) {
    FMouseControl->RemoveFreeNotification(this);
    FMouseControl->Perform(CM_MOUSELEAVE, 0, 0);
  }
  FMouseControl = control;
  if (control) {
    control->FreeNotification(this);
    control->Perform(CM_MOUSEENTER, 0, 0);
  }
  if (FHintShowing) CancelHint();
  if (control && FShowHint && control->GetShowHint() && !control->GetNearestHint().empty())
    StartHintTimer(FHintPause);
}

void TApplication::HintTimerExpired() {
  StopHintTimer();
  if (FHintShowing) {
    CancelHint();
    return;
  }
  POINT pos;
  if (GetCursorPos(&pos)) ActivateHint(pos);
}

bool TApplication::IsHintMsg(const MSG& msg) {
  if (!FHintShowing) return false;
  switch (msg.message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_ACTIVATEAPP:
      CancelHint();
      break;
  }
  return false;
}

void TApplication::CancelHint() {
  StopHintTimer();
  if (FHintWindow) FHintWindow->ReleaseHandle();
  FHintShowing = false;
  if (FHintControl) FHintControl->RemoveFreeNotification(this);
  FHintControl = nullptr;
}

// Finds the control, lets it adjust the hint through CM_HINTSHOW, and shows the hint window
// of the class it asks for.
void TApplication::ActivateHint(POINT cursorPos) {
  TControl* control = FindDragTarget(cursorPos, true);
  if (!control || !FShowHint || !control->GetShowHint()) return;
  THintInfo info;
  info.HintControl = control;
  info.HintWindowClass = FHintWindowClass;
  info.HintPos = POINT{cursorPos.x, cursorPos.y + GetSystemMetrics(SM_CYCURSOR) * 3 / 4};
  info.HintMaxWidth = Screen ? Screen->GetWidth() : GetSystemMetrics(SM_CXSCREEN);
  info.HintColor = FHintColor;
  info.CursorRect = control->GetClientRect();
  info.CursorPos = control->ScreenToClient(cursorPos);
  info.HideTimeout = FHintHidePause;
  info.HintStr = GetShortHint(control->GetNearestHint());
  // With hint shortcuts, the shortcut of the control's action follows the hint.
  auto* action = dynamic_cast<TCustomAction*>(control->GetAction());
  if (FHintShortCuts && action && action->GetShortCut() != scNone)
    info.HintStr = Format("%s (%s)", info.HintStr, ShortCutToText(action->GetShortCut()));
  bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  if (!canShow || info.HintStr.empty()) return;
  if (!FHintWindow || FHintWindow->ClassType() != info.HintWindowClass) {
    if (FHintWindow) FHintWindow->Free();
    FHintWindow = static_cast<THintWindow*>(info.HintWindowClass->Create(this));
  }
  FHintWindow->SetColor(info.HintColor);
  RECT rect = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  OffsetRect(&rect, info.HintPos.x, info.HintPos.y);
  FHintWindow->ActivateHintData(rect, info.HintStr, info.HintData);
  FHintShowing = true;
  FHintControl = control;
  control->FreeNotification(this);
  POINT topLeft = control->ClientToScreen(POINT{info.CursorRect.left, info.CursorRect.top});
  POINT bottomRight = control->ClientToScreen(POINT{info.CursorRect.right, info.CursorRect.bottom});
  FHintCursorRect = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  StartHintTimer(info.HideTimeout);
}

// ---- TApplicationEvents ---------------------------------------------------------------------
TApplicationEvents::TApplicationEvents(TComponent* owner) : TComponent(owner) {
  if (Application) Application->FEventObjects.push_back(this);
}

TApplicationEvents::~TApplicationEvents() {
  if (!Application) return;
  auto& list = Application->FEventObjects;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

// ---- published properties -------------------------------------------------------------------
namespace {

const TIdentMap kFormBorderStyles{{"bsNone", bsNone}, {"bsSingle", bsSingle}, {"bsSizeable", bsSizeable},
                                  {"bsDialog", bsDialog}, {"bsToolWindow", bsToolWindow},
                                  {"bsSizeToolWin", bsSizeToolWin}};

}  // namespace

void TScrollingWinControl::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TScrollingWinControl>();
  p.Object("HorzScrollBar", &TScrollingWinControl::GetHorzScrollBar);
  p.Object("VertScrollBar", &TScrollingWinControl::GetVertScrollBar);
}

void TScrollBox::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TScrollBox>();
  p.Enum("BorderStyle", &TScrollBox::GetBorderStyle, &TScrollBox::SetBorderStyle, kFormBorderStyles);
  p.Boolean("AutoScroll", &TScrollBox::GetAutoScroll, &TScrollBox::SetAutoScroll);
}

void TCustomForm::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kPositions{
      {"poDesigned", poDesigned}, {"poDefault", poDefault}, {"poDefaultPosOnly", poDefaultPosOnly},
      {"poDefaultSizeOnly", poDefaultSizeOnly}, {"poScreenCenter", poScreenCenter},
      {"poDesktopCenter", poDesktopCenter}, {"poMainFormCenter", poMainFormCenter},
      {"poOwnerFormCenter", poOwnerFormCenter}};
  static const TIdentMap kFormStyles{{"fsNormal", fsNormal}, {"fsMDIChild", fsMDIChild},
                                     {"fsMDIForm", fsMDIForm}, {"fsStayOnTop", fsStayOnTop}};
  static const TIdentMap kWindowStates{{"wsNormal", wsNormal}, {"wsMinimized", wsMinimized},
                                       {"wsMaximized", wsMaximized}};
  // Bit numbers of the border icons.
  static const TIdentMap kBorderIcons{{"biSystemMenu", 0}, {"biMinimize", 1}, {"biMaximize", 2},
                                      {"biHelp", 3}};
  auto p = table.For<TCustomForm>();
  p.Integer("ClientWidth", &TCustomForm::GetClientWidth, &TCustomForm::SetClientWidth);
  p.Integer("ClientHeight", &TCustomForm::GetClientHeight, &TCustomForm::SetClientHeight);
  p.Enum("BorderStyle", &TCustomForm::GetBorderStyle, &TCustomForm::SetBorderStyle, kFormBorderStyles);
  p.Set("BorderIcons", &TCustomForm::GetBorderIcons, &TCustomForm::SetBorderIcons, kBorderIcons);
  p.Enum("Position", &TCustomForm::GetPosition, &TCustomForm::SetPosition, kPositions);
  p.Enum("FormStyle", &TCustomForm::GetFormStyle, &TCustomForm::SetFormStyle, kFormStyles);
  p.Enum("WindowState", &TCustomForm::GetWindowState, &TCustomForm::SetWindowState, kWindowStates);
  p.Boolean("KeyPreview", &TCustomForm::GetKeyPreview, &TCustomForm::SetKeyPreview);
  p.Boolean("AutoScroll", &TCustomForm::GetAutoScroll, &TCustomForm::SetAutoScroll);
  p.Component("ActiveControl", &TCustomForm::GetActiveControl, &TCustomForm::SetActiveControl);
  p.Component("Menu", &TCustomForm::GetMenu, &TCustomForm::SetMenu);
  p.Event("OnCreate", &TCustomForm::OnCreate);
  p.Event("OnDestroy", &TCustomForm::OnDestroy);
  p.Event("OnShow", &TCustomForm::OnShow);
  p.Event("OnHide", &TCustomForm::OnHide);
  p.Event("OnActivate", &TCustomForm::OnActivate);
  p.Event("OnDeactivate", &TCustomForm::OnDeactivate);
  p.Event("OnPaint", &TCustomForm::OnPaint);
  p.Event("OnClose", &TCustomForm::OnClose);
  p.Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
}

void TApplicationEvents::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TApplicationEvents>();
  p.Event("OnIdle", &TApplicationEvents::OnIdle);
  p.Event("OnMessage", &TApplicationEvents::OnMessage);
}

void RegisterFormClasses() {
  RegisterClasses({TForm::StaticClass(), TScrollBox::StaticClass(), TFrame::StaticClass(),
                   TApplicationEvents::StaticClass()});
}
