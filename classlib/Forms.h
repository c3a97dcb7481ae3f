// The application object with its 8-bit message loop, the screen, forms (modeless and modal),
// scroll boxes, frames, the hint window and application-event objects.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/Controls.h"
#include "classlib/Graphics.h"

class TCustomForm;
class THintWindow;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                 poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
using TBorderIcons = unsigned;
constexpr TBorderIcons biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8;

using TCloseEvent = TEvent<void(TObject*, TCloseAction&)>;
using TCloseQueryEvent = TEvent<void(TObject*, bool&)>;
using TMessageEvent = TEvent<void(MSG&, bool&)>;
using TIdleEvent = TEvent<void(TObject*, bool&)>;
using TExceptionEvent = TEvent<void(TObject*, const std::exception&)>;
// A hook on the application window: true when it handled the message.
using TWindowHook = TEvent<bool(TMessage&)>;

// What a form's menu component offers the form: the menu messages of the form's window.
class IFormMenu {
 public:
  virtual ~IFormMenu() = default;
  // WM_COMMAND of a menu item, WM_INITMENUPOPUP, WM_MENUSELECT, ...; false when not taken.
  virtual bool DispatchMenuMessage(TMessage& message) = 0;
  // The menu bar to show in the form's window (nullptr for none); the menu remembers the window.
  virtual HMENU AttachMenuBar(HWND) { return nullptr; }
  // The window is going away: the menu takes its bar back so that it is not destroyed with it.
  virtual void DetachMenuBar(HWND) {}
  // A key down (CN_KEYDOWN, CN_SYSKEYDOWN): true when it was a shortcut of the menu.
  virtual bool IsShortCutKey(TMessage&) { return false; }
};

// Private messages of forms.
constexpr UINT CM_RELEASE = CM_BASE + 33;  // posted by Release: the form frees itself

class TScrollingWinControl;

// One scroll bar of a scrolling control: where the view stands, how far the children reach.
class TControlScrollBar : public TPersistent {
  KX_CLASS(TControlScrollBar, TPersistent)
 public:
  TControlScrollBar(TScrollingWinControl* control, bool horizontal)
      : FControl(control), FHorizontal(horizontal) {}
  static void DeclareProperties(TPropertyTable& table);
  int GetPosition() const;
  // Scrolls the control (kept within 0 .. range - client size).
  void SetPosition(int value);
  // How far the children reach (0 without AutoScroll).
  int GetRange() const;
  // The step of a click on an arrow.
  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int value) { FIncrement = value; }
  bool IsScrollBarVisible() const;

 private:
  TScrollingWinControl* FControl;
  bool FHorizontal;
  int FIncrement = 8;
};

// A windowed control that can scroll its children (base of forms and scroll boxes).
class TScrollingWinControl : public TWinControl {
  KX_COMPONENT(TScrollingWinControl, TWinControl)
 public:
  explicit TScrollingWinControl(TComponent* owner);
  static void DeclareProperties(TPropertyTable& table);
  // With AutoScroll, scroll bars appear when the children reach beyond the client area.
  bool GetAutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool value);
  POINT GetScrollPos() const { return FScrollPos; }
  SIZE GetScrollRange() const { return FRange; }
  // Moves the view to `pos` (clamped to the range the children need).
  void ScrollTo(POINT pos);
  TControlScrollBar* GetHorzScrollBar() { return &FHorzScrollBar; }
  TControlScrollBar* GetVertScrollBar() { return &FVertScrollBar; }

 protected:
  void AlignControlsIn(RECT& rect) override;
  void Dispatch(TMessage& message) override;
  void UpdateScrollBars();
  void Scroll(int bar, WORD code);
  bool FAutoScroll = false;
  bool FUpdatingScrollBars = false;
  POINT FScrollPos{0, 0};
  SIZE FRange{0, 0};
  TControlScrollBar FHorzScrollBar{this, true};
  TControlScrollBar FVertScrollBar{this, false};
};

