#include "ProgramDriver.h"

#include <shlobj.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "classlib/FormReader.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "support/TestSupport.h"

namespace programtest {

namespace {

struct WindowSearch {
  DWORD processId;  // 0: any process (children of one window)
  const WindowTest* test;
  HWND found;
};

BOOL CALLBACK TestWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  if (search->processId != 0) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
  }
  if (!(*search->test)(window)) return TRUE;
  search->found = window;
  return FALSE;
}

bool Expired(DWORD deadline) { return static_cast<LONG>(GetTickCount() - deadline) > 0; }

// ---- the main window's form description, linked into this program as into kaptorix.exe

const TFormObject* FindDescribed(const TFormObject& object, const std::string& name) {
  if (object.Name == name) return &object;
  for (const TFormObject& child : object.Children)
    if (const TFormObject* found = FindDescribed(child, name)) return found;
  return nullptr;
}

int DescribedInteger(const TFormObject& object, const std::string& property) {
  for (const TFormProperty& described : object.Properties)
    if (described.Name == property) return static_cast<int>(described.Value.Integer);
  return 0;
}

// The component's place in its parent's client area as its description gives it.
RECT DescribedBounds(const TFormObject& object) {
  const int left = DescribedInteger(object, "Left"), top = DescribedInteger(object, "Top");
  return RECT{left, top, left + DescribedInteger(object, "Width"), top + DescribedInteger(object, "Height")};
}

POINT MiddleOf(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

const TFormObject& MainWindowDescription() {
  static const TFormObject description = [] {
    TResourceStream stream(GetModuleHandleA(nullptr), "TPROG");
    return ParseFormText(std::string(stream.GetMemory(), static_cast<size_t>(stream.GetSize())), "TPROG");
  }();
  return description;
}

// A form description other than the main window's, read for each question.
TFormObject FormDescription(const std::string& form) {
  if (form == "TPROG") return MainWindowDescription();
  TResourceStream stream(GetModuleHandleA(nullptr), form);
  return ParseFormText(std::string(stream.GetMemory(), static_cast<size_t>(stream.GetSize())), form);
}

// Memory in the program's process for the messages whose parameters point at data.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, size_t size) : m_process(process) {
    m_address = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (m_address) VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  char* Address() const { return static_cast<char*>(m_address); }
  bool Write(size_t offset, const void* data, size_t size) const {
    SIZE_T written = 0;
    return WriteProcessMemory(m_process, Address() + offset, data, size, &written) && written == size;
  }
  bool Read(size_t offset, void* data, size_t size) const {
    SIZE_T read = 0;
    return ReadProcessMemory(m_process, Address() + offset, data, size, &read) && read == size;
  }

 private:
  HANDLE m_process;
  void* m_address = nullptr;
};

}  // namespace

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), length + 1)));
  return text;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

std::string MemoText(HWND memo) {
  LRESULT length = 0;
  if (!SendAndWait(memo, WM_GETTEXTLENGTH, 0, 0, &length)) return std::string();
  std::string text(static_cast<size_t>(length) + 1, '\0');
  LRESULT copied = 0;
  SendAndWait(memo, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied);
  text.resize(static_cast<size_t>(copied));
  return text;
}

std::wstring MemoWideText(HWND memo) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(memo, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kPatience, &length)) return std::wstring();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(memo, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, kPatience,
                      &copied);
  text.resize(static_cast<size_t>(copied));
  return text;
}

