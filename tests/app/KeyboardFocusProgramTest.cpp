// The keyboard focus where a user's step disables or hides the control that has it, from another
// process with the keyboard's keys, in German and in English: "next" to the text wizard's summary,
// a run of the text wizard, "File > New > Text Index" and the information page "Licence". After
// each the focus stands where a user sees it, and Tab, Shift+Tab and F10 go on working.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <ostream>
#include <string>
#include <vector>

#include "ProgramDriver.h"

using namespace programtest;

namespace {

// The captions a user goes by, as the program shows them in each language.
struct Language {
  const char* code;
  const char* next;
  const char* createIndex;
  const char* licence;  // the last information page
};

const Language kLanguages[] = {
    {"de", "weiter >>", "Index Erstellen", "Lizenz"},
    {"en", "next >>", "Create Index", "Licence"},
};

void PrintTo(const Language& language, std::ostream* out) { *out << language.code; }

bool IsTabStop(HWND window) {
  return IsWindowVisible(window) && IsWindowEnabled(window) && (GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP);
}

std::string Described(HWND window) {
  if (!window) return "no window";
  return "\"" + WindowText(window) + "\" (" + ClassOf(window) + ")";
}

class FocusPassedOn : public ::testing::TestWithParam<Language>, protected ProgramSession {
 protected:
  FocusPassedOn() { ChooseLanguage(dir, GetParam().code); }

  bool OnTabStop(HWND focus) const { return focus && IsChild(main, focus) && IsTabStop(focus); }
  // The page of the shown page control, -1 while none is shown.
  LRESULT ShownPage() const {
    HWND pages = FindShownPageControl(main);
    return pages ? SendMessageA(pages, TCM_GETCURSEL, 0, 0) : -1;
  }

  void Press(const std::vector<WORD>& keys, bool shift = false) {
    ASSERT_TRUE(PressKeys(*program, main, keys, shift));
  }

  // Space on the focused "next" until the button is off, on the last page.
  void NextToTheEnd() {
    HWND next = Shown(GetParam().next);
    ASSERT_NE(next, nullptr);
    ASSERT_EQ(KeyboardFocus(main), next);
    while (IsWindowEnabled(next)) {
      const LRESULT before = ShownPage();
      ASSERT_NO_FATAL_FAILURE(Press({VK_SPACE}));
      ASSERT_TRUE(program->WaitUntil([&] { return ShownPage() != before; }));
    }
  }

 public:
  // The text wizard's "next" pressed on to the summary, which turns the button off.
  void ToTheSummary() {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(ClickSideBarButton(main, "rand_bttxtidx"));
    ASSERT_NO_FATAL_FAILURE(NextToTheEnd());
  }

  // A text opened from the command line, then Tab to "Create Index" and Space: the button is off
  // while the index is made.
  void ThroughARun() {
    ASSERT_NO_FATAL_FAILURE(Launch(Write("book.txt", "Alpha Beta\r\n1\r\nGamma Delta\r\n2\r\n")));
    main = program->WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    HWND next = WaitForShown(GetParam().next), create = Shown(GetParam().createIndex);
    ASSERT_TRUE(create && next);
    ASSERT_NO_FATAL_FAILURE(Press({VK_TAB}));
    ASSERT_TRUE(program->WaitUntil([&] { return KeyboardFocus(main) == create; }));
    ASSERT_NO_FATAL_FAILURE(Press({VK_SPACE}));
    // The result page: "next" is off there, "Create Index" on again.
    ASSERT_TRUE(program->WaitUntil([&] { return IsWindowEnabled(create) && !IsWindowEnabled(next); }));
    ASSERT_NE(FindChild(main, [](HWND w) { return IsShownMemo(w) && MemoText(w).find("Alpha") != std::string::npos; }),
              nullptr)
        << "no index shown";
  }

  // With the wizard past its first page and the start panel shown, "File > New > Text Index"
  // through the keyboard's menus: the wizard's first page hides "back".
  void NewTextIndexFromTheStartPanel() {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(ClickSideBarButton(main, "rand_bttxtidx"));
    ASSERT_NO_FATAL_FAILURE(Press({VK_SPACE}));
    ASSERT_TRUE(program->WaitUntil([&] { return ShownPage() == 1; }));
    ASSERT_TRUE(ChooseMenuItem(*program, main, {"mfenster", "mfstart"}));
    ASSERT_TRUE(program->WaitUntil([&] { return ShownPage() == -1; }));
    ASSERT_TRUE(ChooseMenuItem(*program, main, {"mdatei", "mneu", "mneutxt"}));
    ASSERT_TRUE(program->WaitUntil([&] { return ShownPage() == 0; }));
  }

  // The information pages' "next" pressed on to "Licence", which turns it off.
  void ToTheLicence() {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(ClickSideBarButton(main, "rand_btinfo"));
    ASSERT_NO_FATAL_FAILURE(NextToTheEnd());
    ASSERT_NE(Shown(GetParam().licence), nullptr) << "not on the licence";
  }

 protected:
  // The focus is on a control that Tab reaches, or on the window itself; Tab moves it on (unless
  // there is no other control to go to), Shift+Tab back, and F10 and Escape open and close the
  // menu bar without taking it away.
  void ExpectTheKeysGoOn(bool tabMayStay) {
    const HWND before = KeyboardFocus(main);
    ASSERT_TRUE(before == main || OnTabStop(before)) << "the focus is on " << Described(before);
    ASSERT_NO_FATAL_FAILURE(Press({VK_TAB}));
    if (!tabMayStay)
      ASSERT_TRUE(program->WaitUntil([&] {
        const HWND after = KeyboardFocus(main);
        return after != before && OnTabStop(after);
      })) << "Tab left the focus on " << Described(KeyboardFocus(main));
    ASSERT_NO_FATAL_FAILURE(Press({VK_TAB}, true));
    ASSERT_NO_FATAL_FAILURE(Press({VK_F10}));
    ASSERT_TRUE(program->WaitUntil([&] { return InMenuMode(main); })) << "F10 opened no menu";
    // The keys come in order: Shift+Tab has been handled before F10.
    const HWND back = KeyboardFocus(main);
    if (before != main) EXPECT_EQ(back, before) << "Shift+Tab went to " << Described(back);
    else EXPECT_TRUE(OnTabStop(back)) << "Shift+Tab went to " << Described(back);
    ASSERT_NO_FATAL_FAILURE(Press({VK_ESCAPE}));
    ASSERT_TRUE(program->WaitUntil([&] { return !InMenuMode(main); })) << "Escape left the menu open";
    EXPECT_EQ(KeyboardFocus(main), back) << "the menu took the focus away";
  }
};

TEST_P(FocusPassedOn, TheKeysGoOnWhenTheFocusedControlIsTurnedOffOrHidden) {
  struct Step {
    const char* name;
    void (FocusPassedOn::*reach)();
    bool tabMayStay;  // the page has no other control that Tab reaches
  };
  const Step steps[] = {
      {"next to the summary", &FocusPassedOn::ToTheSummary, false},
      {"a run", &FocusPassedOn::ThroughARun, false},
      {"File > New > Text Index", &FocusPassedOn::NewTextIndexFromTheStartPanel, false},
      {"next to the licence", &FocusPassedOn::ToTheLicence, true},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    const auto check = [&] {
      ASSERT_NO_FATAL_FAILURE((this->*step.reach)());
      ASSERT_NO_FATAL_FAILURE(ExpectTheKeysGoOn(step.tabMayStay));
      Close();
    };
    check();
    program.reset();  // a program left behind by a failed step ends here, and the next starts anew
  }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, FocusPassedOn, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.code); });

}  // namespace
