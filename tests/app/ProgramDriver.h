// Driving kaptorix.exe from another process as a user does: starting it, finding its windows,
// clicking, dropping files from the shell, reading what its windows show. Every wait is bounded:
// a program that does not answer in time fails the test instead of hanging it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace programtest {

constexpr DWORD kPatience = 60000;  // how long the program may take to answer, at most
constexpr char kMainTitle[] = "Kaptorix - Berno Kalwe";

std::string WindowText(HWND window);
std::string ClassOf(HWND window);
// The memo's whole text through WM_GETTEXT, as another program reads it.
std::string MemoText(HWND memo);
// The same as wide text, every character as the memo holds it.
std::wstring MemoWideText(HWND memo);

using WindowTest = std::function<bool(HWND)>;
HWND FindTopWindow(DWORD processId, const WindowTest& test);
HWND FindChild(HWND parent, const WindowTest& test);
// Every child of the window that passes the test, at any depth, shown or not.
std::vector<HWND> FindChildren(HWND parent, const WindowTest& test);
WindowTest VisibleWithText(const std::string& text);
// The shown list view among the window's children.
HWND FindShownListView(HWND parent);
// The shown page control (its row of tabs) among the window's children.
HWND FindShownPageControl(HWND parent);
// Every list view among the window's children, shown or not.
std::vector<HWND> ListViews(HWND parent);
// A shown memo, a multi-line edit of the program's memo class.
bool IsShownMemo(HWND window);

// A message box of the program, as the system shows it, and the text it tells.
bool IsMessageBox(HWND window);
std::string MessageBoxText(HWND box);
// The program's main window, shown.
bool IsMainWindow(HWND window);
// The program's main window, shown or not.
bool IsMainWindowShownOrNot(HWND window);
// True when `front` stands before `behind` in the order of the screen's windows.
bool InFrontOf(HWND front, HWND behind);

// Sends the message and waits for the program to handle it; false when it did not in time.
bool SendAndWait(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, LRESULT* result = nullptr);

class RunningProgram {
 public:
  // Started in the current folder `folder`; `programFolder` (with its trailing backslash) holds
  // the copy of kaptorix.exe to start, the test program's own folder when empty.
  RunningProgram(const std::string& argument, const std::string& folder, const std::string& programFolder = "");
  // With an argument in any script, as the shell hands over a file.
  RunningProgram(const std::wstring& argument, const std::string& folder, const std::string& programFolder = "");
  // With several arguments, each passed quoted, in this order.
  RunningProgram(const std::vector<std::wstring>& arguments, const std::string& folder,
                 const std::string& programFolder = "");
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool Started() const { return m_started; }
  DWORD ProcessId() const { return m_info.dwProcessId; }
  HANDLE Process() const { return m_info.hProcess; }

  // The first top-level window of the program that passes the test, once the program has
  // brought it up; nullptr when the program ends or does not answer.
  HWND WaitForWindow(const WindowTest& test) const;
  // The main window, once shown.
  HWND WaitForMainWindow() const;
  // Waits until the test holds for the window's children; false when the program ends or
  // does not get there in time.
  bool WaitUntil(const std::function<bool()>& test) const;
  // Returns once the window is gone.
  bool WaitUntilGone(HWND window) const;
  // Exit code, or STILL_ACTIVE when the program has not ended.
  DWORD WaitForExit() const;

  // Answers the common save dialog that the click on `button` opens with the path typed into
  // its name box and its save button; true once the dialog is gone and the program has
  // finished the click.
  bool SaveThroughDialog(HWND main, HWND button, const std::string& path) const;
  // Answers the common file dialog (open or save) that the click on `button` opens: types
  // `path` into its name box as wide text, then presses its Open or Save button, or with
  // `confirm` false its Cancel button. True once the dialog is gone and the program has finished
  // the click.
  bool AnswerFileDialog(HWND main, HWND button, const std::wstring& path, bool confirm = true) const;

