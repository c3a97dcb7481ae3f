// The control hierarchy: TControl (any control, with or without a window), TWinControl
// (a control with a window of its own), TGraphicControl and TCustomControl (controls that
// paint themselves), the creation protocol of their windows and the message dispatch chain
//   system -> MainWndProc -> WindowProc -> WndProc -> Dispatch -> message handler -> DefaultHandler.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/ActnList.h"
#include "classlib/Classes.h"
#include "classlib/Graphics.h"
#include "classlib/Messages.h"
#include "classlib/TypInfo.h"
#include "classlib/WinApi.h"

class TWinControl;
class TBasicAction;
class TControlActionLink;

using TCursor = int;

// Modal results.
constexpr int mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
              mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO, mrAll = mrNo + 1,
              mrNoToAll = mrAll + 1, mrYesToAll = mrNoToAll + 1;

// The part of a hint before the first "|" (all of it when there is none), and the part after.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);

// True when `ch` (either case) is the accelerator of `caption`: the character after a single
// "&" ("&&" is a literal "&").
bool IsAccelChar(WORD ch, const std::string& caption);

// Names of the colours and cursors that form descriptions may give ("clBtnFace", "crHourGlass").
const TIdentMap& ColorIdents();
const TIdentMap& CursorIdents();

// Cursors: crDefault leaves the choice to the window class.
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                  crHourGlass = -11, crNo = -12, crHSplit = -14, crVSplit = -15, crHelp = -20,
                  crHandPoint = -21;
// The system cursor shown for a cursor value (nullptr for crNone and crDefault).
HCURSOR CursorHandle(TCursor cursor);
// The cursor the screen imposes on every window (crDefault: none); the screen installs it.
using TScreenCursorProc = TCursor (*)();
extern TScreenCursorProc ScreenCursor;

// The parent edges a control keeps its distance to when the parent is resized (left and top:
// it stays; left and right: it stretches; neither: it keeps its place in the middle).
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Shift state of key and mouse events (bits).
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
                      ssDouble = 64;

// Shortcuts: a virtual key in the low byte with Shift, Ctrl and Alt bits.
using TShortCut = WORD;
constexpr TShortCut scNone = 0, scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;

TShortCut ShortCut(WORD key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift);
// "Ctrl+K", "F2", "Shift+Del": the prefixes Shift+, Ctrl+, Alt+ in that order, then the key's
// name; empty when the key has no name.
std::string ShortCutToText(TShortCut shortCut);
// The reverse of ShortCutToText (case ignored); scNone for text that names no shortcut.
TShortCut TextToShortCut(const std::string& text);
// The library's name of a virtual key for the keys that have one (backspace, tab, enter,
// escape, space, the page and arrow keys, insert, delete, F1 to F24), else empty.
std::string KeyName(WORD key);
// The shortcut prefixes.
extern const char* const SmkcShift;
extern const char* const SmkcCtrl;
extern const char* const SmkcAlt;

// Control state (bits of GetControlState).
constexpr unsigned csLButtonDown = 0x1;
constexpr unsigned csClicked = 0x2;
constexpr unsigned csAlignmentNeeded = 0x10;
constexpr unsigned csFocusing = 0x20;
constexpr unsigned csCreating = 0x40;
constexpr unsigned csCustomPaint = 0x100;
constexpr unsigned csDestroyingHandle = 0x200;
constexpr unsigned csDocking = 0x400;

// Control style (bits of GetControlStyle).
constexpr unsigned csAcceptsControls = 0x1;
constexpr unsigned csCaptureMouse = 0x2;
constexpr unsigned csClickEvents = 0x8;
constexpr unsigned csFramed = 0x10;
constexpr unsigned csSetCaption = 0x20;
constexpr unsigned csOpaque = 0x40;
constexpr unsigned csDoubleClicks = 0x80;
constexpr unsigned csActionClient = 0x10000;