HWND FindTopWindow(DWORD processId, const WindowTest& test) {
  WindowSearch search{processId, &test, nullptr};
  EnumWindows(TestWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindChild(HWND parent, const WindowTest& test) {
  WindowSearch search{0, &test, nullptr};
  EnumChildWindows(parent, TestWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> FindChildren(HWND parent, const WindowTest& test) {
  std::vector<HWND> found;
  // The search's own test takes none, so that it visits every child.
  FindChild(parent, [&](HWND w) {
    if (test(w)) found.push_back(w);
    return false;
  });
  return found;
}

WindowTest VisibleWithText(const std::string& text) {
  return [text](HWND window) { return IsWindowVisible(window) && WindowText(window) == text; };
}

namespace {

bool IsListView(HWND window) { return ClassOf(window).find("ListView") != std::string::npos; }

}  // namespace

HWND FindShownListView(HWND parent) {
  return FindChild(parent, [](HWND w) { return IsWindowVisible(w) && IsListView(w); });
}

HWND FindShownPageControl(HWND parent) {
  return FindChild(parent, [](HWND w) { return IsWindowVisible(w) && ClassOf(w).find("PageControl") != std::string::npos; });
}

std::vector<HWND> ListViews(HWND parent) { return FindChildren(parent, IsListView); }

bool IsShownMemo(HWND window) { return IsWindowVisible(window) && ClassOf(window).find("Memo") != std::string::npos; }

bool IsMessageBox(HWND window) { return IsWindowVisible(window) && ClassOf(window) == "#32770"; }

std::string MessageBoxText(HWND box) {
  constexpr int kTextId = 0xFFFF;  // the static text of the system's message box
  return WindowText(GetDlgItem(box, kTextId));
}

bool IsMainWindow(HWND window) { return IsWindowVisible(window) && IsMainWindowShownOrNot(window); }

bool IsMainWindowShownOrNot(HWND window) {
  // Message boxes carry the program's title too.
  const std::string kind = ClassOf(window);
  return WindowText(window) == kMainTitle && kind != "TApplication" && kind != "#32770";
}

bool InFrontOf(HWND front, HWND behind) {
  for (HWND window = GetWindow(front, GW_HWNDNEXT); window; window = GetWindow(window, GW_HWNDNEXT))
    if (window == behind) return true;
  return false;
}

bool SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  DWORD_PTR answer = 0;
  const bool answered = SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kPatience, &answer) != 0;
  if (result) *result = static_cast<LRESULT>(answer);
  return answered;
}

RunningProgram::RunningProgram(const std::string& argument, const std::string& folder,
                               const std::string& programFolder)
    : RunningProgram(AnsiToWide(argument), folder, programFolder) {}

RunningProgram::RunningProgram(const std::wstring& argument, const std::string& folder,
                               const std::string& programFolder) {
  Start(argument.empty() ? std::vector<std::wstring>() : std::vector<std::wstring>{argument}, folder, programFolder);
}

RunningProgram::RunningProgram(const std::vector<std::wstring>& arguments, const std::string& folder,
                               const std::string& programFolder) {
  Start(arguments, folder, programFolder);
}

void RunningProgram::Start(const std::vector<std::wstring>& arguments, const std::string& folder,
                           const std::string& programFolder) {
  std::wstring command = L"\"" + AnsiToWide(programFolder.empty() ? testsupport::ExeFolder() : programFolder) + L"kaptorix.exe\"";
  for (const std::wstring& argument : arguments) command += L" \"" + argument + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  const std::wstring current = AnsiToWide(folder);
  m_started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             folder.empty() ? nullptr : current.c_str(), &startup, &m_info) != 0;
}

RunningProgram::~RunningProgram() {
  if (!m_started) return;
  if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_info.hProcess, 99);
  CloseHandle(m_info.hThread);
  CloseHandle(m_info.hProcess);
}

HWND RunningProgram::WaitForWindow(const WindowTest& test) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopWindow(m_info.dwProcessId, test)) != nullptr; });
  return found;
}

HWND RunningProgram::WaitForMainWindow() const {
  return WaitForWindow(IsMainWindow);
}

bool RunningProgram::WaitUntil(const std::function<bool()>& test) const {
  const DWORD deadline = GetTickCount() + kPatience;
  for (;;) {
    if (test()) return true;
    if (Expired(deadline) || WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0) return test();
    const DWORD left = deadline - GetTickCount();
    // Waits for the program's next turn of its message loop (a window of its thread answers
    // a message sent to it only there), or, while it has no window yet, for its first wait
    // for input.
    HWND window = FindTopWindow(m_info.dwProcessId, [](HWND) { return true; });
    if (window)
      SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, left, nullptr);
    else
      WaitForInputIdle(m_info.hProcess, left);
  }
}