 private:
  void Start(const std::vector<std::wstring>& arguments, const std::string& folder, const std::string& programFolder);

  PROCESS_INFORMATION m_info{};
  bool m_started = false;
};

// A copy of kaptorix.exe in a folder of its own, so that the word lists and the start
// configuration of its program folder are a test's alone.
class ProgramCopy {
 public:
  ProgramCopy();
  bool Copied() const { return m_copied; }
  // The folder with its trailing backslash, as RunningProgram takes it.
  std::string Folder() const;
  testsupport::TempDir dir;

 private:
  bool m_copied = false;
};

// The program started in the folder speaks the language `code`, "de" or "en": German when a
// file "de" stands in the folder it starts in.
void ChooseLanguage(const testsupport::TempDir& folder, const std::string& code);

// The main window once it shows the text wizard, as it does for a text file named on the command
// line: the window comes up first, then the file opens in it. nullptr when it does not.
HWND WaitForTextWizard(const RunningProgram& program);

// Waits for the start screen and clicks it, which brings the main window at once; the main
// window, or nullptr when either does not appear.
HWND ClickThroughStartScreen(const RunningProgram& program);

// Closes the main window as the user does; succeeds when the program then ends with exit code 0
// and leaves no temporary file of its own behind.
::testing::AssertionResult CloseLeavingNothing(const RunningProgram& program, HWND main);

// A click of the left mouse button at a point of the window's client area: the button pressed
// and released there, as the mouse does it.
bool ClickAt(HWND window, POINT point);

// The deepest shown window in the middle of the window.
HWND WindowAtMiddle(HWND window);
// A click in the middle of the window, on whatever is shown there.
bool ClickMiddle(HWND window);
// The same click posted, as the mouse's messages are: the button pressed and released there, so
// that a window the click shows modally does not hold the caller.
bool PostClickMiddle(HWND window);

// Clicks a speed button of the main window's side bar, which has no window of its own: its
// place comes from the main window's form description and the click goes to the window of the
// panel under it.
bool ClickSideBarButton(HWND main, const std::string& buttonName);
// The side bar's panel, with the place of one of its speed buttons in the panel's client area;
// nullptr when there is no such button.
HWND SideBarButton(HWND main, const std::string& buttonName, RECT& bounds);
// The click on a side-bar button posted, as the mouse's messages are: handled in turn with what
// was posted before it.
bool PostSideBarClick(HWND main, const std::string& buttonName);

// A component's place in its parent's client area as a form description of the program (its
// resource name, "TPROG" for the main window) gives it; without width and height where the
// description leaves them to the component (an auto-sized label).
RECT DescribedBounds(const std::string& form, const std::string& component);

// Drops the files onto the window as the shell does: the first window from `target` up through
// its parents that accepts files gets a WM_DROPFILES message with a DROPFILES block of wide
// names; when none accepts, the shell refuses the drop and false is returned. The block is made
// in the program's own memory, where a drop from the shell arrives: under Wine a global memory
// handle of this process (even one made with GMEM_MOVEABLE | GMEM_SHARE) is not carried over to
// another process, and the program would find no files in it.
bool DropFiles(const RunningProgram& program, HWND target, const std::vector<std::string>& paths);
bool DropFiles(const RunningProgram& program, HWND target, const std::vector<std::wstring>& paths);
// The same for a drop that the program answers with a message: the drop is posted, `answer`
// runs while the program handles it (and answers the message), and the call returns once the
// program has finished the drop.
bool DropFilesAnswering(const RunningProgram& program, HWND target, const std::vector<std::wstring>& paths,
                        const std::function<void()>& answer);

// Types the text into the window character by character, as the keyboard's characters arrive;
// returns once the window has taken the last.
bool TypeText(HWND window, const std::string& text);

