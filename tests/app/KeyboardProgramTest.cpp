// The windows used with the keyboard alone, from another process, in German: the arrow keys in
// each kind of radio group, the tabs of page controls (Tab, the arrow keys, Ctrl+Tab), and Enter
// on a focused button. The text the negative list saved after a keyboard choice of its encoding
// is listed in keyboard-out/manifest.json, which check_saved_files.py reads back with iconv.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "classlib/SysUtils.h"
#include "support/OutputFiles.h"
#include "support/TestSupport.h"

using namespace programtest;

namespace {

testsupport::OutputFiles g_output("keyboard-out");

bool Checked(HWND button) {
  LRESULT state = 0;
  return SendAndWait(button, BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
}

// A dialog of the system (a file or colour dialog) shown over the window.
WindowTest DialogOver(HWND owner) {
  return [owner](HWND w) { return IsWindowVisible(w) && ClassOf(w) == "#32770" && GetWindow(w, GW_OWNER) == owner; };
}

// A shown control of the window with the caption, or a shown edit holding it as its text (which
// only the edit itself tells).
HWND Showing(HWND window, const std::string& text) {
  if (HWND captioned = FindChild(window, VisibleWithText(text))) return captioned;
  return FindChild(window, [&](HWND w) {
    return IsWindowVisible(w) && ClassOf(w).find("Edit") != std::string::npos && MemoText(w) == text;
  });
}

class KeyboardUse : public ::testing::Test, protected ProgramSession {
 protected:
  void SetUp() override {
    ChooseLanguage(dir, "de");
    ASSERT_NO_FATAL_FAILURE(Start());
  }
  void TearDown() override {
    if (main) Close();
  }
  // Opens a tool window through the menu bar; nullptr when it does not come.
  HWND OpenThroughMenu(const std::vector<std::string>& items, const std::string& caption) {
    if (!ChooseMenuItem(*program, main, items)) return nullptr;
    return program->WaitForWindow(VisibleWithText(caption));
  }
  // Shows a page of a wizard through the menu "Fenster"; the main window.
  HWND ShowPage(const std::string& wizard, const std::string& page, const std::string& shows) {
    if (!ChooseMenuItem(*program, main, {"mfenster", wizard, page})) return nullptr;
    return WaitForShown(shows) ? main : nullptr;
  }
  // Opens the window that the button of the main window shows modally.
  HWND OpenThroughButton(const std::string& button, const std::string& caption) {
    HWND pressed = Shown(button);
    if (!pressed || !PostMessageA(pressed, BM_CLICK, 0, 0)) return nullptr;
    return program->WaitForWindow(VisibleWithText(caption));
  }
  HWND Child(HWND window, const std::string& caption) const { return FindChild(window, VisibleWithText(caption)); }
  // The keys pressed in turn, each once the one before has moved the keyboard focus, as a user
  // presses them watching the window.
  bool PressEach(HWND window, const std::string& keys) {
    for (char key : keys) {
      const HWND focus = KeyboardFocus(window);
      if (!PressKeys(*program, window, {static_cast<WORD>(static_cast<unsigned char>(key))}) ||
          !program->WaitUntil([&] { return KeyboardFocus(window) != focus; }))
        return false;
    }
    return true;
  }
  // The tool window closed through its own button, as the last step of a case.
  void CloseWith(HWND window, const std::string& button) {
    if (window == main) return;
    ASSERT_NO_FATAL_FAILURE(Press(window, button));
    EXPECT_TRUE(program->WaitUntilGone(window));
  }
  // The negative list, holding the text given.
  HWND OpenListWith(const char* text) {
    HWND list = OpenThroughMenu({"meinst", "mewl", "mewlneg"}, "Negativliste");
    HWND memo = list ? FindChild(list, IsShownMemo) : nullptr;
    return memo && SendAndWait(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? list : nullptr;
  }
  HWND OpenCriteria() {
    if (!ShowPage("mft", "mft2", "Kriterien..")) return nullptr;
    return OpenThroughButton("Kriterien..", "Seitenzahlen");
  }
};

// ---- radio groups ---------------------------------------------------------------------------

struct RadioCase {
  const char* where;
  std::function<HWND()> open;  // shows the window of the group
  const char* from;            // the chosen button, where Tab enters the group
  std::string keys;            // virtual keys pressed there
  const char* to;              // the button chosen by them
  std::function<void(HWND)> effect;  // what the choice did, as the window shows it
  const char* close;           // the window's button that closes it
};

// Tab enters each group at its choice; the arrow keys move the focus and the choice through the
// group (wrapping) and run the choice's click, as a mouse click would.
TEST_F(KeyboardUse, TheArrowKeysChooseInEveryKindOfRadioGroup) {
  const std::string path = g_output.File("keyboard-utf16le.txt");
  const std::string down(1, VK_DOWN), up(1, VK_UP);
  HWND criteria = nullptr;  // two groups of one window
  const std::vector<RadioCase> cases = {
      {"output settings", [&] { return OpenThroughMenu({"meinst", "spopt"}, "Ausgabe Einstellungen"); },
       "Wenn m\xF6glich, Kodierung \xFC" "bernehmen", std::string(4, VK_UP),
       "Unicode UTF-16 Little Endian (Standard Windows Unicode)", nullptr, "OK"},
      {"criteria, position", [&] { return criteria = OpenCriteria(); }, "Seitenzahlen stehen unter dem Text", up,
       "Seitenzahlen stehen \xFC" "ber dem Text", nullptr, nullptr},
      {"criteria, characters", [&] { return criteria; }, "Standard", std::string(1, VK_RIGHT),
       "Benutzerdefinierte Zeichen:",
       [&](HWND window) {
         HWND own = Showing(window, "- ( ) [ ]");
         ASSERT_NE(own, nullptr);
         EXPECT_TRUE(IsWindowEnabled(own)) << "the characters of one's own stay disabled";
       },
       "Abbrechen"},
      {"text wizard, source", [&] { return ShowPage("mft", "mft1", "Text als Quelle benutzen"); },
       "Datei als Quelle ausw\xE4hlen", down, "Text als Quelle benutzen",
       [&](HWND) {
         HWND memo = FindChild(main, IsShownMemo);
         ASSERT_NE(memo, nullptr);
         EXPECT_TRUE(IsWindowEnabled(memo)) << "the source text cannot be typed";
       },
       nullptr},
      {"text wizard, pages", [&] { return ShowPage("mft", "mft2", "Auslesen"); }, "Seitenbezeichnung (Zeilennummer)",
       std::string(1, VK_LEFT), "Jede Zeile im Text ist eine eigene Seite",
       [&](HWND) {
         HWND first = Showing(main, "1");
         ASSERT_NE(first, nullptr);
         EXPECT_TRUE(IsWindowEnabled(first)) << "the first page number stays disabled";
         EXPECT_FALSE(IsWindowEnabled(Shown("Auslesen")));
       },
       nullptr},
      {"file wizard, output", [&] { return ShowPage("mfd", "mfd2", "Text Index"); }, "HTML Index", down + down + down,
       "Text Index", nullptr, nullptr},
      {"file list options", [&] {
         return ShowPage("mfd", "mfd1", "Erweitert..") ? OpenThroughButton("Erweitert..", "Erweiterte Einstellungen")
                                                        : nullptr;
       },
       "Bezeichnung", down, "Link", nullptr, "OK"},
      {"text-to-index editor", [&] { return OpenThroughMenu({"mtools", "mt3"}, "Editor: Text > Index (*.idx)"); },
       "Zum Eintrag Z\xE4hlen", down + down, "Auslassen", nullptr, "Schlie\xDF" "en"},
  };
  for (const RadioCase& c : cases) {
    SCOPED_TRACE(c.where);
    HWND window = c.open();
    ASSERT_NE(window, nullptr) << "the window did not open";
    HWND from = Child(window, c.from), to = Child(window, c.to);
    ASSERT_TRUE(from && to);
    ASSERT_TRUE(Checked(from));
    ASSERT_TRUE(TabTo(*program, window, from)) << "Tab does not reach the choice";
    EXPECT_TRUE(PressEach(window, c.keys)) << "a key did not move the focus";
    EXPECT_TRUE(program->WaitUntil([&] { return Checked(to) && KeyboardFocus(window) == to; }))
        << "the focus is on \"" << WindowText(KeyboardFocus(window)) << "\"";
    EXPECT_FALSE(Checked(from));
    if (c.effect) c.effect(window);
    if (c.close) ASSERT_NO_FATAL_FAILURE(CloseWith(window, c.close));
  }

  // The encoding chosen by keys is the one the next saved list is written in.
  HWND list = OpenListWith("Anker\r\nB\xE4r");
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(program->AnswerFileDialog(list, Child(list, "Speichern"), AnsiToWide(path)));
  EXPECT_EQ(testsupport::ReadBytes(path).substr(0, 2), "\xFF\xFE");
  g_output.AddText("keyboard-utf16le.txt", "UTF-16LE", true, "Anker\r\nB\xC3\xA4r");
  ASSERT_NO_FATAL_FAILURE(CloseWith(list, "OK"));
}

// ---- page controls --------------------------------------------------------------------------

struct PageStep {
  std::vector<WORD> held;  // Ctrl, Shift
  WORD key;
  int page;                // the tab chosen afterwards
  std::vector<const char*> shows;  // what the page (and the handler of its change) shows
  bool inside;             // the focus is on a control of the page, not on the tabs
};

struct PageCase {
  const char* where;
  std::function<HWND()> open;
  std::vector<PageStep> steps;
  const char* close;
};

// The tabs are a stop of Tab, their arrow keys turn the pages as a click on a tab does, and
// Ctrl+Tab and Ctrl+Shift+Tab turn them from a control inside the page.
TEST_F(KeyboardUse, TheTabsOfPageControlsTakeTheFocusAndTurnByTheKeyboard) {
  const std::vector<WORD> alone, ctrl{VK_CONTROL}, ctrlShift{VK_CONTROL, VK_SHIFT};
  const std::vector<PageCase> cases = {
      {"page-number text editor",
       [&] { return OpenThroughMenu({"mtools", "mt4"}, "Editor: Seitenzahlen in Text schreiben"); },
       {{alone, VK_RIGHT, 1, {"Seitenzahlen automatisch hochz\xE4hlen"}, false},
        {alone, VK_TAB, 1, {"Seitenzahlen automatisch hochz\xE4hlen"}, true},
        {ctrl, VK_TAB, 2, {"#"}, false},
        {ctrl, VK_TAB, 3, {"#NL"}, false},
        {ctrl, VK_TAB, 0, {"Nach einer Seitenzahl kommt mindestens eine Zeile Text"}, false},
        {ctrlShift, VK_TAB, 3, {"#NL"}, false},
        {alone, VK_LEFT, 2, {"#"}, false}},
       "Schlie\xDF" "en"},
      {"text wizard",
       [&] { return ShowPage("mft", "mft1", "Text als Quelle benutzen"); },
       {{alone, VK_RIGHT, 1, {"Seitenbezeichnung (Zeilennummer)", "<< zur\xFC" "ck"}, false},
        {alone, VK_TAB, 1, {"Seitenbezeichnung (Zeilennummer)"}, true},
        {ctrl, VK_TAB, 2, {"Index w\xE4hlen.."}, false},
        {alone, VK_TAB, 2, {"Index w\xE4hlen.."}, true},
        {ctrlShift, VK_TAB, 1, {"Seitenbezeichnung (Zeilennummer)"}, false},
        {alone, VK_LEFT, 0, {"Datei als Quelle ausw\xE4hlen"}, false}},
       nullptr},
  };
  for (const PageCase& c : cases) {
    SCOPED_TRACE(c.where);
    HWND window = c.open();
    ASSERT_NE(window, nullptr) << "the window did not open";
    HWND tabs = FindShownPageControl(window);
    ASSERT_NE(tabs, nullptr);
    // Wherever the window put the focus, Tab comes round to the tabs.
    ASSERT_TRUE(TabTo(*program, window, tabs)) << "Tab does not reach the tabs";
    for (const PageStep& step : c.steps) {
      SCOPED_TRACE("to page " + std::to_string(step.page));
      ASSERT_TRUE(PressKeysHolding(*program, window, step.held, {step.key}));
      EXPECT_TRUE(program->WaitUntil([&] {
        LRESULT page = -1;
        if (!SendAndWait(tabs, TCM_GETCURSEL, 0, 0, &page) || page != step.page) return false;
        for (const char* caption : step.shows)
          if (!Showing(window, caption)) return false;
        const HWND focus = KeyboardFocus(window);
        return step.inside ? focus != tabs && IsChild(tabs, focus) : focus == tabs;
      })) << "the focus is on \"" << WindowText(KeyboardFocus(window)) << "\"";
    }
    if (c.close) ASSERT_NO_FATAL_FAILURE(CloseWith(window, c.close));
  }
}

// ---- Enter ----------------------------------------------------------------------------------

struct EnterCase {
  const char* where;
  std::function<HWND()> open;
  const char* button;                // focused by Tab, then Enter
  std::function<bool(HWND)> pressed;  // the button's work has come (waited for)
  std::function<void(HWND)> finish;   // answers what the button opened and closes the window
};

// While a button has the focus Enter presses it, not the window's default button.
TEST_F(KeyboardUse, EnterPressesTheFocusedButton) {
  const std::string path = g_output.File("keyboard-saved-list.txt");
  HWND opened = nullptr;  // the dialog the button opened
  const auto systemDialog = [&](HWND owner) {
    opened = program->WaitForWindow(DialogOver(owner));
    return opened != nullptr;
  };
  const auto cancelDialog = [&](HWND) {
    PostMessageA(opened, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(program->WaitUntilGone(opened));
  };
  const std::vector<EnterCase> cases = {
      {"output settings", [&] { return OpenThroughMenu({"meinst", "spopt"}, "Ausgabe Einstellungen"); },
       "Hintergrundfarbe..", systemDialog,
       [&](HWND window) {
         cancelDialog(window);
         EXPECT_TRUE(IsWindowVisible(window)) << "the settings closed";
         CloseWith(window, "OK");
       }},
      {"negative list", [&] { return OpenListWith("Anker"); }, "Speichern",
       [&](HWND window) { return systemDialog(window) && GetDlgItem(opened, 1148) != nullptr; },
       [&](HWND window) {
         ASSERT_TRUE(SendAndWait(GetDlgItem(opened, 1148), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str())));
         PostMessageA(GetDlgItem(opened, IDOK), BM_CLICK, 0, 0);
         ASSERT_TRUE(program->WaitUntilGone(opened));
         EXPECT_TRUE(program->WaitUntil([&] { return testsupport::ReadBytes(path) == "Anker"; }))
             << "the list was not saved";
         CloseWith(window, "OK");
       }},
      {"text wizard, next", [&] { return ShowPage("mft", "mft1", "Text als Quelle benutzen"); }, "weiter >>",
       [&](HWND) { return WaitForShown("Seitenbezeichnung (Zeilennummer)") != nullptr; }, nullptr},
      {"text wizard, browse", [&] { return ShowPage("mft", "mft1", "Text als Quelle benutzen"); }, "Durchsuchen..",
       systemDialog, cancelDialog},
  };
  for (const EnterCase& c : cases) {
    SCOPED_TRACE(c.where);
    HWND window = c.open();
    ASSERT_NE(window, nullptr) << "the window did not open";
    HWND button = Child(window, c.button);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(TabTo(*program, window, button)) << "Tab does not reach the button";
    ASSERT_TRUE(PressKeys(*program, window, {VK_RETURN}));
    EXPECT_TRUE(c.pressed(window)) << "Enter did not press the button";
    if (c.finish && opened) ASSERT_NO_FATAL_FAILURE(c.finish(window));
    opened = nullptr;
  }
}

}  // namespace
