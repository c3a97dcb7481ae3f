// Controls with a window of their own: TWinControl with the creation protocol of its windows
// (shared with the Unicode layer), message reflection, focus and keys; TCustomControl paints itself.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/Controls.h"

// ---------------------------------------------------------------------------------------------
// The creation protocol, shared with the Unicode layer, which duplicates the initial procedure.
// The control whose window is being created (from CreateWnd to the window's first message).
extern TWinControl* CreationControl;
// Window properties under which every control window holds its control object.
extern ATOM WindowAtom;
extern ATOM ControlAtom;
extern std::string WindowAtomString;   // window-atom prefix followed by the process ID
extern std::string ControlAtomString;  // "ControlOfs" + module instance + thread ID
constexpr char kWindowAtomPrefix[] = "ClassLibWnd";
// The first window procedure of every window the library creates (see TWinControl::CreateWnd).
LRESULT CALLBACK InitWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The control of a window of this thread, or nullptr.
TWinControl* FindControl(HWND wnd);
// The control of the window or of its nearest parent that has one: a window of a control's own
// (the edit inside a combo box) speaks for its control. nullptr when none has.
TWinControl* FindNearestControl(HWND wnd);
// The innermost control (windowed or not) at a screen position, or nullptr.
TControl* FindDragTarget(POINT screenPos, bool allowDisabled);

// What a control asks of the form it sits on. The forms answer it, so that the units of the
// controls need not know the unit of the forms.
class IParentForm {
 public:
  virtual ~IParentForm() = default;
  // Records a focus change inside the form.
  virtual void SetFocusedControl(TWinControl* control) = 0;
  // A control of the form is going away: it can no longer be the active one.
  virtual void ControlDestroyed(TControl* control) = 0;
  // Whether the form sees its controls' keys before they do.
  virtual bool GetKeyPreview() const = 0;
  // A key down of a control on the form: true when it was a shortcut of the form's menu.
  virtual bool IsShortCut(TMessage& key) = 0;
  virtual void SetModalResult(int value) = 0;
  virtual void Close() = 0;
};
// The form a control sits on (the top of its parents, when that is a form), or nullptr.
IParentForm* ParentFormOf(TControl* control);

// ---------------------------------------------------------------------------------------------
class TWinControl : public TControl {
  KX_COMPONENT(TWinControl, TControl)
 public:
  TClass GetActionLinkClass() const override;
  static void DeclareProperties(TPropertyTable& table);
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // Window handle: GetHandle makes the window on demand.
  HWND GetHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // The raw handle field, with no side effect (the Unicode layer stores its own windows here).
  HWND GetWindowHandle() const { return FHandle; }
  void SetWindowHandle(HWND handle) { FHandle = handle; }
  // The procedure DefaultHandler passes messages to while the window exists.
  WNDPROC GetDefWndProc() const { return FDefWndProc; }
  void SetDefWndProc(WNDPROC value) { FDefWndProc = value; }
  // Whether the window was made from the library's own window class (not over a system class):
  // such a window erases its background with the brush and keeps the mouse while a button is
  // down. Whoever creates the window sets it; a later subclassing leaves it as it is.
  bool GetOwnWindowClass() const { return FOwnWindowClass; }
  void SetOwnWindowClass(bool value) { FOwnWindowClass = value; }
  // What the system calls for this control's window (through its object instance).
  void MainWndProc(TMessage& message);
  WNDPROC GetObjectInstance() const { return FObjectInstance; }

  // Window life.
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void CreateWnd();
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  void CreateHandle();
  void DestroyHandle();
  virtual void RecreateWnd();
  // Copies the record of a system window class (extra bytes and all) into the creation record
  // and takes the system class's procedure as the default window procedure.
  void CreateSubClass(TCreateParams& params, const char* systemClassName);

  // Children.
  int GetControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* GetControl(int index) const { return FControls.at(static_cast<size_t>(index)); }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  bool ContainsControl(TControl* control) const;
  // Performs `message` on every child in turn until one sets a non-zero result.
  void Broadcast(TMessage& message);
  void NotifyControls(UINT msg);
  // The child (not windowed unless `allowWinControls`) at a client position.
  TControl* ControlAtPos(POINT pos, bool allowDisabled, bool allowWinControls = false);
  void AlignControls();
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();