using TKeyEvent = TEvent<void(TObject*, WORD&, TShiftState)>;
using TKeyPressEvent = TEvent<void(TObject*, char&)>;
using TMouseEvent = TEvent<void(TObject*, TMouseButton, TShiftState, int, int)>;
using TMouseMoveEvent = TEvent<void(TObject*, TShiftState, int, int)>;
// Sender, shift, wheel delta (positive: away from the user), mouse position, handled.
using TMouseWheelEvent = TEvent<void(TObject*, TShiftState, int, POINT, bool&)>;
using TMouseWheelUpDownEvent = TEvent<void(TObject*, TShiftState, POINT, bool&)>;

TShiftState KeyDataToShiftState(LPARAM keyData);
TShiftState KeysToShiftState(WPARAM keys);

// Everything CreateWnd needs to make a control's window; CreateParams fills it.
struct TCreateParams {
  std::string Caption;  // 8-bit creation caption
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSA WindowClass{};  // 8-bit window-class record
  std::string WinClassName;
};

// What the hint manager hands a control in CM_HINTSHOW (TCMHintShow::HintInfo).
struct THintInfo {
  TControl* HintControl = nullptr;
  TClass HintWindowClass = nullptr;
  POINT HintPos{};          // screen position of the hint window
  int HintMaxWidth = 0;
  TColor HintColor = 0;
  RECT CursorRect{};        // the hint stays while the mouse is in here (client coordinates)
  POINT CursorPos{};        // mouse position in the control's client coordinates
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  std::string HintStr;      // 8-bit hint text
  void* HintData = nullptr;
};

// Link between a control and the action that supplies its caption, hint, state and click.
// A control without a link answers "not linked".
class TControlActionLink : public TActionLink {
  KX_CLASS(TControlActionLink, TActionLink)
 public:
  explicit TControlActionLink(TControl* client) : FClient(client) {}
  TControl* GetClient() const { return FClient; }
  bool IsCaptionLinked() const override;
  bool IsEnabledLinked() const override;
  bool IsHintLinked() const override;
  bool IsVisibleLinked() const override;
  void SetCaption(const std::string& value) override;
  void SetEnabled(bool value) override;
  void SetHint(const std::string& value) override;
  void SetVisible(bool value) override;

 protected:
  TControl* FClient;
};

class TWinControlActionLink : public TControlActionLink {
  KX_CLASS(TWinControlActionLink, TControlActionLink)
 public:
  using TControlActionLink::TControlActionLink;
};

// Action-link classes are made by class: each registers how it is made.
using TActionLinkFactory = TControlActionLink* (*)(TControl* client);
void RegisterActionLinkClass(TClass linkClass, TActionLinkFactory factory);
template <class Link>
void RegisterActionLinkClass() {
  RegisterActionLinkClass(Link::StaticClass(),
                          [](TControl* client) -> TControlActionLink* { return new Link(client); });
}
// A new link of the class (or of its nearest registered ancestor) for `client`.
TControlActionLink* CreateActionLink(TClass linkClass, TControl* client);

