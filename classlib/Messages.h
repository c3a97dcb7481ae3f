// Window messages of the class library: its private message numbers, the message record with
// its typed views, the guard that every system callback runs in, and window procedures bound
// to one object's method.
#pragma once

#include <cstdint>
#include <exception>

#include "classlib/Classes.h"
#include "classlib/WinApi.h"

// Control messages (CM_): performed between controls of the library, never sent by the system.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;    // WParam: virtual key; Result 1 = consumed
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;   // WParam: character (Alt+key); Result 1 = consumed
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7; // LParam: the control that received the focus
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 16;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 21;
constexpr UINT CM_ENTER = CM_BASE + 22;
constexpr UINT CM_EXIT = CM_BASE + 23;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 25;
constexpr UINT CM_CHANGED = CM_BASE + 37;     // LParam: the control that changed
constexpr UINT CM_HINTSHOW = CM_BASE + 48;    // LParam: THintInfo*; Result non-zero = no hint
// LParam: TDockClientInfo*; Result 0 when the site took the client, negative when it refused.
constexpr UINT CM_DOCKCLIENT = CM_BASE + 56;
constexpr UINT CM_DOCKNOTIFICATION = CM_BASE + 66;  // LParam: TDockNotifyRec*

// Control notifications (CN_): system notifications reflected from a parent to the child
// control they concern; the number is the system message plus CN_BASE.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr UINT CN_SYSKEYUP = CN_BASE + WM_SYSKEYUP;

// One window message as the library passes it around: the same four words the system
// passes, with word views of both parameters.  The character of WM_CHAR is the low word of
// WParam; the high word is left alone by the library's key handling.
struct TMessage {
  UINT Msg = 0;
  union {
    WPARAM WParam = 0;
    struct {
      WORD WParamLo;
      WORD WParamHi;
    };
  };
  union {
    LPARAM LParam = 0;
    struct {
      WORD LParamLo;
      WORD LParamHi;
    };
  };
  LRESULT Result = 0;
};

// Typed views over a TMessage (same layout; use MessageAs<T>(message)).
struct __attribute__((may_alias)) TWMKey {
  UINT Msg;
  WORD CharCode;  // virtual key or character
  WORD Unused;    // a packed wide character lives here; never touched by the library
  LPARAM KeyData;
  LRESULT Result;
};
using TWMChar = TWMKey;
using TWMKeyDown = TWMKey;
using TWMKeyUp = TWMKey;

struct __attribute__((may_alias)) TCMDialogChar {
  UINT Msg;
  WORD CharCode;
  WORD Unused;
  LPARAM KeyData;
  LRESULT Result;
};

struct THintInfo;
struct __attribute__((may_alias)) TCMHintShow {
  UINT Msg;
  WPARAM Reserved;
  THintInfo* HintInfo;
  LRESULT Result;
};

struct __attribute__((may_alias)) TWMNotify {
  UINT Msg;
  WPARAM IDCtrl;
  NMHDR* NMHdr;
  LRESULT Result;
};

struct __attribute__((may_alias)) TWMCommand {
  UINT Msg;
  WORD ItemID;
  WORD NotifyCode;
  HWND Ctl;
  LRESULT Result;
};

struct __attribute__((may_alias)) TWMMouse {
  UINT Msg;
  WPARAM Keys;
  int16_t XPos;
  int16_t YPos;
  LRESULT Result;
};

struct __attribute__((may_alias)) TWMDrawItem {
  UINT Msg;
  WPARAM Ctl;
  DRAWITEMSTRUCT* DrawItemStruct;
  LRESULT Result;
};

struct __attribute__((may_alias)) TWMScroll {
  UINT Msg;
  WORD ScrollCode;
  WORD Pos;
  HWND ScrollBar;
  LRESULT Result;
};

class TControl;
class TWinControl;
struct TDockClientInfo {
  TControl* Control = nullptr;
  POINT MousePos{};
};
struct __attribute__((may_alias)) TCMDockClient {
  UINT Msg;
  TControl* DockSource;
  TDockClientInfo* Info;
  LRESULT Result;
};
struct TDockNotifyRec {
  UINT ClientMsg = 0;
  WPARAM MsgWParam = 0;
  LPARAM MsgLParam = 0;
};
struct __attribute__((may_alias)) TCMDockNotification {
  UINT Msg;
  TControl* Client;
  TDockNotifyRec* NotifyRec;
  LRESULT Result;
};

template <class View>
View& MessageAs(TMessage& message) {
  static_assert(sizeof(View) == sizeof(TMessage));
  return reinterpret_cast<View&>(message);
}

// A message handler of a control: the (object, method) pair that WindowProc holds.
using TWndMethod = TEvent<void(TMessage&)>;

// Runs the body of a system callback; an exception is handed to the application's error
// handler (nothing may unwind through the system's frames) and `fallback` is returned.
void HandleCallbackException() noexcept;
template <class Body>
auto GuardedCallback(Body&& body, decltype(body()) fallback) noexcept -> decltype(body()) {
  try {
    return body();
  } catch (...) {
    HandleCallbackException();
    return fallback;
  }
}
template <class Body>
void GuardedCallback(Body&& body) noexcept {
  try {
    body();
  } catch (...) {
    HandleCallbackException();
  }
}

// Who handles exceptions that reach a callback guard: the application installs itself.  It is
// called inside the catch block (std::current_exception() is the error).
using TExceptionHandlerProc = void (*)();
extern TExceptionHandlerProc ApplicationHandleException;

// The application's window, to which actions are offered before their own handlers run; the
// application installs it (none before, and then nothing is offered).
using TApplicationWindowProc = HWND (*)();
extern TApplicationWindowProc ApplicationWindow;

// A plain window procedure that calls `method` with the message; the method's own guard is the
// caller's business (MainWndProc guards itself).  Freed with FreeObjectInstance.
WNDPROC MakeObjectInstance(const TWndMethod& method);
void FreeObjectInstance(WNDPROC instance);