  // Focus and tab order.
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  void SelectFirst();
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
  TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop);
  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool value);
  // Whether Tab stops at the control now: its TabStop, unless a kind of control decides by the
  // controls around it.
  virtual bool IsTabStop() const { return FTabStop; }
  int GetTabOrder() const;
  void SetTabOrder(int value);
  std::vector<TWinControl*> GetTabOrderList() const;

  bool GetDockSite() const { return FDockSite; }
  void SetDockSite(bool value) { FDockSite = value; }

  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool value) { FCtl3D = value; }
  TBrush* GetBrush() const { return FBrush.get(); }

  // Keys: true when handled (an event swallowed it).
  bool DoKeyDown(TMessage& message);
  bool DoKeyUp(TMessage& message);
  bool DoKeyPress(TMessage& message);
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(char& key);

  // Destroys the window while the control is whole (overrides still run), then leaves the
  // parent; children not yet freed lose their parent.
  void BeforeDestruction() override;
  void SetBounds(int left, int top, int width, int height) override;
  RECT GetClientRect() override;
  POINT GetClientOrigin() const override;
  bool GetShowing() const override;
  void Invalidate() override;
  void Update() override;
  void SetParent(TWinControl* parent) override;
  void WndProc(TMessage& message) override;
  void Dispatch(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  // Paints the children without a window onto `dc` (the parent's client area).
  void PaintControls(HDC dc, TControl* first);

  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;


 protected:
  virtual void DoEnter();
  virtual void DoExit();
  virtual void PaintWindow(HDC dc);
  void PaintHandler(TMessage& message);
  virtual void AlignControlsIn(RECT& rect);
  void AnchorControls();
  void CaptureOwnMouse(UINT msg);
  // The part of the client area that aligned children share (inside frames and captions).
  virtual void AdjustClientRect(RECT& rect) { (void)rect; }
  void UpdateBounds();
  void UpdateShowing();
  void CreateChildHandles();
  void ParentFontChanged() override;
  void RequestAlign() override;

  // Message handlers of TWinControl.
  virtual void WMPaint(TMessage& message);
  virtual void WMEraseBkgnd(TMessage& message);
  virtual void WMCommand(TMessage& message);
  virtual void WMNotify(TMessage& message);
  virtual void WMReflected(TMessage& message);  // WM_DRAWITEM, WM_CTLCOLOR*, scrolls ...
  virtual void WMSize(TMessage& message);
  virtual void WMWindowPosChanged(TMessage& message);
  virtual void WMSetFocus(TMessage& message);
  virtual void WMKillFocus(TMessage& message);
  virtual void WMKeyDown(TMessage& message);
  virtual void WMKeyUp(TMessage& message);
  virtual void WMChar(TMessage& message);
  virtual void WMSysChar(TMessage& message);
  virtual void WMMouseWheel(TMessage& message);
  virtual void WMSetCursor(TMessage& message);
  virtual void WMNCDestroy(TMessage& message);
  virtual void CNKeyDown(TMessage& message);
  virtual void CNKeyUp(TMessage& message);
  virtual void CNChar(TMessage& message);
  virtual void CNSysKeyDown(TMessage& message);
  virtual void CNSysChar(TMessage& message);
  bool IsMenuKey(TMessage& message);
  // Moves the focus out of this control, which can no longer take it, when it is inside.
  void PassFocusOn();
  virtual void CNCtlColor(TMessage& message);
  virtual void CMEnter(TMessage& message);
  virtual void CMExit(TMessage& message);
  virtual void CMDialogKey(TMessage& message);
  void CMDialogChar(TMessage& message) override;
  void CMEnabledChanged(TMessage& message) override;
  void CMVisibleChanged(TMessage& message) override;
  void CMFontChanged(TMessage& message) override;
  void CMColorChanged(TMessage& message) override;
  void CMShowingChanged(TMessage& message);
  virtual void CMDockClient(TMessage& message);
  virtual void CMDockNotification(TMessage& message);
  // Takes a docked control in: it fills the site.
  virtual void DoAddDockClient(TControl* client, const RECT& rect);

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;
  WNDPROC FObjectInstance = nullptr;
  bool FOwnWindowClass = false;
  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  std::unique_ptr<TBrush> FBrush;
  bool FTabStop = false;
  bool FCtl3D = true;
  bool FDockSite = false;
  int FAlignLevel = 0;
  bool FAligning = false;
  TControl* FCaptureControl = nullptr;  // the child without a window that has the mouse

 private:
  friend class TControl;
  void RegisterWindowClass(TCreateParams& params);
  void ReflectToChild(TMessage& message, HWND child, UINT reflected);
};

// A windowed control that paints itself through Paint on its Canvas.
class TCustomControl : public TWinControl {
  KX_COMPONENT(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  TCanvas* GetCanvas() const { return FCanvas.get(); }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;
  std::unique_ptr<TControlCanvas> FCanvas;
};