class TScrollBox : public TScrollingWinControl {
  KX_COMPONENT(TScrollBox, TScrollingWinControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TScrollBox(TComponent* owner);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle value);
  void CreateParams(TCreateParams& params) override;

 private:
  TBorderStyle FBorderStyle = bsSingle;
};

// A group of controls made from its own form description and placed on a form.
class TFrame : public TScrollingWinControl {
  KX_COMPONENT(TFrame, TScrollingWinControl)
 public:
  explicit TFrame(TComponent* owner);
  // Reads the frame's description (the resource named after its class); a frame class's
  // constructor ends with this.
  void InitFrame();
};

// ---------------------------------------------------------------------------------------------
class TCustomForm : public TScrollingWinControl, public IParentForm {
  KX_COMPONENT(TCustomForm, TScrollingWinControl)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // Idle time: every visible control of the form lets its action update itself.
  void UpdateActions();

  // Reads the form's description (the resource named after its class) and then runs OnCreate;
  // a form's constructor ends with this.
  void InitForm();
  // As InitForm, from description text.
  void InitFormFromText(const std::string& text, const std::string& source);

  void Show();
  void Hide();
  // Runs a modal loop until ModalResult is set (Close sets mrCancel); returns it.
  int ShowModal();
  void Close() override;
  bool CloseQuery();
  // Frees the form once the messages already queued are handled.
  void Release();
  void SetVisible(bool value) override;
  bool GetShowing() const override;
  void SetParent(TWinControl* parent) override;

  int GetModalResult() const { return FModalResult; }
  void SetModalResult(int value) override { FModalResult = value; }
  bool IsModal() const { return FModal; }
  TWinControl* GetActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* control);
  // Records a focus change inside the form and fires the controls' OnExit and OnEnter.
  void SetFocusedControl(TWinControl* control) override;
  void FocusControl(TWinControl* control);
  // A control of the form is going away: it can no longer be the active one.
  void ControlDestroyed(TControl* control) override;
  bool GetKeyPreview() const override { return FKeyPreview; }
  void SetKeyPreview(bool value) { FKeyPreview = value; }
  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle value);
  TBorderIcons GetBorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons value);
  TPosition GetPosition() const { return FPosition; }
  void SetPosition(TPosition value) { FPosition = value; }
  TFormStyle GetFormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle value);
  TWindowState GetWindowState() const { return FWindowState; }
  void SetWindowState(TWindowState value);
  bool GetActive() const { return FActive; }
  TCanvas* GetCanvas() const { return FCanvas.get(); }
  // The menu bar's component; the menu classes dispatch their commands through this.
  TComponent* GetMenu() const { return FMenu; }
  void SetMenu(TComponent* menu);
  // A key down of a control on the form: true when it was a shortcut of the form's menu.
  bool IsShortCut(TMessage& key) override;

  RECT GetClientRect() override;
  // The client size a description states is the room below the menu bar: it is applied again
  // once the whole description, the menu among it, is read.
  void SetClientWidth(int value);
  void SetClientHeight(int value);
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void Loaded() override;
  // OnDestroy runs here, while the form is whole.
  void BeforeDestruction() override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;


 protected:
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  virtual void Activate();
  virtual void Deactivate();
  virtual void Paint();
  // Forwards a menu message to the menu component; false when nothing took it.
  virtual bool DispatchToMenu(TMessage& message);
  void PaintWindow(HDC dc) override;
  void Dispatch(TMessage& message) override;
  void WMSysChar(TMessage& message) override;
  void CMDialogKey(TMessage& message) override;
  void WMCommand(TMessage& message) override;
  void ApplyPosition();
  void CloseModal();
  // OnCreate, then showing a form whose description made it visible.
  void AfterReading();

  bool FModal = false;
  int FModalResult = mrNone;
  bool FKeyPreview = false;
  bool FActive = false;
  bool FShown = false;
  bool FDestroyAnnounced = false;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TPosition FPosition = poDesigned;
  TFormStyle FFormStyle = fsNormal;
  TWindowState FWindowState = wsNormal;
  std::unique_ptr<TControlCanvas> FCanvas;
  TComponent* FMenu = nullptr;
  int FClientWidth = 0, FClientHeight = 0;  // as the description states them, while it is read

 private:
  void Notification(TComponent* component, TOperation operation) override;
};

