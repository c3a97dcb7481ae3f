// Starts the real program and closes it the way a user's window manager would.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/TestSupport.h"

namespace {

struct FoundWindow {
  DWORD processId;
  HWND window;
};

BOOL CALLBACK FindVisibleTopWindow(HWND wnd, LPARAM param) {
  auto* found = reinterpret_cast<FoundWindow*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(wnd, &owner);
  if (owner == found->processId && IsWindowVisible(wnd)) {
    found->window = wnd;
    return FALSE;
  }
  return TRUE;
}

HWND WaitForWindow(DWORD processId, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
    FoundWindow found{processId, nullptr};
    EnumWindows(FindVisibleTopWindow, reinterpret_cast<LPARAM>(&found));
    if (found.window) return found.window;
    Sleep(100);
  }
  return nullptr;
}

class RunningProgram {
 public:
  RunningProgram() {
    std::string command = "\"";
    command += testsupport::ExeFolder();
    command += "kaptorix.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    m_started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &m_info) != 0;
  }
  ~RunningProgram() {
    if (!m_started) return;
    if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_info.hProcess, 99);
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool Started() const { return m_started; }
  DWORD ProcessId() const { return m_info.dwProcessId; }
  // Exit code, or STILL_ACTIVE when the program has not ended within the time.
  DWORD WaitForExit(DWORD timeoutMs) const {
    WaitForSingleObject(m_info.hProcess, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_info.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION m_info{};
  bool m_started = false;
};

TEST(Program, ShowsItsWindowAndEndsCleanlyWhenClosed) {
  RunningProgram program;
  ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";
  HWND window = WaitForWindow(program.ProcessId(), 30000);
  ASSERT_NE(window, nullptr) << "no window appeared";

  char title[64] = {};
  GetWindowTextA(window, title, sizeof(title));
  EXPECT_STREQ(title, "start");  // the start screen comes first

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(30000), 0u);
}

}  // namespace