bool RunningProgram::WaitUntilGone(HWND window) const {
  return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); });
}

DWORD RunningProgram::WaitForExit() const {
  WaitForSingleObject(m_info.hProcess, kPatience);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(m_info.hProcess, &code);
  return code;
}

bool RunningProgram::SaveThroughDialog(HWND main, HWND button, const std::string& path) const {
  return AnswerFileDialog(main, button, AnsiToWide(path));
}

bool RunningProgram::AnswerFileDialog(HWND main, HWND button, const std::wstring& path, bool confirm) const {
  // Posted: the click runs the dialog's own message loop, which a sent message would wait for.
  PostMessageA(button, BM_CLICK, 0, 0);
  HWND dialog = WaitForWindow([](HWND w) { return IsWindowVisible(w) && ClassOf(w) == "#32770"; });
  if (!dialog) return false;
  HWND name = GetDlgItem(dialog, 1148);  // the file name box of the common file dialogs
  HWND answer = GetDlgItem(dialog, confirm ? IDOK : IDCANCEL);
  if (!name || !answer) return false;
  DWORD_PTR typed = 0;
  if (!SendMessageTimeoutW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_NORMAL, kPatience, &typed))
    return false;
  PostMessageA(answer, BM_CLICK, 0, 0);
  if (!WaitUntilGone(dialog)) return false;
  // Answered only once the program has finished the click, and with it the file.
  return SendAndWait(main, WM_NULL);
}

ProgramCopy::ProgramCopy() {
  m_copied =
      CopyFileA((testsupport::ExeFolder() + "kaptorix.exe").c_str(), dir.File("kaptorix.exe").c_str(), TRUE) != 0;
}

std::string ProgramCopy::Folder() const { return dir.Path() + "\\"; }

void ChooseLanguage(const testsupport::TempDir& folder, const std::string& code) {
  if (code == "de")
    testsupport::WriteBytes(folder.File("de"), "");
  else
    DeleteFileA(folder.File("de").c_str());
}

HWND WaitForTextWizard(const RunningProgram& program) {
  HWND main = program.WaitForMainWindow();
  if (!main || !program.WaitUntil([main] { return FindChild(main, VisibleWithText("next >>")) != nullptr; }))
    return nullptr;
  return main;
}

HWND ClickThroughStartScreen(const RunningProgram& program) {
  HWND start = program.WaitForWindow(VisibleWithText("start"));
  if (!start || !ClickMiddle(start)) return nullptr;
  return program.WaitForMainWindow();
}

::testing::AssertionResult CloseLeavingNothing(const RunningProgram& program, HWND main) {
  PostMessageA(main, WM_CLOSE, 0, 0);
  const DWORD code = program.WaitForExit();
  const std::vector<std::wstring> left = testsupport::TemporaryFilesOf(program.ProcessId());
  if (code == 0 && left.empty()) return ::testing::AssertionSuccess();
  ::testing::AssertionResult failure = ::testing::AssertionFailure() << "exit code " << code;
  for (const std::wstring& name : left) failure << ", left " << name;
  return failure;
}

bool ClickAt(HWND window, POINT point) {
  const LPARAM at = MAKELPARAM(point.x, point.y);
  return SendAndWait(window, WM_MOUSEMOVE, 0, at) && SendAndWait(window, WM_LBUTTONDOWN, MK_LBUTTON, at) &&
         SendAndWait(window, WM_LBUTTONUP, 0, at);
}

namespace {

// The deepest shown window at the point of the window's client area, and the point in its own.
HWND DeepestAt(HWND window, POINT& at) {
  for (;;) {
    HWND child = ChildWindowFromPointEx(window, at, CWP_SKIPINVISIBLE);
    if (!child || child == window) return window;
    MapWindowPoints(window, child, &at, 1);
    window = child;
  }
}

POINT MiddleOf(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return MiddleOf(client);
}

}  // namespace

HWND WindowAtMiddle(HWND window) {
  POINT at = MiddleOf(window);
  return DeepestAt(window, at);
}

