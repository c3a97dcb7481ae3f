// The program started with a file as its first argument, as a double click on an index file or
// "Send to" starts it: the main window comes up before the file is opened in it, and the start
// screen goes, whatever the file holds; what cannot be shown is told; what is shown is all of the
// text.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "classlib/SysUtils.h"
#include "engine/u_funktionen.h"
#include "support/TestSupport.h"

using namespace programtest;

namespace {

// Whether the start screen is still up while a start-up message is open: it is while the
// configurations are taken, and has gone once the file of the first argument is being opened.
enum class TScreen { Up, Gone };

// The message the program shows at start-up with the main window up behind it (and waiting for
// it), in front of the start screen while that is up; closes it.
::testing::AssertionResult ToldInFrontOfTheMainWindow(const RunningProgram& program, const std::string& text,
                                                      TScreen screen) {
  HWND box = program.WaitForWindow(IsMessageBox);
  if (!box) return ::testing::AssertionFailure() << "nothing was told";
  const std::string told = MessageBoxText(box);
  HWND main = FindTopWindow(program.ProcessId(), IsMainWindowShownOrNot);
  HWND start = FindTopWindow(program.ProcessId(), VisibleWithText("start"));
  const bool mainUp = main && IsWindowVisible(main);
  const auto waits = [main] { return main && !IsWindowEnabled(main); };
  const auto front = [&] { return main && InFrontOf(box, main) && (!start || InFrontOf(box, start)); };
  // The system shows a message a moment before it brings it forward and disables its owner: what
  // is judged is what the user sees once the message has settled.
  program.WaitUntil([&] { return waits() && front(); });
  const bool mainWaits = waits(), inFront = front();
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  if (!program.WaitUntilGone(box)) return ::testing::AssertionFailure() << "the message did not close";
  if (told != text) return ::testing::AssertionFailure() << "told \"" << told << "\"";
  if (!mainUp) return ::testing::AssertionFailure() << "the main window was not up while the file was opened";
  if (!mainWaits) return ::testing::AssertionFailure() << "the main window took input while the message was open";
  if (!inFront) return ::testing::AssertionFailure() << "the message stood behind the main window or the start screen";
  if (screen == TScreen::Up && !start) return ::testing::AssertionFailure() << "the start screen went too early";
  if (screen == TScreen::Gone && start)
    return ::testing::AssertionFailure() << "the start screen stood over the main window while the file was opened";
  return ::testing::AssertionSuccess();
}

// The main window stays, takes input and the start screen goes.
::testing::AssertionResult StartScreenGoneMainWindowUp(const RunningProgram& program, HWND& main) {
  main = program.WaitForMainWindow();
  if (!main) return ::testing::AssertionFailure() << "the main window did not appear";
  HWND start = FindTopWindow(program.ProcessId(), [](HWND w) { return WindowText(w) == "start"; });
  if (!start) return ::testing::AssertionFailure() << "no start screen";
  if (!program.WaitUntilGone(start)) return ::testing::AssertionFailure() << "the start screen stayed";
  if (!IsWindowVisible(main) || !IsWindowEnabled(main))
    return ::testing::AssertionFailure() << "the main window went or takes no input";
  return ::testing::AssertionSuccess();
}

std::vector<HWND> Memos(HWND main) {
  return FindChildren(main, [](HWND w) { return ClassOf(w).starts_with("TMemo"); });
}

// Waits until the run started for the index file has gone to its end: the result memo shows the
// heading of an index without entries.
bool EmptyIndexBuilt(const RunningProgram& program, HWND main) {
  return program.WaitUntil([main] {
    for (HWND memo : Memos(main))
      if (IsWindowVisible(memo) && MemoText(memo) == "Index\r\n") return true;
    return false;
  });
}

// An index file of the text index without entries, which the run started for it tells.
std::string EmptyIndexFile(const testsupport::TempDir& dir) {
  const std::string index = dir.File("leer.idx");
  testsupport::WriteBytes(index, "kein Eintrag>-\r\n");
  return index;
}

struct EmptyIndexTold {
  bool german;
  const char* before;
  const char* after;
};

const EmptyIndexTold kEmptyIndexTold[] = {
    {false, "The index file \"", "\" was not found or holds no entries. The index is built without it."},
    {true, "Die Indexdatei \"",
     "\" wurde nicht gefunden oder enth\xE4lt keine Eintr\xE4ge. Der Index wird ohne sie erstellt."},
};

}  // namespace

