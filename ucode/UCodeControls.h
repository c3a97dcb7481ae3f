// The core of the wide controls: the wide text and hint kept beside each control's 8-bit ones
// (TWideControlHelper), Unicode windows for the wide windowed controls, the trap that subclasses
// each such window so that the 8-bit class library still talks to it, wide hints and the wide
// list interface through which selections are copied between list controls.
#pragma once

#include <string>

#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeClasses.h"

// ---------------------------------------------------------------------------------------------
// Wide text and hint of any control.

// The wide caption or text and the wide hint of one control, made on first need and freed with
// the control.
class TWideControlHelper : public TWideComponentHelper {
  KX_CLASS(TWideControlHelper, TWideComponentHelper)
 public:
  TWideControlHelper(TControl* control, TList* list);
  TControl* GetControl() const { return FControl; }

  std::wstring FCaption;
  std::wstring FHint;

 private:
  TControl* FControl;
};

// The control's helper; made when absent and `create` is set, else nullptr when absent.
TWideControlHelper* FindWideControlHelper(TControl* control, bool create);

std::wstring WideGetControlText(TControl* control);
void WideSetControlText(TControl* control, const std::wstring& value);
std::wstring WideGetControlHint(TControl* control);
void WideSetControlHint(TControl* control, const std::wstring& value);
// Whether a published wide Caption or Text is stored: not when the control's action supplies it.
bool IsWideCaptionStored(TControl* control);
bool IsWideHintStored(TControl* control);
// The wide hint of the control or of its nearest parent that has one.
std::wstring WideGetHint(TControl* control);
// The part of a hint before the first "|" (all of it without one), and the part after.
std::wstring WideGetShortHint(const std::wstring& hint);
std::wstring WideGetLongHint(const std::wstring& hint);

// ---------------------------------------------------------------------------------------------
// Unicode windows.

// Makes the control's window as a Unicode window: over the named system class ("EDIT",
// "LISTBOX", ...), or, with an empty name, over the library's own window class registered again
// as a Unicode class. Every CreateWindowHandle of the wide controls calls it.
void CreateUnicodeHandle(TWinControl* control, const TCreateParams& params, const std::wstring& systemClassName);
// The same for a common control; the window then sends Unicode notifications.
void CreateUnicodeHandle_ComCtl(TWinControl* control, const TCreateParams& params, const std::wstring& className);
// Subclasses the control's Unicode window so that the library's 8-bit messages reach it, and
// gives the window the control's wide text (or `caption`, widened, when it has none stored).
void SubClassUnicodeControl(TWinControl* control, const std::string& caption);

// Registered message "UCodeUnicodeVcl.DestroyWindow": a Unicode window that receives it is
// released from subclassing as on WM_DESTROY.
extern UINT WM_UCODE_DESTROYWINDOW;

// WM_CHAR with a character above 255 carries the character in the high word of WParam and 255
// in the low word while the 8-bit library sees it (packed), so that 8-bit key handlers see 255.
void PackWMChar(TMessage& message);
void UnpackWMChar(TMessage& message);
wchar_t GetWideCharFromWMCharMsg(const TMessage& message);
void SetWideCharForWMCharMsg(TMessage& message, wchar_t ch);

// The subclassing record of one Unicode control window.
class TWinControlTrap : public TComponent {
  KX_CLASS(TWinControlTrap, TComponent)
 public:
  explicit TWinControlTrap(TWinControl* control);
  ~TWinControlTrap() override;
  TWinControlTrap(const TWinControlTrap&) = delete;
  TWinControlTrap& operator=(const TWinControlTrap&) = delete;

  TWinControl* GetControl() const { return FControl; }
  WNDPROC GetMainWindowProcStub() const { return FControlMainStub; }
  void SubClassControl(HWND handle);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void Win32Proc(TMessage& message);
  void DefWin32Proc(TMessage& message);
  void WindowProcHook(TMessage& message);
  void UnSubClass();
  void HandleMessage(TMessage& message);

  WNDPROC FControlMainStub = nullptr;
  WNDPROC FWin32ProcStub = nullptr;
  WNDPROC FDefProcStub = nullptr;
  TWinControl* FControl;
  HWND FHandle = nullptr;
  WNDPROC FPrevWin32Proc = nullptr;
  WNDPROC FPrevDefWin32Proc = nullptr;
  TWndMethod FPrevWindowProc;
  UINT FLastWin32Msg = 0;
  int FWin32ProcLevel = 0;
  bool FFreePending = false;
  bool FTestingWindowProc = false;
  bool FWindowProcActive = false;
};

// ---------------------------------------------------------------------------------------------
// Wide hints.

// Prepares CM_HINTSHOW for a wide hint: the hint window becomes TUCodeCustomHintWindow and the
// hint data points at the hint information itself.
void WideHintShow(TControl* control, THintInfo* info);

class TUCodeCustomHintWindow : public THintWindow {
  KX_COMPONENT(TUCodeCustomHintWindow, THintWindow)
 public:
  explicit TUCodeCustomHintWindow(TComponent* owner) : THintWindow(owner) {}
  void CreateWindowHandle(const TCreateParams& params) override;
  void ActivateHint(RECT rect, const std::string& hint) override;
  void ActivateHintData(RECT rect, const std::string& hint, void* data) override;
  RECT CalcHintRect(int maxWidth, const std::string& hint, void* data) override;

 protected:
  void Paint() override;
  void CMTextChanged(TMessage& message) override;

 private:
  // The wide text for hint data that came from WideHintShow; false for other data.
  bool WideHintText(const std::string& hint, void* data, std::wstring& text) const;
  bool FBlockSizing = false;
  bool FBlockPaint = false;
};

// ---------------------------------------------------------------------------------------------
// Wide list targets.

// Implemented by the wide combo box, list box and list view.
class IWideCustomListControl {
 public:
  virtual ~IWideCustomListControl() = default;
  virtual void AddItemW(const std::wstring& item, TObject* object) = 0;
};

// Adds the item to the destination: wide when it takes wide items, else its 8-bit form.
void WideAddListItem(TCustomListControl* destination, const std::wstring& item, TObject* object);