// ---------------------------------------------------------------------------------------------
class TControl : public TComponent {
  KX_COMPONENT(TControl, TComponent)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TControl(TComponent* owner);
  ~TControl() override;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  // Structure.
  TWinControl* GetParent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);
  unsigned GetControlState() const { return FControlState; }
  void SetControlState(unsigned state) { FControlState = state; }
  unsigned GetControlStyle() const { return FControlStyle; }
  void SetControlStyle(unsigned style) { FControlStyle = style; }
  bool IsWindowed() const { return FWindowed; }

  // Text: 8-bit, through WM_GETTEXT / WM_SETTEXT performed on the control; CM_TEXTCHANGED after a
  // change.  Caption and Text are the same text.
  std::string GetText();
  void SetText(const std::string& value);
  std::string GetCaption() { return GetText(); }
  void SetCaption(const std::string& value) { SetText(value); }
  int GetTextLen();

  // Hint: a plain field; SetHintField writes it with no side effect at all.
  const std::string& GetHint() const { return FHint; }
  virtual void SetHint(const std::string& value) { FHint = value; }
  void SetHintField(const std::string& value) { FHint = value; }
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  bool GetParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool value);
  // The hint of this control or of the nearest parent whose hint is not empty.
  std::string GetNearestHint() const;

  // Actions.
  TBasicAction* GetAction() const;
  void SetAction(TBasicAction* action);
  TControlActionLink* GetActionLink() const { return FActionLink.get(); }
  virtual void ActionChange(TObject* sender, bool checkDefaults);
  virtual TClass GetActionLinkClass() const;
  // Idle time: the action link updates its action.
  virtual void InitiateAction();

  // Appearance and geometry.
  bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool value);
  bool GetVisible() const { return FVisible; }
  virtual void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible and every parent visible (and, for windowed controls, really on screen).
  virtual bool GetShowing() const;
  int GetLeft() const { return FLeft; }
  int GetTop() const { return FTop; }
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
  void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
  void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
  void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT GetBoundsRect() const;
  virtual RECT GetClientRect();
  int GetClientWidth() { return GetClientRect().right; }
  int GetClientHeight() { return GetClientRect().bottom; }
  void SetClientWidth(int value);
  void SetClientHeight(int value);
  virtual POINT GetClientOrigin() const;
  POINT ClientToScreen(POINT point) const;
  POINT ScreenToClient(POINT point) const;
  TAlign GetAlign() const { return FAlign; }
  void SetAlign(TAlign value);
  TAnchors GetAnchors() const { return FAnchors; }
  void SetAnchors(TAnchors value);
  // Takes the current bounds and parent size as the ones the anchors keep.
  void UpdateAnchorRules();
  // The bounds the anchors give for a parent client area of this size.
  RECT AnchoredBounds(SIZE parentClient) const;
  bool IsAnchoredToParent() const;
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(TFont* value);
  bool GetParentFont() const { return FParentFont; }
  void SetParentFont(bool value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor value);
  bool GetParentColor() const { return FParentColor; }
  void SetParentColor(bool value);
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor value) { FCursor = value; }
  // The mouse goes to this control (through its window or its parent's) until released.
  bool GetMouseCapture() const;
  void SetMouseCapture(bool value);

  // Right-to-left text.
  TBiDiMode GetBiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode value);
  bool UseRightToLeftAlignment() const;
  bool UseRightToLeftReading() const;
  // Draw-text flags with the control's right-to-left flags added (DT_RIGHT swapped for
  // DT_LEFT under right-to-left alignment, DT_RTLREADING under right-to-left reading).
  UINT DrawTextBiDiModeFlags(UINT flags) const;
  UINT DrawTextBiDiModeFlagsReadingOnly() const;

  // Messages.  Perform hands the message to WindowProc directly, never through the window.
  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
  const TWndMethod& GetWindowProc() const { return FWindowProc; }
  // The control's own WndProc as a WindowProc value, the one it starts with (WindowProc values
  // compare by code, so this is what "not hooked" is compared with).
  TWndMethod GetOwnWndProc() { return TWndMethod(this, &TControl::WndProc); }
  void SetWindowProc(const TWndMethod& value) { FWindowProc = value; }
  virtual void WndProc(TMessage& message);
  // By message number to the class's message handlers, else DefaultHandler.
  virtual void Dispatch(TMessage& message);
  virtual void DefaultHandler(TMessage& message);

  // Painting and clicking.
  virtual void Invalidate();
  void Repaint();
  virtual void Update();
  void Refresh() { Repaint(); }
  void BringToFront();
  virtual void Click();
  virtual void DblClick();

  // Streaming.
  void Loaded() override;
  // Leaves the parent while the control is whole.
  void BeforeDestruction() override;
  // The form reader places a control on the control that holds it in the description.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

  // Docking: places the control on a dock site (CM_DOCKCLIENT to the site, which adds it);
  // the site then hears of the control's text and visibility changes (CM_DOCKNOTIFICATION).
  void ManualDock(TWinControl* dockSite);
  TWinControl* GetHostDockSite() const { return FHostDockSite; }
  // Tells the host dock site (if any) of a message the control handled (CM_DOCKNOTIFICATION).
  void SendDockNotification(UINT msg, WPARAM wParam, LPARAM lParam);

  // Events.
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  // The mouse came onto the control / left it (CM_MOUSEENTER / CM_MOUSELEAVE, which the
  // application sends while idle).
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // A wheel turn: OnMouseWheel, then OnMouseWheelDown/Up once per whole step of the wheel
  // (WHEEL_DELTA), then the parent's; true when handled.
  virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos);


 protected:
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void Resize();
  virtual void Changed();
  // The parent's font or colour changed (or this control starts following it).
  virtual void ParentFontChanged();
  void FontChanged(TObject* sender);
  virtual void RequestAlign();
  bool IsDestroying() const;
  bool IsLoading() const;
  // The control's place on its parent's window is painted anew, whether the control is shown
  // or not; with `erase` the parent's background first.
  void InvalidatePlace(bool erase);

  // Message handlers of TControl.
  virtual void WMMouseButton(TMessage& message);
  virtual void CMEnabledChanged(TMessage& message);
  virtual void CMVisibleChanged(TMessage& message);
  virtual void CMFontChanged(TMessage& message);
  virtual void CMColorChanged(TMessage& message);
  virtual void CMTextChanged(TMessage& message);
  virtual void CMHintShow(TMessage& message);
  virtual void CMDialogChar(TMessage& message);
  virtual void CMParentFontChanged(TMessage& message);
  virtual void CMParentColorChanged(TMessage& message);

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  std::string FText;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  bool FEnabled = true;
  bool FVisible = true;
  bool FWindowed = false;
  bool FParentFont = true;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  TColor FColor;
  TCursor FCursor = 0;
  TAlign FAlign = alNone;
  TBiDiMode FBiDiMode = bdLeftToRight;
  unsigned FControlState = 0;
  unsigned FControlStyle;
  std::unique_ptr<TControlActionLink> FActionLink;
  TWndMethod FWindowProc;
  TWinControl* FHostDockSite = nullptr;
  TAnchors FAnchors{akLeft, akTop};
  RECT FAnchorRules{};          // the bounds when the rules were taken
  SIZE FOriginalParentSize{};   // the parent's client size then
  bool FAnchoring = false;      // bounds being set by the parent's layout

 private:
  friend class TWinControl;
  void MouseMessage(TMessage& message, TMouseButton button, bool down);
  bool DoWheelSteps(TShiftState shift, int wheelDelta, POINT mousePos);
  void EraseLeftBehind(const RECT& before);

  int FWheelAccumulator = 0;  // the part of a wheel step not yet handed to a step handler
};

