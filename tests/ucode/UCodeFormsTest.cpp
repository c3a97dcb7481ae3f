// The wide application object (title, hint, idle control), characters above U+00FF typed into
// Unicode windows, and the hot-key routines of wide captions, through real windows.
#include <gtest/gtest.h>

#include <windows.h>

#include "WindowsTestSupport.h"
#include "classlib/SysUtils.h"
#include "ucode/UCodeActnList.h"
#include "ucode/UCodeForms.h"
#include "ucode/UCodeStdCtrls.h"
#include "ucode/UCodeSystem.h"

namespace {

const std::wstring kTitle = L"A\x0416\x4E2D";  // A, Cyrillic Zhe, CJK "middle"

std::wstring WindowText(HWND wnd) {
  wchar_t buffer[256] = {};
  GetWindowTextW(wnd, buffer, 256);
  return buffer;
}

// The wide application object as the program has it, its title set back afterwards.
class WideApplication : public ::testing::Test {
 protected:
  void SetUp() override {
    InitUCodeForms();
    m_title = UCodeApplication->GetTitle();
  }
  void TearDown() override { UCodeApplication->SetTitle(m_title); }

 private:
  std::wstring m_title;
};

TEST(HotKeys, TheLastSingleAmpersandMarksTheHotKeyAndDoubledOnesAreText) {
  EXPECT_EQ(WideGetHotKeyPos(L"&Datei"), 2u);
  EXPECT_EQ(WideGetHotKeyChar(L"Save && &Quit"), L"Q");
  EXPECT_EQ(WideGetHotKeyChar(L"&a &b"), L"b");
  EXPECT_EQ(WideGetHotKeyPos(L"Fish && Chips"), 0u);
  EXPECT_EQ(WideGetHotKeyPos(L"Trailing&"), 0u);
  EXPECT_EQ(WideStripHotkey(L"Save && &Quit"), L"Save & Quit");
  EXPECT_EQ(WideStripHotkey(L"&\x0416\x0430\x0440"), L"\x0416\x0430\x0440");
  EXPECT_TRUE(WideSameCaption(L"&\x00D6" L"ffnen", L"\x00F6" L"ff&nen"));
  EXPECT_FALSE(WideSameCaptionStr(L"&\x00D6" L"ffnen", L"\x00F6" L"ff&nen"));
  EXPECT_TRUE(WideSameCaptionStr(L"&\x00D6" L"ffnen", L"\x00D6" L"ff&nen"));
}

TEST(HotKeys, AnUmlautHotKeyAnswersItsKeyInEitherCaseAndFromTheKeyboardCodePage) {
  const std::wstring caption = L"&\x00D6" L"ffnen";  // "&Öffnen"
  EXPECT_TRUE(IsWideCharAccel(L'\x00F6', caption));  // ö
  EXPECT_TRUE(IsWideCharAccel(L'\x00D6', caption));  // Ö
  EXPECT_TRUE(IsWideCharAccel(KeyboardCodePage() == 1252 ? 0xF6 : L'\x00F6', caption));
  EXPECT_FALSE(IsWideCharAccel(L'o', caption));
  EXPECT_FALSE(IsWideCharAccel(L'f', caption));
  EXPECT_TRUE(IsWideCharAccel(0x0436, L"&\x0416\x0430\x0440"));  // ж for Ж
  EXPECT_FALSE(IsWideCharAccel(L'x', L"no hot key"));
}

TEST(HotKeys, AMovedHotKeyOfThe8BitCaptionIsCarriedIntoTheWideOne) {
  EXPECT_EQ(SyncHotKeyPosition("Da&tei", L"&Datei"), L"Da&tei");
  // Cyrillic text is "???" in 8 bits; the mark moves between the wide characters.
  EXPECT_EQ(SyncHotKeyPosition("?&??", L"&\x0416\x0430\x0440"), L"\x0416&\x0430\x0440");
  EXPECT_EQ(SyncHotKeyPosition("&&Fish &Chips", L"&&Fish Chips"), L"&&Fish &Chips");
  // Text that differs in more than hot keys is not the layer's to repair.
  EXPECT_EQ(SyncHotKeyPosition("Other", L"&Datei"), L"&Datei");
}

TEST_F(WideApplication, TheHiddenOwnerWindowHoldsTheWideTitleWhole) {
  HWND wnd = Application->GetHandle();
  ASSERT_NE(wnd, nullptr);
  UCodeApplication->SetTitle(kTitle);
  EXPECT_TRUE(IsWindowUnicode(wnd));
  EXPECT_EQ(WindowText(wnd), kTitle);
  EXPECT_EQ(UCodeApplication->GetTitle(), kTitle);
  // The library's own 8-bit view shows the code page's substitutes.
  EXPECT_EQ(Application->GetTitle(), "A??");
  // An 8-bit title set by the library alone is what the window then shows.
  Application->SetTitle("Plain \xE4");
  EXPECT_EQ(WindowText(wnd), L"Plain \x00E4");
  EXPECT_EQ(UCodeApplication->GetTitle(), L"Plain \x00E4");
}

TEST_F(WideApplication, ErrorMessagesCarryTheWideTitleAsTheirCaption) {
  UCodeApplication->SetTitle(kTitle);
  wintest::MessageBoxCatcher boxes;
  Application->ShowException("Disk full");
  ASSERT_EQ(boxes.Requests().size(), 1u);
  EXPECT_EQ(boxes.Requests()[0].WideCaption, kTitle);
  EXPECT_EQ(boxes.Requests()[0].WideText, L"Disk full.");
  EXPECT_EQ(boxes.Requests()[0].Caption, "A??");
}

TEST_F(WideApplication, TheWideHintStandsWhileThe8BitHintIsItsConversion) {
  UCodeApplication->SetHint(L"\x0416\x0430\x0440|long " + kTitle);
  EXPECT_EQ(Application->GetHint(), "???|long A??");
  EXPECT_EQ(UCodeApplication->GetHint(), L"\x0416\x0430\x0440|long " + kTitle);
  // A hint set through the 8-bit application replaces it.
  Application->SetHint("plain");
  EXPECT_EQ(UCodeApplication->GetHint(), L"plain");
  // The same 8-bit form with other wide characters still counts as a change.
  UCodeApplication->SetHint(L"\x0416");
  UCodeApplication->SetHint(L"\x4E2D");
  EXPECT_EQ(UCodeApplication->GetHint(), L"\x4E2D");
  Application->SetHint("");
}

// Stands for a status display: takes the hint actions the application executes.
struct HintDisplay {
  std::vector<std::wstring> wide;
  std::vector<std::string> ansi;
  bool Hook(TMessage& message) {
    if (message.Msg != CM_ACTIONEXECUTE) return false;
    auto* action = reinterpret_cast<TBasicAction*>(message.LParam);
    if (auto* wideAction = dynamic_cast<TUCodeHintAction*>(action)) wide.push_back(wideAction->GetHint());
    else if (auto* hintAction = dynamic_cast<THintAction*>(action)) ansi.push_back(hintAction->GetHint());
    else return false;
    message.Result = 1;
    return true;
  }
};

TEST_F(WideApplication, AStatusDisplayHearsAWideHintWholeAndAn8BitHintAsItWas) {
  HintDisplay display;
  const TWindowHook hook(&display, &HintDisplay::Hook);
  Application->HookMainWindow(hook);
  UCodeApplication->SetHint(L"\x0416\x0430\x0440|long");
  Application->SetHint("plain \xE4");
  Application->SetHint("");
  Application->UnhookMainWindow(hook);
  EXPECT_EQ(display.wide, (std::vector<std::wstring>{L"\x0416\x0430\x0440|long"}));
  EXPECT_EQ(display.ansi, (std::vector<std::string>{"plain \xE4", ""}));
}

TEST_F(WideApplication, TheMainFormGetsOneIdleControlWhoseActionRunsWhenIdle) {
  wintest::ShownForm form;
  TCustomForm* previous = Application->GetMainForm();
  Application->SetMainForm(form.Get());
  PostMessageA(form->GetHandle(), WM_NULL, 0, 0);
  wintest::Pump();
  PostMessageA(form->GetHandle(), WM_NULL, 0, 0);
  wintest::Pump();
  int count = 0;
  TUCodeAppIdleEventControl* idle = nullptr;
  for (int i = 0; i < form->GetControlCount(); ++i)
    if (auto* control = dynamic_cast<TUCodeAppIdleEventControl*>(form->GetControl(i))) ++count, idle = control;
  Application->SetMainForm(previous);
  ASSERT_EQ(count, 1);
  EXPECT_TRUE(idle->GetVisible());
  EXPECT_FALSE(idle->GetParentFont());
  ASSERT_NE(idle->GetAction(), nullptr);
  // The form's idle update reaches the control's action.
  UCodeApplication->SetHint(L"\x0416");
  Application->SetHint("changed behind");
  form->UpdateActions();
  EXPECT_EQ(UCodeApplication->GetHint(), L"changed behind");
  Application->SetHint("");
  idle->Free();
}

TUCodeEdit* EmptyEditOn(TForm* form, int top) {
  auto* edit = new TUCodeEdit(form);
  edit->SetBounds(10, top, 200, 24);
  edit->SetParent(form);
  edit->SetText(L"");
  return edit;
}

// A WM_CHAR above 255 queued for a Unicode window: the 8-bit loop alone would hand the window
// "?"; the hook delivers the character itself.
TEST_F(WideApplication, ACharacterAbove255QueuedForAUnicodeWindowArrivesWhole) {
  wintest::ShownForm form;
  TUCodeEdit* edit = EmptyEditOn(form.Get(), 10);
  ASSERT_TRUE(IsWindowUnicode(edit->GetHandle()));
  for (wchar_t ch : {L'\x0416', L'\x4E2D', L'\x00E4'}) PostMessageW(edit->GetHandle(), WM_CHAR, ch, 1);
  wintest::Pump();
  EXPECT_EQ(edit->GetText(), L"\x0416\x4E2D\x00E4");
}

// Typed as the keyboard types it: a key packet with the character, which the loop translates.
TEST_F(WideApplication, ACharacterAbove255TypedIntoAWideEditArrivesWhole) {
  wintest::ShownForm form;
  TUCodeEdit* edit = EmptyEditOn(form.Get(), 70);
  SetForegroundWindow(form->GetHandle());
  edit->SetFocus();
  wintest::Pump();
  ASSERT_EQ(GetFocus(), edit->GetHandle());
  INPUT keys[4] = {};
  const wchar_t typed[2] = {L'\x0416', L'\x4E2D'};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wScan = typed[i / 2];
    keys[i].ki.dwFlags = KEYEVENTF_UNICODE | (i % 2 ? KEYEVENTF_KEYUP : 0);
  }
  ASSERT_EQ(SendInput(4, keys, sizeof(INPUT)), 4u);
  wintest::Pump();
  EXPECT_EQ(edit->GetText(), L"\x0416\x4E2D");
}

// Sees the characters queued for one window and keeps Zhe (U+0416) from it.
struct CharWatcher {
  HWND wnd;
  std::vector<WPARAM> seen;
  void OnMessage(MSG& msg, bool& handled) {
    if (msg.message != WM_CHAR || msg.hwnd != wnd) return;
    seen.push_back(msg.wParam);
    handled = msg.wParam == 0x0416;
  }
};

TEST_F(WideApplication, TheApplicationsMessageEventSeesAWideCharacterFirstAndMayKeepIt) {
  wintest::ShownForm form;
  TUCodeEdit* edit = EmptyEditOn(form.Get(), 40);
  CharWatcher watcher{edit->GetHandle()};
  Application->OnMessage = TMessageEvent(&watcher, &CharWatcher::OnMessage);
  PostMessageW(edit->GetHandle(), WM_CHAR, 0x0416, 1);
  PostMessageW(edit->GetHandle(), WM_CHAR, 0x0436, 1);
  wintest::Pump();
  Application->OnMessage = TMessageEvent();
  EXPECT_EQ(watcher.seen, (std::vector<WPARAM>{0x0416, 0x0436}));
  EXPECT_EQ(edit->GetText(), L"\x0436");
}

}  // namespace
