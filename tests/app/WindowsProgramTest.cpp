// The main window's tool windows and result views used as a user uses them, from another
// process, in English: a design window opened from its button and from the menu and closed
// with OK and with Enter; the file wizard's result shown as text and then as a page; the
// page-number editor's click into a long wrapped paragraph.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ProgramDriver.h"

using namespace programtest;

namespace {

bool IsMemo(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & ES_MULTILINE) != 0 && ClassOf(window) != "TWebBrowser"; }

class ProgramWindows : public ::testing::Test, protected ProgramSession {};

TEST_F(ProgramWindows, TheKeywordDesignWindowFromItsButtonOrTheMenuClosesOnOkAndOnEnter) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(ClickSideBarButton(main, "rand_btstw"));
  ASSERT_NO_FATAL_FAILURE(Press("next >>"));
  HWND button = Shown("Design..");
  ASSERT_NE(button, nullptr) << "no design button on the keyword wizard's settings page";
  const auto openFromButton = [&] { return PostMessageA(button, BM_CLICK, 0, 0) != 0; };
  const auto openFromMenu = [&] { return ChooseMenuItem(*program, main, {"meinst", "mes", "mesd"}); };
  for (const auto& [from, open] : {std::pair<const char*, std::function<bool()>>{"button", openFromButton},
                                   std::pair<const char*, std::function<bool()>>{"menu", openFromMenu}}) {
    for (const bool enter : {false, true}) {
      SCOPED_TRACE(std::string("from the ") + from + (enter ? ", Enter" : ", OK"));
      ASSERT_TRUE(open());
      HWND design = program->WaitForWindow(VisibleWithText("KeywordIndex Design"));
      ASSERT_NE(design, nullptr) << "the design window did not open";
      EXPECT_FALSE(IsWindowEnabled(main)) << "the main window takes input while the design window is open";
      if (enter) {
        ASSERT_TRUE(PressEnter(design));
      } else {
        HWND ok = FindChild(design, VisibleWithText("OK"));
        ASSERT_NE(ok, nullptr);
        ASSERT_TRUE(PostMessageA(ok, BM_CLICK, 0, 0));
      }
      ASSERT_TRUE(program->WaitUntilGone(design)) << "the design window stays open";
      EXPECT_TRUE(program->WaitUntil([&] { return IsWindowEnabled(main) != 0; }));
    }
  }
  Close();
}

TEST_F(ProgramWindows, AnXhtmlRunAfterAPlainTextRunShowsThePageInTheBrowser) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(ClickSideBarButton(main, "rand_btdidx"));
  HWND list = FindShownListView(main);
  ASSERT_NE(list, nullptr);
  const std::string document = Write("hafen.txt", "Anker und Boje");
  ASSERT_TRUE(DropFiles(*program, list, {document}));
  HWND browser = FindChild(main, [](HWND w) { return ClassOf(w) == "TWebBrowser"; });
  ASSERT_NE(browser, nullptr);
  const auto shownMemo = [&] { return FindChild(main, [](HWND w) { return IsWindowVisible(w) && IsMemo(w); }); };

  // Settings page: the plain-text index, then the run.
  ASSERT_NO_FATAL_FAILURE(Press("next >>"));
  ASSERT_NO_FATAL_FAILURE(Press("Text Index"));
  ASSERT_NO_FATAL_FAILURE(Press("next >>"));
  ASSERT_NO_FATAL_FAILURE(Press("Create Index"));
  HWND memo = shownMemo();
  ASSERT_NE(memo, nullptr) << "the text index is not shown";
  EXPECT_NE(MemoText(memo).find("Anker"), std::string::npos);
  EXPECT_FALSE(IsWindowVisible(browser));

  // Back to the settings, the XHTML page, the run again.
  ASSERT_NO_FATAL_FAILURE(Press("<< back"));
  ASSERT_NO_FATAL_FAILURE(Press("<< back"));
  ASSERT_NO_FATAL_FAILURE(Press("HTML Index"));
  ASSERT_NO_FATAL_FAILURE(Press("next >>"));
  ASSERT_NO_FATAL_FAILURE(Press("Create Index"));
  EXPECT_TRUE(IsWindowVisible(browser)) << "the page is not shown";
  EXPECT_FALSE(IsWindowVisible(memo)) << "the page's source is shown";
  Close();
}

TEST_F(ProgramWindows, AClickOnTheCursorPageKeepsEveryByteOfAWrappedParagraph) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(ChooseMenuItem(*program, main, {"mtools", "mt4"}));
  HWND editor = program->WaitForWindow(VisibleWithText("Editor: Write Folio to Text"));
  ASSERT_NE(editor, nullptr) << "the page-number editor did not open";
  HWND memo = FindChild(editor, [](HWND w) { return IsWindowVisible(w) && IsMemo(w); });
  ASSERT_NE(memo, nullptr);
  std::string paragraph;
  for (int word = 0; word < 120; ++word) paragraph += std::string("Wort") + static_cast<char>('a' + word % 26) + ' ';
  const std::string original = "Kapitel\r\n" + paragraph + "Ende.\r\nLetzte Zeile";
  ASSERT_TRUE(SendAndWait(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(original.c_str())));
  LRESULT shownLines = 0;
  ASSERT_TRUE(SendAndWait(memo, EM_GETLINECOUNT, 0, 0, &shownLines));
  ASSERT_GT(shownLines, 5) << "the paragraph is not shown wrapped";

  HWND tabs = FindShownPageControl(editor);
  ASSERT_NE(tabs, nullptr);
  ASSERT_TRUE(ClickTab(*program, tabs, 1));  // "Cursor"
  // A place on a later display line of the paragraph.
  const size_t at = 9 + paragraph.size() / 2;
  LRESULT place = 0;
  ASSERT_TRUE(SendAndWait(memo, EM_POSFROMCHAR, at, 0, &place));
  ASSERT_TRUE(ClickAt(memo, POINT{static_cast<short>(LOWORD(place)) + 1, static_cast<short>(HIWORD(place)) + 2}));

  std::string text = MemoText(memo);
  const size_t number = text.find("\r\n1\r\n");
  ASSERT_NE(number, std::string::npos) << "no page number inserted";
  EXPECT_EQ(number, at);
  text.erase(number, 5);
  EXPECT_EQ(text, original);
  Close();
}

}  // namespace
