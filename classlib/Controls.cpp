// TControl: text, geometry, appearance and the dispatch chain shared by every control.
#include "classlib/Controls.h"

#include <algorithm>
#include <cstdlib>

#include "classlib/SysUtils.h"

TScreenCursorProc ScreenCursor = nullptr;

// ---- action link ----------------------------------------------------------------------------
// A property is linked while the client still shows the action's value.
bool TControlActionLink::IsCaptionLinked() const {
  auto* action = dynamic_cast<TCustomAction*>(FAction);
  return action && FClient->GetCaption() == action->GetCaption();
}
bool TControlActionLink::IsEnabledLinked() const {
  auto* action = dynamic_cast<TCustomAction*>(FAction);
  return action && FClient->GetEnabled() == action->GetEnabled();
}
bool TControlActionLink::IsHintLinked() const {
  auto* action = dynamic_cast<TCustomAction*>(FAction);
  return action && FClient->GetHint() == action->GetHint();
}
bool TControlActionLink::IsVisibleLinked() const {
  auto* action = dynamic_cast<TCustomAction*>(FAction);
  return action && FClient->GetVisible() == action->GetVisible();
}
void TControlActionLink::SetCaption(const std::string& value) {
  if (IsCaptionLinked()) FClient->SetCaption(value);
}
void TControlActionLink::SetEnabled(bool value) {
  if (IsEnabledLinked()) FClient->SetEnabled(value);
}
void TControlActionLink::SetHint(const std::string& value) {
  if (IsHintLinked()) FClient->SetHint(value);
}
void TControlActionLink::SetVisible(bool value) {
  if (IsVisibleLinked()) FClient->SetVisible(value);
}