// The form a control sits on, or nullptr.
TCustomForm* GetParentForm(TControl* control);

KX_NAMED_COMPONENT(TForm, TCustomForm);

// ---------------------------------------------------------------------------------------------
// The small popup window that shows a control's hint.
class THintWindow : public TCustomControl {
  KX_COMPONENT(THintWindow, TCustomControl)
 public:
  explicit THintWindow(TComponent* owner);
  void CreateParams(TCreateParams& params) override;
  virtual void ActivateHint(RECT rect, const std::string& hint);
  virtual void ActivateHintData(RECT rect, const std::string& hint, void* data);
  virtual RECT CalcHintRect(int maxWidth, const std::string& hint, void* data);
  // Hides the window (it is made again for the next hint).
  void ReleaseHandle();

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& message) override;
  void Dispatch(TMessage& message) override;
};

// ---------------------------------------------------------------------------------------------
class TScreen : public TComponent {
  KX_COMPONENT(TScreen, TComponent)
 public:
  explicit TScreen(TComponent* owner);
  ~TScreen() override;
  int GetFormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* GetForm(int index) const { return FForms.at(static_cast<size_t>(index)); }
  TCustomForm* GetActiveForm() const;
  TFont* GetHintFont() const { return FHintFont.get(); }
  // A cursor for the whole program (crHourGlass while it works); crDefault: the controls' own.
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor value);
  // Shows the program's cursor over the window that the pointer stands over now, after windows
  // were shown or hidden under it, for a busy step that handles no message: the system shows a
  // window's cursor only once the program has taken in that the pointer came onto that window.
  // None of the user's input is handled.
  void ShowCursorAtPointer();
  int GetWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
  int GetHeight() const { return GetSystemMetrics(SM_CYSCREEN); }

 private:
  friend class TCustomForm;
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  std::vector<TCustomForm*> FForms;
  std::unique_ptr<TFont> FHintFont;
  TCursor FCursor = crDefault;
};

class TApplicationEvents;

// ---------------------------------------------------------------------------------------------
class TApplication : public TComponent {
  KX_COMPONENT(TApplication, TComponent)
 public:
  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  // The hidden owner window of the program's windows (nullptr where no display exists).
  HWND GetHandle() const { return FHandle; }
  std::string GetTitle() const;
  void SetTitle(const std::string& value);
  // The title as the window holds it (the 8-bit title, widened, unless a Unicode layer gave
  // the window wide text); error messages show it as their caption.
  std::wstring GetWindowTitleW() const;
  // The library's hidden window is an 8-bit window. A Unicode layer that keeps a wide title
  // there turns it into a Unicode window: its messages then arrive in wide form and go on to the
  // wide default handling. Everything the library itself sends it is converted by the system.
  void SetUnicodeWindow(bool value);
  bool GetUnicodeWindow() const { return FUnicodeWindow; }
  TCustomForm* GetMainForm() const { return FMainForm; }
  // Creates a form; the first one becomes the main form.
  template <class Form>
  void CreateForm(Form*& reference) {
    reference = new Form(this);
    if (!FMainForm) FMainForm = reference;
  }
  void SetMainForm(TCustomForm* form) { FMainForm = form; }
  HWND GetDialogHandle() const { return FDialogHandle; }
  void SetDialogHandle(HWND value) { FDialogHandle = value; }

  // Message loop.
  void Initialize() {}
  void Run();
  void ProcessMessages();
  void HandleMessage();
  void Terminate();
  bool GetTerminated() const { return FTerminated; }
  // True when the key message went to a control as a dialog key (CN_KEYDOWN and friends).
  bool IsKeyMsg(MSG& msg);

