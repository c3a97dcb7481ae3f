// Details of the windows as a user sees and uses them, from another process: the main window's
// size, the output settings' frame, the focus of the page-number criteria, the page-number
// editor's "Apply" and its tabs after a language switch, the back button of the information
// pages and of the text wizard's summary, and the file wizard's progress page.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ProgramDriver.h"

using namespace programtest;

namespace {

class WindowDetails : public ::testing::Test, protected ProgramSession {
 protected:
  // Starts the program, in German when asked, and clicks its start screen.
  void Start(bool german = false) {
    ChooseLanguage(dir, german ? "de" : "en");
    ProgramSession::Start();
  }
};

bool IsDark(COLORREF pixel) { return GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 110; }

TEST_F(WindowDetails, TheMainWindowsClientAreaIsItsDesignBelowTheMenuBar) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NE(GetMenu(main), nullptr);
  RECT client{};
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 862);
  EXPECT_EQ(client.bottom, 669);
  Close();
}

TEST_F(WindowDetails, TheOutputSettingsAreAToolWindowWithOnlyACloseBox) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(ChooseMenuItem(*program, main, {"meinst", "spopt"}));
  HWND settings = program->WaitForWindow(VisibleWithText("Output Settings"));
  ASSERT_NE(settings, nullptr) << "the output settings did not open";
  const LONG style = GetWindowLongA(settings, GWL_STYLE), exStyle = GetWindowLongA(settings, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(exStyle & WS_EX_DLGMODALFRAME);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  Press(settings, "OK");
  EXPECT_TRUE(program->WaitUntil([&] { return !IsWindowVisible(settings); }));
  Close();
}