// An index file of the text index is built at once into the result memo. This one holds no
// entry, which the run tells: the message comes with the main window up behind it.
TEST(ProgramStartUp, TheMainWindowIsUpWhileTheIndexOfTheFirstArgumentIsBuilt) {
  for (const EmptyIndexTold& c : kEmptyIndexTold) {
    SCOPED_TRACE(c.german ? "de" : "en");
    testsupport::TempDir dir;
    ChooseLanguage(dir, c.german ? "de" : "en");
    const std::string index = EmptyIndexFile(dir);
    RunningProgram program(index, dir.Path());
    ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";
    EXPECT_TRUE(ToldInFrontOfTheMainWindow(program, c.before + index + c.after, TScreen::Gone));
    HWND main = nullptr;
    ASSERT_TRUE(StartScreenGoneMainWindowUp(program, main));
    // The run went on to its end.
    EXPECT_TRUE(EmptyIndexBuilt(program, main)) << "the index was not built";
    EXPECT_TRUE(CloseLeavingNothing(program, main));
  }
}

// Opening the file of the first argument may take long, with no message handled meanwhile: the
// start screen, which stands in front of every window, goes before it begins, so that the user sees
// the main window at work. What the configurations tell before still stands in front of the
// screen; what the opening tells stands in front of the main window. Each is told once.
TEST(ProgramStartUp, TheStartScreenGoesBeforeTheFileOfTheFirstArgumentIsOpened) {
  for (const EmptyIndexTold& c : kEmptyIndexTold) {
    SCOPED_TRACE(c.german ? "de" : "en");
    testsupport::TempDir dir;
    ChooseLanguage(dir, c.german ? "de" : "en");
    const std::string index = EmptyIndexFile(dir), missing = dir.File("Fehlt.qcfg");
    RunningProgram program(std::vector<std::wstring>{AnsiToWide(index), AnsiToWide(missing)}, dir.Path());
    ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";
    const std::string notFound = c.german ? "Die Konfiguration wurde nicht gefunden:" : "The configuration was not found:";
    EXPECT_TRUE(ToldInFrontOfTheMainWindow(program, notFound + ("\r\n" + missing), TScreen::Up));
    EXPECT_TRUE(ToldInFrontOfTheMainWindow(program, c.before + index + c.after, TScreen::Gone));
    HWND main = nullptr;
    ASSERT_TRUE(StartScreenGoneMainWindowUp(program, main));
    ASSERT_TRUE(EmptyIndexBuilt(program, main)) << "the index was not built";
    // Answered once the program is back in its own loop: a message told after the run would be
    // open by then.
    ASSERT_TRUE(SendAndWait(main, WM_NULL));
    EXPECT_EQ(FindTopWindow(program.ProcessId(), IsMessageBox), nullptr) << "told again";
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(CloseLeavingNothing(program, main));
  }
}

// A text with a line longer than a memo can lay out is not put into the source memo: the user is
// told why, and the main window comes as ever.
TEST(ProgramStartUp, AFirstArgumentWithALineTooLongToShowIsToldAndTheMainWindowComes) {
  struct Case {
    bool german;
    const char* notOpened;
    const char* holds;
    const char* most;
  };
  const Case cases[] = {
      {false, "The file could not be opened: ", "The text holds a line of ",
       " characters; a text box shows lines of at most "},
      {true, "Die Datei konnte nicht ge\xF6" "ffnet werden: ", "Der Text enth\xE4lt eine Zeile von ",
       " Zeichen; ein Textfeld zeigt Zeilen von h\xF6" "chstens "},
  };
  const size_t length = kLongestMemoLine + 1;
  std::string line;
  line.reserve(length);
  while (line.size() < length) line += "Haus Baum ";
  line.resize(length);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.german ? "de" : "en");
    testsupport::TempDir dir;
    ChooseLanguage(dir, c.german ? "de" : "en");
    const std::string source = dir.File("Lang.txt");
    testsupport::WriteBytes(source, line + "\r\nGarten\r\n");
    RunningProgram program(source, dir.Path());
    ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";
    const std::string unit = c.german ? " Zeichen." : " characters.";
    EXPECT_TRUE(ToldInFrontOfTheMainWindow(program, c.notOpened + source + "\r\n\r\n" + c.holds +
                                                        std::to_string(length) + c.most +
                                                        std::to_string(kLongestMemoLine) + unit,
                                                    TScreen::Gone));
    HWND main = nullptr;
    ASSERT_TRUE(StartScreenGoneMainWindowUp(program, main));
    for (HWND memo : Memos(main)) EXPECT_EQ(MemoText(memo).find("Haus Baum"), std::string::npos);
    EXPECT_TRUE(CloseLeavingNothing(program, main));
  }
}