bool ClickMiddle(HWND window) {
  POINT at = MiddleOf(window);
  // The deepest shown window there takes the mouse.
  HWND target = DeepestAt(window, at);
  return ClickAt(target, at);
}

bool PostClickMiddle(HWND window) {
  POINT at = MiddleOf(window);
  HWND target = DeepestAt(window, at);
  const LPARAM place = MAKELPARAM(at.x, at.y);
  return PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, place) && PostMessageA(target, WM_LBUTTONUP, 0, place);
}

HWND SideBarButton(HWND main, const std::string& buttonName, RECT& bounds) {
  const TFormObject& form = MainWindowDescription();
  const TFormObject* bar = FindDescribed(form, "rand");
  const TFormObject* button = FindDescribed(form, buttonName);
  if (!bar || !button) return nullptr;
  bounds = DescribedBounds(*button);
  const RECT barBounds = DescribedBounds(*bar);
  // The side bar lies at the window's left edge: the window under the button's middle there
  // is the bar's panel, a child of the main window.
  const POINT inBar = MiddleOf(bounds);
  HWND panel = ChildWindowFromPointEx(main, POINT{barBounds.left + inBar.x, barBounds.top + inBar.y}, CWP_SKIPINVISIBLE);
  if (!panel || panel == main) return nullptr;
  RECT client{};
  GetClientRect(panel, &client);
  if (client.right != barBounds.right - barBounds.left) return nullptr;  // not the side bar
  return panel;
}

bool ClickSideBarButton(HWND main, const std::string& buttonName) {
  RECT bounds{};
  HWND panel = SideBarButton(main, buttonName, bounds);
  return panel != nullptr && ClickAt(panel, MiddleOf(bounds));
}

bool PostSideBarClick(HWND main, const std::string& buttonName) {
  RECT bounds{};
  HWND panel = SideBarButton(main, buttonName, bounds);
  const POINT middle = MiddleOf(bounds);
  const LPARAM at = MAKELPARAM(middle.x, middle.y);
  return panel != nullptr && PostMessageA(panel, WM_MOUSEMOVE, 0, at) &&
         PostMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, at) && PostMessageA(panel, WM_LBUTTONUP, 0, at);
}

RECT DescribedBounds(const std::string& form, const std::string& component) {
  const TFormObject description = FormDescription(form);
  const TFormObject* found = FindDescribed(description, component);
  return found ? DescribedBounds(*found) : RECT{};
}