  void HookMainWindow(const TWindowHook& hook);
  void UnhookMainWindow(const TWindowHook& hook);

  // Errors: OnException, else the error dialog; the loop goes on either way.
  void HandleException(TObject* sender);
  void ShowException(const std::string& message);
  void ShowException(const std::wstring& message);
  int MessageBox(const std::string& text, const std::string& caption, UINT flags);

  // Hints.
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& value);
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool value);
  bool GetHintShortCuts() const { return FHintShortCuts; }
  void SetHintShortCuts(bool value) { FHintShortCuts = value; }
  TColor GetHintColor() const { return FHintColor; }
  void SetHintColor(TColor value) { FHintColor = value; }
  int GetHintPause() const { return FHintPause; }
  void SetHintPause(int value) { FHintPause = value; }
  int GetHintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int value) { FHintHidePause = value; }
  // Shows the hint of the control under `cursorPos` now (what the hint timer does).
  void ActivateHint(POINT cursorPos);
  void CancelHint();
  THintWindow* GetHintWindow() const { return FHintWindow; }
  TClass GetHintWindowClass() const { return FHintWindowClass; }
  void SetHintWindowClass(TClass value) { FHintWindowClass = value; }

  TMessageEvent OnMessage;
  TIdleEvent OnIdle;
  TExceptionEvent OnException;
  TNotifyEvent OnHint;


 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TApplicationEvents;
  void WndProc(TMessage& message);
  bool ProcessMessage(MSG& msg);
  void Idle(const MSG& msg);
  void DoMouseIdle();
  bool IsHintMsg(const MSG& msg);
  void HintTimerExpired();
  void StartHintTimer(int delay);
  void StopHintTimer();
  void CreateHandle();

  HWND FHandle = nullptr;
  WNDPROC FObjectInstance = nullptr;
  std::string FTitle;
  TCustomForm* FMainForm = nullptr;
  HWND FDialogHandle = nullptr;
  bool FTerminated = false;
  std::vector<TWindowHook> FWindowHooks;
  std::vector<TApplicationEvents*> FEventObjects;
  std::string FHint;
  bool FShowHint = true;
  bool FHintShortCuts = true;
  TColor FHintColor = clInfoBk;
  int FHintPause = 500;
  int FHintHidePause = 2500;
  TClass FHintWindowClass;
  THintWindow* FHintWindow = nullptr;
  TControl* FMouseControl = nullptr;
  TControl* FHintControl = nullptr;
  RECT FHintCursorRect{};
  bool FHintTimerRunning = false;
  bool FHintShowing = false;
  bool FHandleCreated = false;
  bool FUnicodeWindow = false;
};

// Lets several components share the application's events (OnIdle is multicast).
class TApplicationEvents : public TComponent {
  KX_COMPONENT(TApplicationEvents, TComponent)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TApplicationEvents(TComponent* owner);
  ~TApplicationEvents() override;
  TIdleEvent OnIdle;
  TMessageEvent OnMessage;
};

// The program's application object and screen, made before any window.
extern TApplication* Application;
extern TScreen* Screen;

// The screen's cursor over every window of the program for as long as the scope lives, however it
// is left (errors included); the cursor before it comes back, so that scopes nest.
class TScreenCursorScope {
 public:
  explicit TScreenCursorScope(TCursor cursor);
  ~TScreenCursorScope();
  TScreenCursorScope(const TScreenCursorScope&) = delete;
  TScreenCursorScope& operator=(const TScreenCursorScope&) = delete;

 private:
  TCursor FPrevious = crDefault;
};

// The wait cursor, for a step that keeps the program busy.
class TWaitCursor : public TScreenCursorScope {
 public:
  TWaitCursor() : TScreenCursorScope(crHourGlass) {}
};

// Registers the forms, scroll boxes, frames and application events for form descriptions.
void RegisterFormClasses();