// A NUL in a source file shows as U+FFFD, with everything after it, and the index holds what the
// memo shows.
TEST(ProgramStartUp, ASourceWithANulShowsAllOfItsTextAndTheIndexHoldsWhatIsShown) {
  testsupport::TempDir dir;
  const std::string source = dir.File("Garten.txt");
  const char text[] = "Haus Baum\r\nGarten\0Hof und Teich\r\n1\r\n";
  testsupport::WriteBytes(source, std::string(text, sizeof text - 1));
  RunningProgram program(source, dir.Path());
  ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";
  HWND main = WaitForTextWizard(program);
  ASSERT_NE(main, nullptr) << "the main window did not appear on the text wizard";
  HWND sourceMemo = nullptr;
  for (HWND memo : Memos(main))
    if (MemoText(memo).starts_with("Haus Baum")) sourceMemo = memo;
  ASSERT_NE(sourceMemo, nullptr) << "the text is not in the source memo";
  EXPECT_EQ(MemoWideText(sourceMemo), L"Haus Baum\r\nGarten\uFFFDHof und Teich\r\n1\r\n");

  // Page numbers, criteria, summary, then the run.
  HWND next = FindChild(main, VisibleWithText("next >>"));
  for (int page = 0; page < 3; ++page) ASSERT_TRUE(SendAndWait(next, BM_CLICK));
  HWND create = FindChild(main, VisibleWithText("Create Index"));
  ASSERT_NE(create, nullptr);
  ASSERT_TRUE(SendAndWait(create, BM_CLICK));
  std::wstring index;
  for (HWND memo : Memos(main))
    if (IsWindowVisible(memo) && MemoText(memo).starts_with("Index")) index = MemoWideText(memo);
  EXPECT_EQ(index, L"Index\r\n\r\nB\r\nBaum 1\r\n\r\nG\r\nGarten\uFFFDHof 1\r\n\r\nH\r\nHaus 1\r\n\r\nT\r\nTeich 1\r\n");
  EXPECT_TRUE(CloseLeavingNothing(program, main));
}

// A dialog that the user opens while the start screen is still up holds nothing: a configuration
// named on the command line brings the main window at once, and the screen, up to its time, goes
// then behind the open dialog; once the dialog is closed, the screen does not come back in front.
TEST(ProgramStartUp, TheStartScreenGoesInItsTimeWhileADialogOpenedFromTheMainWindowIsOpen) {
  testsupport::TempDir dir;
  const std::string configuration = dir.File("Buch.qcfg");
  testsupport::WriteBytes(configuration, "");
  RunningProgram program(configuration, dir.Path());
  ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";
  HWND main = program.WaitForMainWindow();
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  HWND start = FindTopWindow(program.ProcessId(), VisibleWithText("start"));
  ASSERT_NE(start, nullptr) << "the start screen went before the main window came";
  ASSERT_TRUE(ChooseMenuItem(program, main, {"meinst", "mewl", "mewlneg"}));
  HWND dialog = program.WaitForWindow(VisibleWithText("Black List"));
  ASSERT_NE(dialog, nullptr) << "the word list did not open";
  ASSERT_TRUE(IsWindowVisible(start)) << "the start screen went before the dialog came";
  EXPECT_TRUE(program.WaitUntilGone(start)) << "the start screen stayed up behind the dialog";
  EXPECT_TRUE(InFrontOf(dialog, main)) << "the main window came in front of its dialog";
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitUntilGone(dialog)) << "the dialog did not close";
  ASSERT_TRUE(SendAndWait(main, WM_NULL));
  EXPECT_FALSE(IsWindowVisible(start)) << "the start screen came back";
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_TRUE(CloseLeavingNothing(program, main));
}

