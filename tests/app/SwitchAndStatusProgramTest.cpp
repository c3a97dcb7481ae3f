// What a user sees and types around a switch, from another process, in German and in English: a
// digit typed after the side bar has switched the wizard reaches no control of the wizard left,
// and a status of the shortcut window that turns from "not active" to "active" keeps nothing of
// its longer red text.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
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
  const char* shortcuts;    // caption of the window for configuration files
  const char* fileType;     // its group of the file type
  const char* registerIt;   // the group's buttons
  const char* removeIt;
};

const Language kLanguages[] = {
    {"de", "weiter >>", "Verkn\xFCpfungen", "Verkn\xFCpfung mit Konfigurationsdateien (*.qcfg)", "Verkn\xFCpfen",
     "Entfernen"},
    {"en", "next >>", "Shortcuts", "Shortcut to Configuration Files (*.qcfg)", "Register", "Remove"},
};

void PrintTo(const Language& language, std::ostream* out) { *out << language.code; }

bool IsRed(COLORREF c) { return GetRValue(c) > 150 && GetGValue(c) < 110 && GetBValue(c) < 110; }
bool IsGreen(COLORREF c) { return GetGValue(c) > 80 && GetRValue(c) < 90 && GetBValue(c) < 90; }

class SwitchAndStatus : public ::testing::TestWithParam<Language>, protected ProgramSession {
 protected:
  SwitchAndStatus() { ChooseLanguage(dir, GetParam().code); }
};

// The combo box of the minimum word length that the shown criteria page holds: it shows "3".
HWND ShownMinimumLength(HWND main) {
  return FindChild(main, [](HWND w) {
    return IsWindowVisible(w) && ClassOf(w).find("ComboBox") != std::string::npos && MemoText(w) == "3";
  });
}

TEST_P(SwitchAndStatus, ADigitTypedAfterASideBarSwitchLeavesTheHiddenWizardAlone) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(ClickSideBarButton(main, "rand_bttxtidx"));
  for (int page = 0; page < 2; ++page) {
    HWND next = FindChild(main, VisibleWithText(GetParam().next));
    ASSERT_NE(next, nullptr);
    ASSERT_TRUE(SendAndWait(next, BM_CLICK));
  }
  HWND box = ShownMinimumLength(main);
  ASSERT_NE(box, nullptr) << "no minimum length on the criteria page";
  HWND edit = GetWindow(box, GW_CHILD);
  ASSERT_NE(edit, nullptr);
  RECT inside{};
  GetClientRect(edit, &inside);
  ASSERT_TRUE(ClickAt(edit, POINT{inside.right - 2, inside.bottom / 2}));
  ASSERT_EQ(KeyboardFocus(main), edit);

  ASSERT_TRUE(ClickSideBarButton(main, "rand_btdidx"));
  ASSERT_FALSE(IsWindowVisible(box));
  HWND focus = KeyboardFocus(main);
  EXPECT_TRUE(focus && IsWindowVisible(focus)) << "the keys go to a window that is not shown";
  ASSERT_TRUE(PostKeys(main, "7"));
  // Two switches posted behind the key: once the second is done, the key and the character it
  // made have been handled.
  ASSERT_TRUE(PostSideBarClick(main, "rand_bttxtidx"));
  ASSERT_TRUE(program->WaitUntil([&] { return IsWindowVisible(box) != 0; }));
  ASSERT_TRUE(PostSideBarClick(main, "rand_btdidx"));
  ASSERT_TRUE(program->WaitUntil([&] { return !IsWindowVisible(box); }));
  EXPECT_EQ(MemoText(box), "3") << "the hidden minimum length took the digit";
  Close();
}

TEST_P(SwitchAndStatus, AStatusThatTurnsActiveKeepsNothingOfItsLongerRedText) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(ChooseMenuItem(*program, main, {"meinst", "verk", "verk_qcfg"}));
  HWND window = program->WaitForWindow(VisibleWithText(GetParam().shortcuts));
  ASSERT_NE(window, nullptr) << "the shortcut window did not open";
  HWND group = FindChild(window, VisibleWithText(GetParam().fileType));
  ASSERT_NE(group, nullptr);
  HWND registerIt = FindChild(group, VisibleWithText(GetParam().registerIt));
  HWND removeIt = FindChild(group, VisibleWithText(GetParam().removeIt));
  ASSERT_TRUE(registerIt && removeIt);
  // The status label's line, from where the form places it to the group's right edge.
  const RECT label = DescribedBounds("TEINSTSHORTCUTS_QCFG", "ver_konfig");
  RECT groupClient{};
  GetClientRect(group, &groupClient);
  const RECT line{label.left, label.top, groupClient.right - 4, label.top + 16};
  const auto shows = [&](bool (*colour)(COLORREF)) {
    const std::vector<COLORREF> pixels = ClientPixels(group, line);
    return std::any_of(pixels.begin(), pixels.end(), colour);
  };

  ASSERT_TRUE(SendAndWait(removeIt, BM_CLICK));
  ASSERT_TRUE(program->WaitUntil([&] { return shows(IsRed) && !shows(IsGreen); })) << "no red status";
  ASSERT_TRUE(SendAndWait(registerIt, BM_CLICK));
  ASSERT_TRUE(program->WaitUntil([&] { return shows(IsGreen); })) << "the status did not turn green";
  EXPECT_FALSE(shows(IsRed)) << "the end of the red text is left beside the green one";

  ASSERT_TRUE(SendAndWait(removeIt, BM_CLICK));  // the registration goes again
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program->WaitUntilGone(window));
  Close();
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, SwitchAndStatus, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) { return std::string(info.param.code); });

}  // namespace