namespace {

// The window that takes the drop: the first from `target` up through its parents that accepts
// files; nullptr when none does and the shell refuses the drop.
HWND DropTarget(HWND target) {
  const HWND desktop = GetDesktopWindow();
  while (target && target != desktop && (GetWindowLongA(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) == 0)
    target = GetAncestor(target, GA_PARENT);
  return target == desktop ? nullptr : target;
}

// The DROPFILES block of wide names in the program's memory.
std::unique_ptr<RemoteBuffer> DropBlock(const RunningProgram& program, const std::vector<std::wstring>& paths) {
  std::wstring names;
  for (const auto& path : paths) names += path + L'\0';
  names += L'\0';
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = TRUE;
  auto block = std::make_unique<RemoteBuffer>(program.Process(), sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
  if (!block->Address() || !block->Write(0, &header, sizeof(header)) ||
      !block->Write(sizeof(header), names.data(), names.size() * sizeof(wchar_t)))
    return nullptr;
  return block;
}

}  // namespace

bool DropFiles(const RunningProgram& program, HWND target, const std::vector<std::string>& paths) {
  std::vector<std::wstring> wide;
  for (const auto& path : paths) wide.push_back(AnsiToWide(path));
  return DropFiles(program, target, wide);
}

bool DropFiles(const RunningProgram& program, HWND target, const std::vector<std::wstring>& paths) {
  target = DropTarget(target);
  if (!target) return false;
  const std::unique_ptr<RemoteBuffer> block = DropBlock(program, paths);
  return block && SendAndWait(target, WM_DROPFILES, reinterpret_cast<WPARAM>(block->Address()), 0);
}

bool DropFilesAnswering(const RunningProgram& program, HWND target, const std::vector<std::wstring>& paths,
                        const std::function<void()>& answer) {
  target = DropTarget(target);
  if (!target) return false;
  const std::unique_ptr<RemoteBuffer> block = DropBlock(program, paths);
  if (!block || !PostMessageA(target, WM_DROPFILES, reinterpret_cast<WPARAM>(block->Address()), 0)) return false;
  answer();
  // Answered once the program's loop turns again, after the drop: the block may go then.
  return SendAndWait(target, WM_NULL);
}

bool TypeText(HWND window, const std::string& text) {
  // Sent, each character handled before the next: a message sent to wait for posted ones would
  // be answered before them.
  for (char c : text)
    if (!SendAndWait(window, WM_CHAR, static_cast<unsigned char>(c), 1)) return false;
  return true;
}

namespace {

bool DescribedHidden(const TFormObject& item) {
  for (const TFormProperty& described : item.Properties) {
    if (described.Name == "Visible" && described.Value.Type == vaFalse) return true;
    if (described.Name == "Caption" && described.Value.Text == L"-") return true;  // a separator
  }
  return false;
}

// The place of the named item among the items the arrow keys reach in its menu; -1 when none.
int ReachablePlace(const TFormObject& menu, const std::string& name) {
  int place = 0;
  for (const TFormObject& item : menu.Children) {
    if (item.ClassName != "TMenuItem" || DescribedHidden(item)) continue;
    if (item.Name == name) return place;
    ++place;
  }
  return -1;
}

// A mouse move that the system took in, as a low-level mouse hook of this thread sees it.
struct PointerEcho {
  POINT place;
  bool seen = false;
};
PointerEcho* awaitedEcho = nullptr;  // while a hook of this thread waits for one

LRESULT CALLBACK EchoHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == WM_MOUSEMOVE && awaitedEcho) {
    const auto* move = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    // A move that came from the display, not one some program made up.
    if ((move->flags & LLMHF_INJECTED) == 0 && move->pt.x == awaitedEcho->place.x &&
        move->pt.y == awaitedEcho->place.y)
      awaitedEcho->seen = true;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The hook that reports the display's mouse moves to `echo` while it lives.
class EchoWatch {
 public:
  explicit EchoWatch(PointerEcho& echo)
      : m_hook(SetWindowsHookExA(WH_MOUSE_LL, EchoHook, GetModuleHandleA(nullptr), 0)) {
    if (!m_hook) return;
    awaitedEcho = &echo;
    // The system passes moves on only to a hook whose thread takes its messages.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  }
  ~EchoWatch() {
    awaitedEcho = nullptr;
    if (m_hook) UnhookWindowsHookEx(m_hook);
  }
  EchoWatch(const EchoWatch&) = delete;
  EchoWatch& operator=(const EchoWatch&) = delete;
  bool Watching() const { return m_hook != nullptr; }

 private:
  HHOOK m_hook;
};

// Under Wine the program learns from the display that the keyboard focus went from one of its
// windows to another, and a thread takes in the display's events only when it runs out of
// messages (or now and then between many of them): keys posted in the meantime overtake them.
// A focus loss taken in late cancels a menu those keys opened, and the rest of them go to the
// window. A user's keys come through the display, behind its earlier events. So the mouse
// pointer moves one pixel, and once the program has taken in that move it has taken in every
// event of the display from before: the display hands a program its events in order.
bool WaitUntilDisplayCaughtUp(const RunningProgram& program, HWND window) {
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  const auto onProgram = [thread](POINT at) {
    HWND under = WindowFromPoint(at);
    return under != nullptr && GetWindowThreadProcessId(under, nullptr) == thread;
  };
  POINT from{};
  if (!GetCursorPos(&from)) return false;
  if (!onProgram(from)) {
    // The middle of the window's title bar, where the pointer rests on none of its controls.
    RECT frame{};
    GetWindowRect(window, &frame);
    from = POINT{(frame.left + frame.right) / 2,
                 frame.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
    if (!onProgram(from) || !SetCursorPos(from.x, from.y)) return false;
  }
  // To and fro between two neighbouring places, one way per call: no event from before the
  // move tells of the place it goes to.
  PointerEcho echo{POINT{from.x ^ 1, from.y}};
  if (!onProgram(echo.place)) return false;
  EchoWatch watch(echo);
  return watch.Watching() && SetCursorPos(echo.place.x, echo.place.y) &&
         program.WaitUntil([&echo] { return echo.seen; });
}

}  // namespace

bool PostMenuKeys(const RunningProgram& program, HWND main, const std::vector<UINT>& keys) {
  if (!WaitUntilDisplayCaughtUp(program, main) || !PostMessageA(main, WM_SYSCOMMAND, SC_KEYMENU, 0)) return false;
  for (UINT key : keys)
    if (!PostMessageA(main, WM_KEYDOWN, key, 1)) return false;
  return true;
}

bool ChooseMenuItem(const RunningProgram& program, HWND main, const std::vector<std::string>& names) {
  const TFormObject* menu = FindDescribed(MainWindowDescription(), "menu");
  std::vector<int> places;
  for (const std::string& name : names) {
    const int place = menu ? ReachablePlace(*menu, name) : -1;
    if (place < 0) return false;
    places.push_back(place);
    menu = FindDescribed(*menu, name);
  }
  if (places.size() < 2) return false;
  // Menu mode selects the bar's first menu; Down opens a menu and Right a submenu, each on its
  // first item.
  std::vector<UINT> keys(static_cast<size_t>(places[0]), VK_RIGHT);
  keys.push_back(VK_DOWN);
  for (size_t level = 1; level < places.size(); ++level) {
    keys.insert(keys.end(), static_cast<size_t>(places[level]), VK_DOWN);
    if (level + 1 < places.size()) keys.push_back(VK_RIGHT);
  }
  keys.push_back(VK_RETURN);
  return PostMenuKeys(program, main, keys);
}

bool PostKeys(HWND window, const std::string& keys) {
  HWND target = window;
  if (HWND focus = KeyboardFocus(window); focus && (focus == window || IsChild(window, focus))) target = focus;
  for (char key : keys) {
    const auto vk = static_cast<WPARAM>(static_cast<unsigned char>(key));
    if (!PostMessageA(target, WM_KEYDOWN, vk, 1) || !PostMessageA(target, WM_KEYUP, vk, 0xC0000001)) return false;
  }
  return true;
}

bool PressEnter(HWND window) { return PostKeys(window, std::string(1, static_cast<char>(VK_RETURN))); }

bool PressKeys(const RunningProgram& program, HWND window, const std::vector<WORD>& keys, bool shift) {
  return PressKeysHolding(program, window, shift ? std::vector<WORD>{VK_SHIFT} : std::vector<WORD>{}, keys);
}

bool PressKeysHolding(const RunningProgram& program, HWND window, const std::vector<WORD>& held,
                      const std::vector<WORD>& keys) {
  // A menu's own loop holds the program (and the pointer) until it ends: keys go straight to it.
  if (!InMenuMode(window) && !WaitUntilDisplayCaughtUp(program, window)) return false;
  std::vector<INPUT> strokes;
  const auto stroke = [&strokes](WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    strokes.push_back(input);
  };
  for (WORD key : held) stroke(key, false);
  for (WORD key : keys) {
    stroke(key, false);
    stroke(key, true);
  }
  for (auto key = held.rbegin(); key != held.rend(); ++key) stroke(*key, true);
  const auto count = static_cast<UINT>(strokes.size());
  return SendInput(count, strokes.data(), sizeof(INPUT)) == count;
}

bool TabTo(const RunningProgram& program, HWND window, HWND target, int limit) {
  for (int i = 0; i < limit; ++i) {
    const HWND focus = KeyboardFocus(window);
    if (focus == target) return true;
    if (!PressKeys(program, window, {VK_TAB}) || !program.WaitUntil([&] { return KeyboardFocus(window) != focus; }))
      return false;
  }
  return KeyboardFocus(window) == target;
}

bool TabRect(const RunningProgram& program, HWND tabs, int index, RECT& rect) {
  RemoteBuffer remote(program.Process(), sizeof(RECT));
  LRESULT found = 0;
  return remote.Address() &&
         SendAndWait(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote.Address()), &found) &&
         found && remote.Read(0, &rect, sizeof(rect));
}

bool ClickTab(const RunningProgram& program, HWND tabs, int index) {
  RECT tab{};
  if (!TabRect(program, tabs, index, tab)) return false;
  return ClickAt(tabs, MiddleOf(tab));
}

// Copied from the screen in one piece: asking pixel by pixel takes the display seconds for a
// whole window.
std::vector<COLORREF> ClientPixels(HWND window, const RECT& rect) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  std::vector<COLORREF> pixels;
  if (width <= 0 || height <= 0) return pixels;
  POINT origin{rect.left, rect.top};
  ClientToScreen(window, &origin);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!picture) return pixels;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  const auto* quads = static_cast<const RGBQUAD*>(bits);
  pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (size_t i = 0; i < static_cast<size_t>(width) * static_cast<size_t>(height); ++i)
    pixels.push_back(RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue));
  SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  DeleteObject(picture);
  return pixels;
}

