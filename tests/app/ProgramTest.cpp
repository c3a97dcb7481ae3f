// The program used as a user uses it, from another process: started with a text file, the
// text wizard walked with button clicks, the index read from the result memo and saved
// through the real save dialog, the program closed.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace {

constexpr DWORD kPatience = 60000;  // how long the program may take to answer, at most
constexpr char kMainTitle[] = "Kaptorix - Berno Kalwe";

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

// The memo's whole text through WM_GETTEXT, as another program reads it.
std::string MemoText(HWND memo) {
  const auto length = SendMessageA(memo, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(SendMessageA(memo, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find("\r\n", begin);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(begin, end - begin));
    begin = end + 2;
  }
  return lines;
}

using WindowTest = std::function<bool(HWND)>;

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

WindowTest VisibleWithText(const std::string& text) {
  return [text](HWND window) { return IsWindowVisible(window) && WindowText(window) == text; };
}

class RunningProgram {
 public:
  RunningProgram(const std::string& argument, const std::string& folder) {
    std::string command = "\"" + testsupport::ExeFolder() + "kaptorix.exe\"";
    if (!argument.empty()) command += " \"" + argument + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    m_started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               folder.empty() ? nullptr : folder.c_str(), &startup, &m_info) != 0;
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

  // The first top-level window of the program that passes the test, once the program has
  // brought it up; nullptr when the program ends or does not answer.
  HWND WaitForWindow(const WindowTest& test) const {
    const DWORD deadline = GetTickCount() + kPatience;
    for (;;) {
      if (HWND window = FindTopWindow(m_info.dwProcessId, test)) return window;
      if (static_cast<LONG>(GetTickCount() - deadline) > 0) return nullptr;
      // Wakes when the program ends; otherwise looks again shortly.
      if (WaitForSingleObject(m_info.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
    }
  }
  // Returns once the window is gone.
  bool WaitUntilGone(HWND window) const {
    const DWORD deadline = GetTickCount() + kPatience;
    while (IsWindow(window) && IsWindowVisible(window)) {
      if (static_cast<LONG>(GetTickCount() - deadline) > 0) return false;
      if (WaitForSingleObject(m_info.hProcess, 50) == WAIT_OBJECT_0) return false;
    }
    return true;
  }
  // Exit code, or STILL_ACTIVE when the program has not ended.
  DWORD WaitForExit() const {
    WaitForSingleObject(m_info.hProcess, kPatience);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_info.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION m_info{};
  bool m_started = false;
};

// The names in the user's temporary folder that this run of the program made.
std::vector<std::string> TemporaryFilesOf(DWORD processId) {
  char folder[MAX_PATH + 1] = {};
  GetTempPathA(sizeof(folder), folder);
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  const std::string pattern = std::string(folder) + "Kaptorix-" + std::to_string(processId) + "-*";
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

}  // namespace

TEST(Program, StartedWithATextTheUserBuildsAndSavesItsIndex) {
  testsupport::TempDir dir;
  // Three pages, each page number on the line below its text.
  const std::string source = dir.File("Buch.txt");
  testsupport::WriteBytes(source,
                          "ein Apfel und ein Baum\r\n1\r\neine Birne und ein Apfel\r\n2\r\nnur die Kirsche\r\n3\r\n");
  RunningProgram program(source, dir.Path());
  ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";

  // A file on the command line brings the main window at once, on the text wizard.
  HWND main = program.WaitForWindow([](HWND w) {
    return IsWindowVisible(w) && WindowText(w) == kMainTitle && ClassOf(w) != "TApplication";
  });
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  HWND next = FindChild(main, VisibleWithText("next >>"));
  HWND create = FindChild(main, VisibleWithText("Create Index"));
  ASSERT_NE(next, nullptr);
  ASSERT_NE(create, nullptr);

  // Source, page numbers, criteria, summary: then the run.
  for (int page = 0; page < 3; ++page) SendMessageA(next, BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowEnabled(next)) << "the summary page is the last before the run";
  SendMessageA(create, BM_CLICK, 0, 0);
  HWND output = FindChild(main, [](HWND w) {
    return IsWindowVisible(w) && (GetWindowLongA(w, GWL_STYLE) & ES_MULTILINE) != 0 && !MemoText(w).empty();
  });
  ASSERT_NE(output, nullptr) << "no result memo";
  const std::vector<std::string> lines = Lines(MemoText(output));
  EXPECT_EQ(lines, std::vector<std::string>({"Index", "", "A", "Apfel 1, 2", "", "B", "Baum 1", "Birne 2", "", "K",
                                             "Kirsche 3"}));

  // "Save Index" opens the save dialog; the user types a name without extension and saves.
  HWND saveIndex = FindChild(main, VisibleWithText("Save Index"));
  ASSERT_NE(saveIndex, nullptr);
  PostMessageA(saveIndex, BM_CLICK, 0, 0);
  HWND dialog = program.WaitForWindow([](HWND w) { return IsWindowVisible(w) && ClassOf(w) == "#32770"; });
  ASSERT_NE(dialog, nullptr) << "the save dialog did not appear";
  HWND name = GetDlgItem(dialog, 1148);  // the file name box of the common save dialog
  ASSERT_NE(name, nullptr);
  const std::string target = dir.File("Register");
  SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
  HWND save = GetDlgItem(dialog, IDOK);
  ASSERT_NE(save, nullptr);
  PostMessageA(save, BM_CLICK, 0, 0);
  ASSERT_TRUE(program.WaitUntilGone(dialog)) << "the save dialog stayed";
  // Answered only once the program has finished the click, and with it the file.
  SendMessageA(main, WM_NULL, 0, 0);
  EXPECT_EQ(testsupport::ReadBytes(dir.File("Register.idx")),
            "Apfel:1>-|2>-\r\nBaum:1>-\r\nBirne:2>-\r\nKirsche:3>-\r\n");

  // Closing the main window ends the program cleanly and leaves nothing behind.
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
  EXPECT_EQ(TemporaryFilesOf(program.ProcessId()), std::vector<std::string>());
}

TEST(Program, WithoutArgumentsTheStartScreenComesFirstAndClosingItEndsTheProgram) {
  testsupport::TempDir dir;
  RunningProgram program("", dir.Path());
  ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";
  HWND start = program.WaitForWindow(VisibleWithText("start"));
  ASSERT_NE(start, nullptr) << "no start screen";
  PostMessageA(start, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}