// The main window's menu bar used with the keyboard, as a user without a mouse does: F10's menu
// mode, then the keys. They are posted, so that a window a command shows modally does not hold
// the caller, and only once the program has taken in what the display told it before (the
// keyboard focus back on the main window, say), as it has before a user's keys reach it. False
// when the program does not get there in time.
bool PostMenuKeys(const RunningProgram& program, HWND main, const std::vector<UINT>& keys);
// Chooses an item of the main window's menu bar that way: the arrow keys to the item, Enter.
// The item is named by the component names of its menus from the bar down; its place comes
// from the main window's form description (items hidden there and separators take no place).
// False when there is no such item.
bool ChooseMenuItem(const RunningProgram& program, HWND main, const std::vector<std::string>& names);

// Keys pressed and released in the window, by their virtual keys (digits, capital letters):
// taken by the control that has the keyboard focus in the window's thread, else by the window
// itself. Posted, as the keyboard's messages are; the program's message loop makes the
// characters.
bool PostKeys(HWND window, const std::string& keys);
// The Enter key pressed in the window, the same way.
bool PressEnter(HWND window);
// Keys pressed and released on the keyboard, with Shift held down around them when asked: they
// come through the system's input as a user's do, to the control with the keyboard focus in the
// foreground window, or to that window itself when nothing has the focus. Pressed once the
// program has taken in what the display told it before (at once into an open menu); it handles
// them in turn.
bool PressKeys(const RunningProgram& program, HWND window, const std::vector<WORD>& keys, bool shift = false);
// The same with the keys `held` (Ctrl, Shift) down around them, pressed in turn and let go in the
// reverse order, as a user presses Ctrl+Shift+Tab.
bool PressKeysHolding(const RunningProgram& program, HWND window, const std::vector<WORD>& held,
                      const std::vector<WORD>& keys);
// Tab pressed in the window, a key at a time, until the keyboard focus is on `target`; false when
// it does not get there within `limit` keys.
bool TabTo(const RunningProgram& program, HWND window, HWND target, int limit = 40);

// A click on the tab `index` of a tab control (a page control's tabs) in another process.
bool ClickTab(const RunningProgram& program, HWND tabs, int index);
// The place of tab `index` in the tab control's client area.
bool TabRect(const RunningProgram& program, HWND tabs, int index, RECT& rect);

// The colours the screen shows in a rectangle of the window's client area, row by row.
std::vector<COLORREF> ClientPixels(HWND window, const RECT& rect);
// What the system tells of the thread of `window` (focus, caret, menu mode); false when it tells
// nothing.
bool GuiThreadInfo(HWND window, GUITHREADINFO& thread);
// The window with the keyboard focus in the thread of `window`.
HWND KeyboardFocus(HWND window);
// Whether the thread of `window` is in a menu's loop (the menu bar chosen with F10, say).
bool InMenuMode(HWND window);

// The labels (captions) of a list view's rows in another process, in list order.
std::vector<std::string> ListViewCaptions(const RunningProgram& program, HWND list);

// The part of a test fixture that drives the program: a folder of the test's own to start it
// in, the program started there, its main window.
class ProgramSession {
 protected:
  // Writes the file `name` into the folder; its path.
  std::string Write(const std::string& name, const std::string& bytes) const;
  // Starts the program in the folder, with the argument when there is one.
  void Launch(const std::string& argument);
  void Launch(const std::wstring& argument);
  // Starts the program without an argument and clicks its start screen, which brings the main
  // window at once.
  void Start();
  // The shown control of the main window with the caption; nullptr when there is none now.
  HWND Shown(const std::string& caption) const;
  // The same, waited for: the page a start file opens on may come a turn after the main window.
  HWND WaitForShown(const std::string& caption) const;
  // Clicks the shown button of the window with that caption and waits until the program has
  // handled it.
  void Press(HWND window, const std::string& caption);
  void Press(const std::string& caption) { Press(main, caption); }
  // Closing the main window ends the program cleanly and leaves no temporary file behind.
  void Close() const;

  testsupport::TempDir dir;
  std::unique_ptr<RunningProgram> program;
  HWND main = nullptr;
};

}  // namespace programtest