namespace {

std::vector<std::pair<TClass, TActionLinkFactory>>& ActionLinkFactories() {
  static std::vector<std::pair<TClass, TActionLinkFactory>> factories{
      {TControlActionLink::StaticClass(),
       [](TControl* client) -> TControlActionLink* { return new TControlActionLink(client); }},
      {TWinControlActionLink::StaticClass(),
       [](TControl* client) -> TControlActionLink* { return new TWinControlActionLink(client); }}};
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

const char* const SmkcShift = "Shift+";
const char* const SmkcCtrl = "Ctrl+";
const char* const SmkcAlt = "Alt+";

// ---- shortcuts ------------------------------------------------------------------------------
TShortCut ShortCut(WORD key, TShiftState shift) {
  if (key & 0xFF00) return scNone;
  TShortCut result = key;
  if (shift & ssShift) result |= scShift;
  if (shift & ssCtrl) result |= scCtrl;
  if (shift & ssAlt) result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift) {
  key = shortCut & 0xFF;
  shift = 0;
  if (shortCut & scShift) shift |= ssShift;
  if (shortCut & scCtrl) shift |= ssCtrl;
  if (shortCut & scAlt) shift |= ssAlt;
}

std::string KeyName(WORD key) {
  switch (key) {
    case VK_BACK: return "BkSp";
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "PgUp";
    case VK_NEXT: return "PgDn";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Ins";
    case VK_DELETE: return "Del";
  }
  if (key >= VK_F1 && key <= VK_F24) {
    std::string name(1, 'F');
    name.append(std::to_string(key - VK_F1 + 1));
    return name;
  }
  return std::string();
}

namespace {

// The name of a key without a library name: the character it types, else the system's name.
std::string SystemKeyName(WORD key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  UINT character = MapVirtualKeyA(key, MAPVK_VK_TO_CHAR) & 0x7FFF;
  if (character >= 0x21 && character <= 0xFF) return std::string(1, static_cast<char>(character));
  LONG scan = static_cast<LONG>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  if (scan == 0) return std::string();
  std::string name(256, '\0');
  int length = GetKeyNameTextA(scan << 16, name.data(), static_cast<int>(name.size()));
  name.resize(static_cast<size_t>(std::max(length, 0)));
  return name;
}

}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
  WORD key = shortCut & 0xFF;
  std::string name = KeyName(key);
  if (name.empty()) name = SystemKeyName(key);
  if (name.empty()) return std::string();
  std::string prefix;
  if (shortCut & scShift) prefix += SmkcShift;
  if (shortCut & scCtrl) prefix += SmkcCtrl;
  if (shortCut & scAlt) prefix += SmkcAlt;
  return prefix + name;
}

TShortCut TextToShortCut(const std::string& text) {
  std::string rest = text;
  TShortCut modifiers = 0;
  const std::pair<const char*, TShortCut> kPrefixes[] = {{SmkcShift, scShift}, {SmkcCtrl, scCtrl}, {SmkcAlt, scAlt}};
  for (bool found = true; found;) {
    found = false;
    for (const auto& [prefix, bit] : kPrefixes) {
      size_t length = std::strlen(prefix);
      if (rest.size() > length && SameText(rest.substr(0, length), prefix)) {
        modifiers |= bit;
        rest.erase(0, length);
        found = true;
      }
    }
  }
  for (WORD key = 0x08; key <= 0xFF; ++key)
    if (SameText(ShortCutToText(key), rest)) return static_cast<TShortCut>(key | modifiers);
  return scNone;
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
  FWindowProc = GetOwnWndProc();
  FFont->SetOnChange(TNotifyEvent(this, &TControl::FontChanged));
}

TControl::~TControl() {
  if (FParent) FParent->RemoveControl(this);
  FActionLink.reset();
  FFont.reset();
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
    UpdateAnchorRules();
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
TBasicAction* TControl::GetAction() const { return FActionLink.get() ? FActionLink->GetAction() : nullptr; }

void TControl::SetAction(TBasicAction* action) {
  if (!action) {
    FActionLink.reset();
    FActionLink = nullptr;
    FControlStyle &= ~csActionClient;
    return;
  }
  FControlStyle |= csActionClient;
  if (!FActionLink) {
    FActionLink.reset(CreateActionLink(GetActionLinkClass(), this));
  }
  FActionLink->SetAction(action);
  ActionChange(action, IsLoading());
}

// With checkDefaults (the action is set while loading) only what the control leaves at its
// default is taken from the action.
void TControl::ActionChange(TObject* sender, bool checkDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(sender);
  if (!action) return;
  std::string caption = GetCaption();
  if (!checkDefaults || caption.empty() || caption == GetName()) SetCaption(action->GetCaption());
  if (!checkDefaults || FEnabled) SetEnabled(action->GetEnabled());
  if (!checkDefaults || FHint.empty()) SetHint(action->GetHint());
  if (!checkDefaults || FVisible) SetVisible(action->GetVisible());
}

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
  const RECT before = GetBoundsRect();
  Invalidate();
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  if (!FAnchoring) UpdateAnchorRules();
  Invalidate();
  EraseLeftBehind(before);
  RequestAlign();
  Resize();
}

// An opaque control paints only where it stands now: where it stood before and stands no more (a
// label whose text got shorter, a control moved aside), its parent paints its background anew.
void TControl::EraseLeftBehind(const RECT& before) {
  if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
  const RECT now = GetBoundsRect();
  RECT both;
  UnionRect(&both, &before, &now);
  if (!EqualRect(&both, &now)) InvalidateRect(FParent->GetWindowHandle(), &before, TRUE);
}

void TControl::SetAnchors(TAnchors value) {
  FAnchors = value;
  UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  FAnchorRules = GetBoundsRect();
  if (!FParent) return;
  RECT client = FParent->GetClientRect();
  FOriginalParentSize = SIZE{client.right - client.left, client.bottom - client.top};
}

bool TControl::IsAnchoredToParent() const {
  return FAlign == alNone && FParent && FAnchors != TAnchors{akLeft, akTop};
}

RECT TControl::AnchoredBounds(SIZE parentClient) const {
  auto place = [](bool first, bool second, LONG start, LONG size, LONG grown, LONG& newStart,
                  LONG& newSize) {
    newStart = start;
    newSize = size;
    if (first && second) newSize = std::max<LONG>(0, size + grown);
    else if (second) newStart = start + grown;
    else if (!first) newStart = start + grown / 2;
  };
  LONG left, width, top, height;
  place(FAnchors.Contains(akLeft), FAnchors.Contains(akRight), FAnchorRules.left,
        FAnchorRules.right - FAnchorRules.left, parentClient.cx - FOriginalParentSize.cx, left, width);
  place(FAnchors.Contains(akTop), FAnchors.Contains(akBottom), FAnchorRules.top,
        FAnchorRules.bottom - FAnchorRules.top, parentClient.cy - FOriginalParentSize.cy, top, height);
  return RECT{left, top, left + width, top + height};
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
bool TControl::GetMouseCapture() const {
  HWND capture = GetCapture();
  if (!capture) return false;
  if (auto* self = dynamic_cast<const TWinControl*>(this)) return capture == self->GetWindowHandle();
  return FParent && capture == FParent->GetWindowHandle() && FParent->FCaptureControl == this;
}

void TControl::SetMouseCapture(bool value) {
  if (GetMouseCapture() == value) return;
  if (!value) {
    if (FParent && FParent->FCaptureControl == this) FParent->FCaptureControl = nullptr;
    ReleaseCapture();
    return;
  }
  if (auto* self = dynamic_cast<TWinControl*>(this)) {
    SetCapture(self->GetHandle());
  } else if (FParent && FParent->HandleAllocated()) {
    FParent->FCaptureControl = this;
    SetCapture(FParent->GetWindowHandle());
  }
}

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
  if (FVisible) InvalidatePlace(!(FControlStyle & csOpaque));
}

void TControl::InvalidatePlace(bool erase) {
  if (!FParent || !FParent->HandleAllocated()) return;
  RECT rect = GetBoundsRect();
  InvalidateRect(FParent->GetWindowHandle(), &rect, erase);
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
  if (FActionLink.get() && FActionLink->IsOnExecuteLinked() && FActionLink->Execute(this)) return;
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

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
  if (!handled && wheelDelta != 0) handled = DoWheelSteps(shift, wheelDelta, mousePos);
  if (!handled && FParent) handled = FParent->DoMouseWheel(shift, wheelDelta, mousePos);
  return handled;
}

// A finer wheel or a touch pad turns in parts of a step, which add up to whole steps; a turn
// of several steps at once runs the step handler as often. A part of a step that a handler
// waits for counts as handled.
bool TControl::DoWheelSteps(TShiftState shift, int wheelDelta, POINT mousePos) {
  const bool down = wheelDelta < 0;
  TMouseWheelUpDownEvent& step = down ? OnMouseWheelDown : OnMouseWheelUp;
  if (!step) return false;
  if ((FWheelAccumulator < 0) != down) FWheelAccumulator = 0;  // the wheel turned back
  FWheelAccumulator += wheelDelta;
  bool handled = true;
  while (std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
    FWheelAccumulator += down ? WHEEL_DELTA : -WHEEL_DELTA;
    handled = false;
    step(this, shift, mousePos, handled);
  }
  return handled;
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
    case CM_MOUSEENTER:
      if (OnMouseEnter) OnMouseEnter(this);
      break;
    case CM_MOUSELEAVE:
      if (OnMouseLeave) OnMouseLeave(this);
      break;
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
// Shown, the control paints its place; hidden, the parent paints what lies under it there.
void TControl::CMVisibleChanged(TMessage&) { InvalidatePlace(!FVisible || !(FControlStyle & csOpaque)); }
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

// ---- TGraphicControl ------------------------------------------------------------------------
TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), FCanvas(new TControlCanvas) {
  FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() = default;

// Painted by the parent: WM_PAINT carries the parent's device context, moved to our origin.
void TGraphicControl::Dispatch(TMessage& message) {
  if (message.Msg != WM_PAINT || !message.WParam) {
    TControl::Dispatch(message);
    return;
  }
  TCanvasPainting painting(FCanvas.get(), reinterpret_cast<HDC>(message.WParam));
  FCanvas->GetFont()->Assign(FFont.get());
  Paint();
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

HCURSOR CursorHandle(TCursor cursor) {
  static const std::pair<TCursor, int> kSystem[] = {
      {crArrow, 32512}, {crCross, 32515}, {crIBeam, 32513}, {crSizeNESW, 32643}, {crSizeNS, 32645},
      {crSizeNWSE, 32642}, {crSizeWE, 32644}, {crUpArrow, 32516}, {crHourGlass, 32514},
      {crNo, 32648}, {crHSplit, 32644}, {crVSplit, 32645}, {crHelp, 32651}, {crHandPoint, 32649}};
  for (const auto& [value, id] : kSystem)
    if (value == cursor) return LoadCursorA(nullptr, MAKEINTRESOURCEA(id));
  return nullptr;
}

void TFont::DeclareProperties(TPropertyTable& table) {
  static const TIdentMap kStyles{{"fsBold", 0}, {"fsItalic", 1}, {"fsUnderline", 2}, {"fsStrikeOut", 3}};
  static const TIdentMap kPitches{{"fpDefault", fpDefault}, {"fpVariable", fpVariable}, {"fpFixed", fpFixed}};
  auto p = table.For<TFont>();
  p.String("Name", &TFont::GetName, &TFont::SetName);
  p.Integer("Height", &TFont::GetHeight, &TFont::SetHeight);
  p.Integer("Size", &TFont::GetSize, &TFont::SetSize);
  p.Integer("Color", &TFont::GetColor, &TFont::SetColor, &ColorIdents());
  p.Set("Style", &TFont::GetStyle, &TFont::SetStyle, kStyles);
  p.Integer("Charset", &TFont::GetCharset, &TFont::SetCharset);
  p.Enum("Pitch", &TFont::GetPitch, &TFont::SetPitch, kPitches);
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
  p.Integer("Tag", &TControl::GetTag, &TControl::SetTag);
  p.String("Caption", &TControl::GetCaption, &TControl::SetCaption);
  p.String("Text", &TControl::GetText, &TControl::SetText);
  p.String("Hint", &TControl::GetHint, &TControl::SetHint);
  p.Boolean("ShowHint", &TControl::GetShowHint, &TControl::SetShowHint);
  p.Boolean("ParentShowHint", &TControl::GetParentShowHint, &TControl::SetParentShowHint);
  p.Boolean("Enabled", &TControl::GetEnabled, &TControl::SetEnabled);
  p.Boolean("Visible", &TControl::GetVisible, &TControl::SetVisible);
  p.Enum("Align", &TControl::GetAlign, &TControl::SetAlign, kAlign);
  static const TIdentMap kAnchors{{"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight},
                                  {"akBottom", akBottom}};
  p.Set("Anchors", &TControl::GetAnchors, &TControl::SetAnchors, kAnchors);
  p.Enum("BiDiMode", &TControl::GetBiDiMode, &TControl::SetBiDiMode, kBiDi);
  p.Integer("Color", &TControl::GetColor, &TControl::SetColor, &ColorIdents());
  p.Boolean("ParentColor", &TControl::GetParentColor, &TControl::SetParentColor);
  p.Object("Font", &TControl::GetFont);
  p.Boolean("ParentFont", &TControl::GetParentFont, &TControl::SetParentFont);
  p.Integer("Cursor", &TControl::GetCursor, &TControl::SetCursor, &CursorIdents());
  p.Component("Action", &TControl::GetAction, &TControl::SetAction);
  p.Event("OnClick", &TControl::OnClick);
  p.Event("OnDblClick", &TControl::OnDblClick);
  p.Event("OnResize", &TControl::OnResize);
  p.Event("OnMouseDown", &TControl::OnMouseDown);
  p.Event("OnMouseUp", &TControl::OnMouseUp);
  p.Event("OnMouseMove", &TControl::OnMouseMove);
  p.Event("OnMouseWheel", &TControl::OnMouseWheel);
  p.Event("OnMouseWheelDown", &TControl::OnMouseWheelDown);
  p.Event("OnMouseWheelUp", &TControl::OnMouseWheelUp);
  p.Event("OnMouseEnter", &TControl::OnMouseEnter);
  p.Event("OnMouseLeave", &TControl::OnMouseLeave);
}
