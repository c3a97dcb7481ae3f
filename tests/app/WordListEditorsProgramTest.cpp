// The word-list editors opened from the tools menu as a user opens them, from another process,
// in German and in English: each comes with its caption, the lines of its list window and its
// list shown from the first line.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "support/TestSupport.h"

using namespace programtest;

namespace {

struct EditorCase {
  const char* item;     // of the tools menu
  const char* caption;  // the editor's
  std::vector<std::string> lines;
};

struct LanguageCase {
  const char* language;
  std::vector<EditorCase> editors;
};

}  // namespace

TEST(WordListEditorsProgram, TheToolsMenuOpensEachEditorWithItsListFromTheFirstLine) {
  std::string negative;
  std::vector<std::string> negativeLines;
  for (int i = 0; i < 229; ++i) negativeLines.push_back("Wort" + std::to_string(1000 + i));
  for (const std::string& line : negativeLines) negative += line + "\r\n";
  const std::vector<std::string> positiveLines = {"Berno Kalwe", "New York"};
  const std::vector<LanguageCase> cases = {
      {"de",
       {{"mt1", "Editor: Index > Negativliste", negativeLines}, {"mt2", "Editor: Index > Positivliste", positiveLines}}},
      {"en",
       {{"mt1", "Editor: Index > Black List", negativeLines}, {"mt2", "Editor: Index > White List", positiveLines}}},
  };
  for (const LanguageCase& language : cases) {
    SCOPED_TRACE(language.language);
    ProgramCopy copy;
    ASSERT_TRUE(copy.Copied());
    testsupport::WriteBytes(copy.dir.File("neg.txt"), negative);
    testsupport::WriteBytes(copy.dir.File("pos.txt"), "Berno Kalwe\r\nNew York\r\n");
    ChooseLanguage(copy.dir, language.language);
    RunningProgram program("", copy.dir.Path(), copy.Folder());
    ASSERT_TRUE(program.Started()) << "kaptorix.exe could not be started";
    HWND main = ClickThroughStartScreen(program);
    ASSERT_NE(main, nullptr) << "the main window did not appear";
    for (const EditorCase& editorCase : language.editors) {
      SCOPED_TRACE(editorCase.caption);
      ASSERT_TRUE(ChooseMenuItem(program, main, {"mtools", editorCase.item}));
      HWND editor = program.WaitForWindow(VisibleWithText(editorCase.caption));
      ASSERT_NE(editor, nullptr) << "the editor did not open";
      HWND memo = FindChild(editor, IsShownMemo);
      ASSERT_NE(memo, nullptr);
      EXPECT_EQ(testsupport::Lines(MemoText(memo)), editorCase.lines);
      LRESULT first = -1, selection = -1;
      ASSERT_TRUE(SendAndWait(memo, EM_GETFIRSTVISIBLELINE, 0, 0, &first));
      ASSERT_TRUE(SendAndWait(memo, EM_GETSEL, 0, 0, &selection));
      EXPECT_EQ(first, 0) << "the list is not shown from its first line";
      EXPECT_EQ(selection, 0) << "the caret is not at the start of the list";
      HWND cancel = FindChild(editor, VisibleWithText(language.language == std::string("de") ? "Abbrechen" : "Cancel"));
      ASSERT_NE(cancel, nullptr);
      ASSERT_TRUE(PostMessageA(cancel, BM_CLICK, 0, 0));
      ASSERT_TRUE(program.WaitUntilGone(editor)) << "the editor stays open";
    }
    EXPECT_TRUE(CloseLeavingNothing(program, main));
  }
}