// The criteria window opens with the focus on the chosen position of the page numbers, so that
// Space keeps the choice.
TEST_F(WindowDetails, TheCriteriaOpenOnTheChosenPositionAndSpaceKeepsIt) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(ClickSideBarButton(main, "rand_bttxtidx"));
  ASSERT_NO_FATAL_FAILURE(Press(main, "next >>"));
  HWND button = Shown("Criteria..");
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(PostMessageA(button, BM_CLICK, 0, 0));
  HWND criteria = program->WaitForWindow(VisibleWithText("Page Numbers"));
  ASSERT_NE(criteria, nullptr) << "the criteria did not open";
  HWND over = FindChild(criteria, VisibleWithText("Page Numbers over the Text"));
  HWND under = FindChild(criteria, VisibleWithText("Page Numbers under the Text"));
  ASSERT_TRUE(over != nullptr && under != nullptr);
  ASSERT_EQ(SendMessageA(under, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(program->WaitUntil([&] { return KeyboardFocus(criteria) == under; }))
      << "the focus is on \"" << WindowText(KeyboardFocus(criteria)) << "\"";
  HWND focus = KeyboardFocus(criteria);
  ASSERT_NE(focus, nullptr);
  PostMessageA(focus, WM_KEYDOWN, VK_SPACE, 0x00390001);
  PostMessageA(focus, WM_CHAR, ' ', 0x00390001);
  PostMessageA(focus, WM_KEYUP, VK_SPACE, 0xC0390001);
  ASSERT_TRUE(SendAndWait(criteria, WM_NULL));
  EXPECT_EQ(SendMessageA(under, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(over, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Press(criteria, "Cancel");
  EXPECT_TRUE(program->WaitUntilGone(criteria) || !IsWindowVisible(criteria));
  Close();
}

// "Apply" on "Replace Spaces" turns the empty lines into page numbers and nothing else: the
// text the wizard receives ends as the typed one did.
TEST_F(WindowDetails, ApplyOnReplaceSpacesChangesOnlyTheEmptyLines) {
  struct Case {
    const char* typed;
    const char* numbered;
  };
  const Case cases[] = {{"Erster Absatz\r\n\r\nZweiter Absatz", "Erster Absatz\r\n1\r\nZweiter Absatz"},
                        {"Eins\r\n\r\nZwei\r\n\r\n", "Eins\r\n1\r\nZwei\r\n2\r\n"}};
  ASSERT_NO_FATAL_FAILURE(Start());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ASSERT_TRUE(ChooseMenuItem(*program, main, {"mtools", "mt4"}));
    HWND editor = program->WaitForWindow(VisibleWithText("Editor: Write Folio to Text"));
    ASSERT_NE(editor, nullptr) << "the page-number editor did not open";
    HWND memo = FindChild(editor, IsShownMemo);
    ASSERT_NE(memo, nullptr);
    ASSERT_TRUE(SendAndWait(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed)));
    ASSERT_NO_FATAL_FAILURE(Press(editor, "Apply"));
    EXPECT_EQ(MemoText(memo), c.numbered);
    ASSERT_NO_FATAL_FAILURE(Press(editor, "Textindex.."));
    HWND source = FindChild(main, IsShownMemo);
    ASSERT_NE(source, nullptr) << "the text wizard does not show its source";
    EXPECT_EQ(MemoText(source), c.numbered);
  }
  Close();
}

// After a switch to English the page-number editor's tabs show the English captions alone:
// nothing of the wider German caption of the last tab stays beside it.
TEST_F(WindowDetails, AfterASwitchToEnglishNothingOfAWiderGermanTabStays) {
  ASSERT_NO_FATAL_FAILURE(Start(true));
  ASSERT_TRUE(ChooseMenuItem(*program, main, {"mtools", "mt4"}));
  HWND editor = program->WaitForWindow(VisibleWithText("Editor: Seitenzahlen in Text schreiben"));
  ASSERT_NE(editor, nullptr) << "the page-number editor did not open";
  HWND tabs = FindShownPageControl(editor);
  ASSERT_NE(tabs, nullptr);
  // Away from the menus, whose closing would paint the tabs anew.
  ASSERT_TRUE(SetWindowPos(editor, nullptr, GetSystemMetrics(SM_CXSCREEN) / 3, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
  ASSERT_TRUE(SendAndWait(editor, WM_NULL));
  UpdateWindow(editor);
  RECT german{};
  ASSERT_TRUE(TabRect(*program, tabs, 3, german));
  ASSERT_TRUE(ChooseMenuItem(*program, main, {"meinst", "mspr", "mspren"}));
  ASSERT_TRUE(program->WaitUntil([&] { return WindowText(editor) == "Editor: Write Folio to Text"; }));
  ASSERT_TRUE(SendAndWait(editor, WM_NULL));
  ASSERT_TRUE(SendAndWait(tabs, WM_NULL));
  // Let the editor paint what its messages asked for.
  UpdateWindow(tabs);
  ASSERT_TRUE(SendAndWait(tabs, WM_NULL));
  RECT english{};
  ASSERT_TRUE(TabRect(*program, tabs, 3, english));
  ASSERT_LT(english.right, german.right) << "the English caption is not narrower";
  // The room the German caption gave up, inside the row of tabs.
  const RECT given{english.right + 2, english.top + 2, german.right, english.bottom - 2};
  const std::vector<COLORREF> pixels = ClientPixels(tabs, given);
  EXPECT_EQ(std::count_if(pixels.begin(), pixels.end(), IsDark), 0) << "a piece of the German tab stays";
  Close();
}

// The back button of the information pages is off on the first page however the panel came:
// through the side bar or through the menu.
TEST_F(WindowDetails, TheInformationPagesBackButtonIsOffOnTheFirstPageEitherWay) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const auto backButton = [&] { return FindChild(main, VisibleWithText("<< back")); };
  ASSERT_TRUE(ClickSideBarButton(main, "rand_btinfo"));
  ASSERT_TRUE(program->WaitUntil([&] { return backButton() != nullptr; }));
  EXPECT_FALSE(IsWindowEnabled(backButton())) << "through the side bar";
  ASSERT_TRUE(ClickSideBarButton(main, "rand_btstart"));
  ASSERT_TRUE(ChooseMenuItem(*program, main, {"minfo", "minfo1"}));
  ASSERT_TRUE(program->WaitUntil([&] { return backButton() != nullptr; }));
  EXPECT_FALSE(IsWindowEnabled(backButton())) << "through the menu";
  Close();
}

// The text wizard's summary, reached through the menu from its first page, shows no back
// button and so does not point to one.
TEST_F(WindowDetails, TheSummaryPointsToNoBackButtonThatIsNotShown) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::string sentence = "Use \"<< back\" to change the settings.";
  ASSERT_TRUE(ChooseMenuItem(*program, main, {"mfenster", "mft", "mft4"}));
  ASSERT_TRUE(program->WaitUntil([&] { return Shown("4. Complete") != nullptr; }));
  EXPECT_EQ(Shown("<< back"), nullptr);
  EXPECT_EQ(Shown(sentence), nullptr) << "the summary points to a back button that is not there";
  // Through the pages the button is there and the summary names it.
  ASSERT_TRUE(ChooseMenuItem(*program, main, {"mfenster", "mft", "mft1"}));
  ASSERT_TRUE(program->WaitUntil([&] { return Shown("1. Source") != nullptr; }));
  for (int page = 0; page < 3; ++page) ASSERT_NO_FATAL_FAILURE(Press(main, "next >>"));
  ASSERT_NE(Shown("4. Complete"), nullptr);
  EXPECT_NE(Shown("<< back"), nullptr);
  EXPECT_NE(Shown(sentence), nullptr);
  Close();
}

// The file wizard's progress page tells, as the other two wizards' pages do, that the result
// follows, in either language.
TEST_F(WindowDetails, TheFileWizardsProgressPageSaysThatTheResultFollows) {
  for (const bool german : {true, false}) {
    SCOPED_TRACE(german ? "de" : "en");
    ASSERT_NO_FATAL_FAILURE(Start(german));
    ASSERT_TRUE(ChooseMenuItem(*program, main, {"mfenster", "mfd", "mfd4"}));
    const std::string line = german ? "Danach wird das Ergebnis angezeigt." : "The result is shown afterwards.";
    EXPECT_TRUE(program->WaitUntil([&] { return Shown(line) != nullptr; })) << "no line \"" << line << "\"";
    Close();
  }
}

}  // namespace