namespace {

// The image the display shows at the pointer, which only the display knows: the watcher that the
// test runs under (pointer_watch.py) writes down its readings.
class PointerImages {
 public:
  PointerImages() {
    if (const char* file = std::getenv("KAPTORIX_POINTER_WATCH")) m_file = file;
  }
  bool Watched() const { return !m_file.empty(); }
  // The image shown now: from a reading begun after this call began, which is the second after
  // the one written down at its start.
  std::string Now() const {
    const Reading first = Read();
    Reading now = first;
    const DWORD deadline = GetTickCount() + kPatience;
    while (now.number < first.number + 2 && static_cast<LONG>(GetTickCount() - deadline) < 0) {
      Sleep(1);
      now = Read();
    }
    return now.image;
  }

 private:
  struct Reading {
    unsigned long number = 0;
    std::string image;
  };
  Reading Read() const {
    const std::string line = testsupport::ReadBytes(m_file);
    const size_t space = line.find(' '), end = line.find('\n');
    if (space == std::string::npos || end == std::string::npos) return Reading{};
    return Reading{std::strtoul(line.c_str(), nullptr, 10), line.substr(space + 1, end - space - 1)};
  }
  std::string m_file;
};

LRESULT CALLBACK ShowsItsCursor(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_SETCURSOR) return DefWindowProcA(window, message, wParam, lParam);
  SetCursor(reinterpret_cast<HCURSOR>(GetWindowLongPtrA(window, GWLP_USERDATA)));
  return TRUE;
}

// The image of a system cursor as the display shows it: over a window of the test's own, the
// whole screen wide, that shows that cursor, once it has taken in that the pointer is over it.
std::string SystemCursorImage(const PointerImages& images, LPCSTR cursor) {
  static const ATOM kClass = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ShowsItsCursor;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KaptorixTestCursor";
    return RegisterClassA(&windowClass);
  }();
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HWND window = CreateWindowExA(WS_EX_TOPMOST, MAKEINTATOM(kClass), "", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window) return std::string();
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(LoadCursorA(nullptr, cursor)));
  SetCursorPos(width / 2 + 1, height / 2);
  SetCursorPos(width / 2, height / 2);
  const DWORD deadline = GetTickCount() + kPatience;
  std::string before, now;
  // Taken in once two readings agree after the window has handled all that came for it.
  do {
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
    before = now;
    now = images.Now();
  } while ((now != before || now.empty()) && static_cast<LONG>(GetTickCount() - deadline) < 0);
  DestroyWindow(window);
  return now;
}

}  // namespace

// The program opens the file of its first argument without handling a message meanwhile, which
// may take seconds: over the main window the pointer shows the wait cursor, as it does while a
// file typed as the source is opened.
TEST(ProgramStartUp, TheWaitCursorShowsOverTheMainWindowWhileTheFirstArgumentOpens) {
  const PointerImages images;
  if (!images.Watched()) GTEST_SKIP() << "the image at the pointer is read under tests/app/pointer_watch.py";
  const std::string wait = SystemCursorImage(images, IDC_WAIT), arrow = SystemCursorImage(images, IDC_ARROW);
  ASSERT_FALSE(wait.empty());
  ASSERT_NE(wait, arrow);
  testsupport::TempDir dir;
  std::string book;
  for (int line = 0; book.size() < 8 * 1024 * 1024; ++line)
    book += "Haus am See und Hof am Garten " + std::to_string(line) + "\r\n";
  const std::string source = dir.File("Buch.txt");
  testsupport::WriteBytes(source, book);
  // The pointer where the main window comes: in the middle of the screen.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
  RunningProgram program(source, dir.Path());
  ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";
  // Looked for without a message to the program, which handles none while it opens the file.
  HWND main = nullptr;
  const DWORD deadline = GetTickCount() + kPatience;
  while (!(main = FindTopWindow(program.ProcessId(), IsMainWindow)) && static_cast<LONG>(GetTickCount() - deadline) < 0)
    Sleep(1);
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  // What the pointer shows until the program answers again, and how often.
  std::map<std::string, int> shown;
  while (!SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 10, nullptr) && IsWindow(main) &&
         static_cast<LONG>(GetTickCount() - deadline) < 0)
    ++shown[images.Now()];
  ASSERT_FALSE(shown.empty()) << "the program opened the file before it could be watched";
  auto most = shown.begin();
  for (auto each = shown.begin(); each != shown.end(); ++each)
    if (each->second > most->second) most = each;
  EXPECT_EQ(most->first, wait) << "shown " << most->second << " of the readings while the file opened";
  ASSERT_NE(WaitForTextWizard(program), nullptr);
  EXPECT_TRUE(CloseLeavingNothing(program, main));
}