bool GuiThreadInfo(HWND window, GUITHREADINFO& thread) {
  thread = GUITHREADINFO{};
  thread.cbSize = sizeof(thread);
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
}

HWND KeyboardFocus(HWND window) {
  GUITHREADINFO thread;
  return GuiThreadInfo(window, thread) ? thread.hwndFocus : nullptr;
}

bool InMenuMode(HWND window) {
  GUITHREADINFO thread;
  return GuiThreadInfo(window, thread) && (thread.flags & GUI_INMENUMODE);
}

std::vector<std::string> ListViewCaptions(const RunningProgram& program, HWND list) {
  std::vector<std::string> captions;
  LRESULT count = 0;
  if (!SendAndWait(list, LVM_GETITEMCOUNT, 0, 0, &count)) return captions;
  constexpr int kChars = 1024;
  RemoteBuffer remote(program.Process(), sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  if (!remote.Address()) return captions;
  for (int i = 0; i < count; ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = reinterpret_cast<LPWSTR>(remote.Address() + sizeof(LVITEMW));
    item.cchTextMax = kChars;
    LRESULT length = 0;
    if (!remote.Write(0, &item, sizeof(item)) ||
        !SendAndWait(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote.Address()), &length))
      break;
    std::wstring text(static_cast<size_t>(std::min<LRESULT>(length, kChars)), L'\0');
    if (!text.empty() && !remote.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t))) break;
    captions.push_back(WideToAnsi(text));
  }
  return captions;
}

