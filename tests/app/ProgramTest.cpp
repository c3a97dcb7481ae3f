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
  HWND main = program.WaitForMainWindow();
  ASSERT_NE(main, nullptr) << "the main window did not appear";
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
