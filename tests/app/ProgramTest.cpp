// The program used as a user uses it, from another process: started with a text file, the
// text wizard walked with button clicks, the index read from the result memo and saved
// through the real save dialog, the program closed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "support/TestSupport.h"

using namespace programtest;

TEST(Program, StartedWithATextTheUserBuildsAndSavesItsIndex) {
  testsupport::TempDir dir;
  // Three pages, each page number on the line below its text.
  const std::string source = dir.File("Buch.txt");
  testsupport::WriteBytes(source,
                          "ein Apfel und ein Baum\r\n1\r\neine Birne und ein Apfel\r\n2\r\nnur die Kirsche\r\n3\r\n");
  RunningProgram program(source, dir.Path());
  ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";

  // A file on the command line brings the main window at once, on the text wizard.
  HWND main = WaitForTextWizard(program);
  ASSERT_NE(main, nullptr) << "the main window did not appear on the text wizard";
  HWND next = FindChild(main, VisibleWithText("next >>"));
  HWND create = FindChild(main, VisibleWithText("Create Index"));
  ASSERT_NE(next, nullptr);
  ASSERT_NE(create, nullptr);

  // Source, page numbers, criteria, summary: then the run.
  for (int page = 0; page < 3; ++page) ASSERT_TRUE(SendAndWait(next, BM_CLICK));
  EXPECT_FALSE(IsWindowEnabled(next)) << "the summary page is the last before the run";
  ASSERT_TRUE(SendAndWait(create, BM_CLICK));
  HWND output = FindChild(main, [](HWND w) {
    return IsWindowVisible(w) && (GetWindowLongA(w, GWL_STYLE) & ES_MULTILINE) != 0 && !MemoText(w).empty();
  });
  ASSERT_NE(output, nullptr) << "no result memo";
  const std::vector<std::string> lines = testsupport::Lines(MemoText(output));
  EXPECT_EQ(lines, std::vector<std::string>({"Index", "", "A", "Apfel 1, 2", "", "B", "Baum 1", "Birne 2", "", "K",
                                             "Kirsche 3"}));

  // "Save Index" opens the save dialog.
  HWND saveIndex = FindChild(main, VisibleWithText("Save Index"));
  ASSERT_NE(saveIndex, nullptr);
  // The user types a name without extension and saves.
  ASSERT_TRUE(program.SaveThroughDialog(main, saveIndex, dir.File("Register"))) << "the save dialog did not save";
  EXPECT_EQ(testsupport::ReadBytes(dir.File("Register.idx")),
            "Apfel:1>-|2>-\r\nBaum:1>-\r\nBirne:2>-\r\nKirsche:3>-\r\n");

  // Closing the main window ends the program cleanly and leaves nothing behind.
  EXPECT_TRUE(CloseLeavingNothing(program, main));
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

TEST(Program, AFileThatCannotBeReadIsToldOnceAndTheMainWindowComesAllTheSame) {
  testsupport::TempDir dir;
  const std::string source = dir.File("Gesperrt.txt");
  testsupport::WriteBytes(source, "ein Apfel\r\n1\r\n");
  // Another program holds the file open and lets nobody read it meanwhile.
  testsupport::HeldOpen held(source);
  ASSERT_TRUE(held.Held());
  RunningProgram program(source, dir.Path());
  ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";

  HWND box = program.WaitForWindow(IsMessageBox);
  ASSERT_NE(box, nullptr) << "the error was not told";
  const std::string text = MessageBoxText(box);
  EXPECT_EQ(text.rfind("The file could not be opened: " + source, 0), 0u) << text;
  EXPECT_NE(text.find("Gesperrt.txt"), std::string::npos) << text;
  // The start screen went before the file was opened; the message stands in front of the main
  // window, which is up behind it with its taskbar button.
  EXPECT_EQ(FindTopWindow(program.ProcessId(), VisibleWithText("start")), nullptr) << "the start screen stayed";
  HWND main = program.WaitForMainWindow();
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  // The system shows a message a moment before it brings it forward.
  EXPECT_TRUE(program.WaitUntil([box, main] { return InFrontOf(box, main); })) << "the message stood behind";
  EXPECT_NE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(program.WaitUntilGone(box));

  // The main window stays.
  ASSERT_TRUE(SendAndWait(main, WM_NULL));
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(FindTopWindow(program.ProcessId(), IsMessageBox), nullptr) << "the error was told again";
  EXPECT_TRUE(CloseLeavingNothing(program, main));
}

TEST(Program, ADropOnTheTextWizardAddsNothingAnywhere) {
  testsupport::TempDir dir;
  const std::string file = dir.File("notiz.txt");
  testsupport::WriteBytes(file, "Anker");
  RunningProgram program("", dir.Path());
  ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";
  HWND main = ClickThroughStartScreen(program);
  ASSERT_NE(main, nullptr) << "the main window did not appear";
  ASSERT_TRUE(ClickSideBarButton(main, "rand_bttxtidx"));
  ASSERT_EQ(FindShownListView(main), nullptr) << "the text wizard shows no file list";

  // Nothing that the text wizard shows takes files: the shell refuses the drop.
  EXPECT_FALSE(DropFiles(program, WindowAtMiddle(main), {file}));
  EXPECT_FALSE(DropFiles(program, main, {file}));
  const std::vector<HWND> lists = ListViews(main);
  EXPECT_EQ(lists.size(), 2u) << "the file wizard's and the keyword wizard's lists";
  for (HWND list : lists) EXPECT_EQ(ListViewCaptions(program, list), std::vector<std::string>());
  EXPECT_TRUE(CloseLeavingNothing(program, main));
}