// The canvas of a control: outside painting it makes a device context of its own (the
// control's window, the parent's window moved to the control, or, with no window, one for
// measuring text on the screen).
class TControlCanvas : public TCanvas {
 public:
  TControlCanvas() = default;
  ~TControlCanvas() override;
  TControl* GetControl() const { return FControl; }
  void SetControl(TControl* control);
  // Draws on `dc` (the paint message's context) until EndPaint; nullptr ends it.
  void BeginPaintOn(HDC dc);
  void EndPaint();
  // Gives back a device context the canvas made itself.
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  TControl* FControl = nullptr;
  HDC FOwnDC = nullptr;
  HWND FOwnDCWindow = nullptr;  // nullptr for a memory context
};

// Lets a control canvas draw on a paint message's device context for one scope.
class TCanvasPainting {
 public:
  TCanvasPainting(TControlCanvas* canvas, HDC dc) : FCanvas(canvas) { canvas->BeginPaintOn(dc); }
  ~TCanvasPainting() { FCanvas->EndPaint(); }
  TCanvasPainting(const TCanvasPainting&) = delete;
  TCanvasPainting& operator=(const TCanvasPainting&) = delete;

 private:
  TControlCanvas* FCanvas;  // the control's, not ours
};

// A control without a window, painted by its parent's WM_PAINT through Paint on its Canvas.
class TGraphicControl : public TControl {
  KX_COMPONENT(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  TCanvas* GetCanvas() const { return FCanvas.get(); }

 protected:
  virtual void Paint() {}
  void Dispatch(TMessage& message) override;
  std::unique_ptr<TControlCanvas> FCanvas;
};

// The windowed half of the hierarchy.
#include "classlib/WinControls.h"