std::string ProgramSession::Write(const std::string& name, const std::string& bytes) const {
  testsupport::WriteBytes(dir.File(name), bytes);
  return dir.File(name);
}

void ProgramSession::Launch(const std::string& argument) { Launch(AnsiToWide(argument)); }

void ProgramSession::Launch(const std::wstring& argument) {
  program = std::make_unique<RunningProgram>(argument, dir.Path());
  ASSERT_TRUE(program->Started()) << "kaptorix.exe could not be started";
}

void ProgramSession::Start() {
  ASSERT_NO_FATAL_FAILURE(Launch(std::wstring()));
  main = ClickThroughStartScreen(*program);
  ASSERT_NE(main, nullptr) << "the main window did not appear";
}

HWND ProgramSession::Shown(const std::string& caption) const { return FindChild(main, VisibleWithText(caption)); }

HWND ProgramSession::WaitForShown(const std::string& caption) const {
  HWND found = nullptr;
  program->WaitUntil([&] { return (found = Shown(caption)) != nullptr; });
  return found;
}

void ProgramSession::Press(HWND window, const std::string& caption) {
  HWND button = FindChild(window, VisibleWithText(caption));
  ASSERT_NE(button, nullptr) << "no button " << caption;
  ASSERT_TRUE(SendAndWait(button, BM_CLICK)) << caption;
}

void ProgramSession::Close() const { EXPECT_TRUE(CloseLeavingNothing(*program, main)); }

}  // namespace programtest
