// The wide text and hint of controls, Unicode windows and their traps, wide hints and the
// backgrounds of wide windows over the library's own window class.
#include "ucode/UCodeControls.h"

#include <gtest/gtest.h>

#include <fstream>

#include "WindowsTestSupport.h"
#include "classlib/ExtCtrls.h"
#include "support/TestSupport.h"
#include "ucode/UCodeStdCtrls.h"
#include "ucode/UCodeSystem.h"

// The library's own 8-bit controls.
using StdCtrls::TGroupBox;
using StdCtrls::TLabel;

using wintest::PlaceOn;

namespace {

const std::wstring kGreek = L"\x03A9\x03BC\x03AD\x03B3\x03B1";  // Ωμέγα, not in code page 1252
const std::wstring kAlpha = L"\x4E2D";  // 中
const std::wstring kBeta = L"\x6587";   // 文: the same 8-bit form as kAlpha, "?"

// Wide windows over the library's own window class, as the wide panel and group box make them.
class TWidePanel : public ExtCtrls::TPanel {
  KX_COMPONENT(TWidePanel, ExtCtrls::TPanel)
 public:
  explicit TWidePanel(TComponent* owner) : ExtCtrls::TPanel(owner) {}
  void CreateWindowHandle(const TCreateParams& params) override { CreateUnicodeHandle(this, params, L""); }
};

class TWideGroupBox : public TGroupBox {
  KX_COMPONENT(TWideGroupBox, TGroupBox)
 public:
  explicit TWideGroupBox(TComponent* owner) : TGroupBox(owner) {}
  void CreateWindowHandle(const TCreateParams& params) override { CreateUnicodeHandle(this, params, L""); }
};

class TWidePlain : public TCustomControl {
  KX_COMPONENT(TWidePlain, TCustomControl)
 public:
  explicit TWidePlain(TComponent* owner) : TCustomControl(owner) {}
  void CreateWindowHandle(const TCreateParams& params) override { CreateUnicodeHandle(this, params, L""); }
};

// Counts the CM_TEXTCHANGED a control hears.
class TTextChangeCounter : public TObject {
 public:
  explicit TTextChangeCounter(TControl* control) : FControl(control), FPrevious(control->GetWindowProc()) {
    control->SetWindowProc(TWndMethod(this, &TTextChangeCounter::Hook));
  }
  ~TTextChangeCounter() override { FControl->SetWindowProc(FPrevious); }
  void Hook(TMessage& message) {
    if (message.Msg == CM_TEXTCHANGED) ++Count;
    FPrevious(message);
  }
  int Count = 0;

 private:
  TControl* FControl;
  TWndMethod FPrevious;
};

TEST(WideControlText, ControlsWithoutWindowFollowTheOneRule) {
  TComponent owner(nullptr);
  auto* label = new TLabel(&owner);
  WideSetControlText(label, kGreek);
  EXPECT_EQ(WideGetControlText(label), kGreek);
  EXPECT_EQ(label->GetCaption(), WideStringToStringEx(kGreek, 0));
  // Changed behind the layer's back: the 8-bit caption counts.
  label->SetCaption("plain");
  EXPECT_EQ(WideGetControlText(label), L"plain");

  // A wide text of the same 8-bit form as the current one still tells the control of a change.
  WideSetControlText(label, kAlpha);
  TTextChangeCounter counter(label);
  WideSetControlText(label, kBeta);
  EXPECT_EQ(WideGetControlText(label), kBeta);
  EXPECT_GE(counter.Count, 1);
  WideSetControlText(label, kBeta);  // no change: nothing
  EXPECT_EQ(WideGetControlText(label), kBeta);
}

TEST(WideControlText, HintsShortLongAndFromTheNearestParent) {
  wintest::ShownForm form;
  auto* panel = PlaceOn<TWidePanel>(form.Get(), 0, 0, 200, 100);
  auto* edit = PlaceOn<TUCodeEdit>(panel, 10, 10, 100, 24);
  WideSetControlHint(panel, kGreek + L"|long " + kAlpha);
  EXPECT_EQ(WideGetHint(edit), kGreek + L"|long " + kAlpha);
  EXPECT_EQ(WideGetShortHint(WideGetHint(edit)), kGreek);
  EXPECT_EQ(WideGetLongHint(WideGetHint(edit)), L"long " + kAlpha);
  EXPECT_EQ(WideGetShortHint(L"whole"), L"whole");
  EXPECT_EQ(WideGetLongHint(L"whole"), L"whole");
  edit->SetHint(kBeta);
  EXPECT_EQ(WideGetHint(edit), kBeta);
  EXPECT_EQ(edit->TControl::GetHint(), "?");
  edit->SetHintField("ascii");  // 8-bit hint changed behind the layer's back
  EXPECT_EQ(edit->GetHint(), L"ascii");
}

TEST(UnicodeWindows, TrapKeepsTheLibraryTalkingToTheWindow) {
  wintest::ShownForm form;
  auto* edit = PlaceOn<TUCodeEdit>(form.Get(), 10, 10, 150, 24);
  HWND wnd = edit->GetHandle();
  EXPECT_TRUE(IsWindowUnicode(wnd));
  EXPECT_EQ(FindControl(wnd), edit);
  // The library's 8-bit text messages, performed on the control, reach the Unicode window.
  edit->TControl::SetText("abc");
  EXPECT_EQ(edit->GetText(), L"abc");
  edit->SetText(kGreek);
  wchar_t buffer[32] = {};
  GetWindowTextW(wnd, buffer, 32);
  EXPECT_EQ(std::wstring(buffer), kGreek);
  EXPECT_EQ(edit->TControl::GetText(), WideStringToStringEx(kGreek, 0));
  EXPECT_EQ(edit->TControl::GetTextLen(), 5);
}

TEST(UnicodeWindows, RecreatingKeepsWideTextAndHint) {
  wintest::ShownForm form;
  auto* edit = PlaceOn<TUCodeEdit>(form.Get(), 10, 10, 150, 24);
  edit->SetText(kGreek);
  edit->SetHint(kAlpha + L"|" + kBeta);
  HWND first = edit->GetHandle();
  edit->RecreateWnd();
  ASSERT_TRUE(edit->HandleAllocated());
  EXPECT_NE(edit->GetHandle(), first);
  EXPECT_TRUE(IsWindowUnicode(edit->GetHandle()));
  EXPECT_EQ(edit->GetText(), kGreek);
  EXPECT_EQ(edit->GetHint(), kAlpha + L"|" + kBeta);
  // A text set while the window is gone reaches the next window.
  edit->DestroyHandle();
  edit->SetText(kBeta + L"x");
  EXPECT_EQ(edit->GetText(), kBeta + L"x");
  edit->HandleNeeded();
  EXPECT_EQ(edit->GetText(), kBeta + L"x");
}

TEST(UnicodeWindows, ChainedWindowProcStaysInFrontOfTheTrap) {
  wintest::ShownForm form;
  auto* edit = PlaceOn<TUCodeEdit>(form.Get(), 10, 10, 150, 24);
  edit->HandleNeeded();
  wintest::MessageRecorder recorder(edit);
  edit->RecreateWnd();  // the trap finds the recorder in front and hooks behind it only once
  SendMessageW(edit->GetHandle(), WM_CHAR, 0x4E2D, 1);
  EXPECT_EQ(edit->GetText(), kAlpha);
  EXPECT_GE(recorder.Count(WM_CHAR), 1);
}

// The control frees itself from its own key handler, while its window is in the middle of the
// key message.
class TSelfFreeing : public TObject {
 public:
  void KeyPress(TObject* sender, char& key) {
    static_cast<TControl*>(sender)->Free();
    key = 0;
    ++Freed;
  }
  int Freed = 0;
};

TEST(UnicodeWindows, ControlFreedWhileOneOfItsMessagesRuns) {
  wintest::ShownForm form;
  auto* edit = PlaceOn<TUCodeEdit>(form.Get(), 10, 10, 150, 24);
  TSelfFreeing handler;
  edit->OnKeyPress = TKeyPressEvent(&handler, &TSelfFreeing::KeyPress);
  HWND wnd = edit->GetHandle();
  SendMessageW(wnd, WM_CHAR, 0x03B1, 1);
  EXPECT_EQ(handler.Freed, 1);
  EXPECT_FALSE(IsWindow(wnd));
  // The layer goes on working for the next control.
  auto* other = PlaceOn<TUCodeEdit>(form.Get(), 10, 40, 150, 24);
  SendMessageW(other->GetHandle(), WM_CHAR, 0x6587, 1);
  EXPECT_EQ(other->GetText(), kBeta);
}

TEST(UnicodeWindows, CommonControlNeedsAClassAndWindowsNeedUnicode) {
  wintest::ShownForm form;
  auto* edit = PlaceOn<TUCodeEdit>(form.Get(), 10, 10, 150, 24);
  TCreateParams params;
  EXPECT_THROW(CreateUnicodeHandle_ComCtl(edit, params, L""), EUCodeInternalError);
  // An 8-bit window cannot be subclassed as a Unicode one.
  auto* plain = PlaceOn<StdCtrls::TEdit>(form.Get(), 10, 40, 150, 24);
  plain->HandleNeeded();
  EXPECT_FALSE(IsWindowUnicode(plain->GetHandle()));
  EXPECT_THROW(SubClassUnicodeControl(plain, ""), EUCodeInternalError);
}

TEST(WMCharPacking, CharactersAbove255TravelInTheHighWord) {
  TMessage message;
  message.Msg = WM_CHAR;
  message.WParam = 0x03A9;
  PackWMChar(message);
  EXPECT_EQ(message.WParam, static_cast<WPARAM>(MAKEWPARAM(0xFF, 0x03A9)));
  EXPECT_EQ(GetWideCharFromWMCharMsg(message), L'\x03A9');
  UnpackWMChar(message);
  EXPECT_EQ(message.WParam, 0x03A9u);
  // A key handler that replaced the character keeps its replacement.
  PackWMChar(message);
  message.WParam = (message.WParam & 0xFFFF0000) | 'x';
  UnpackWMChar(message);
  EXPECT_EQ(message.WParam, static_cast<WPARAM>('x'));
  message.WParam = 'a';
  PackWMChar(message);
  EXPECT_EQ(message.WParam, static_cast<WPARAM>('a'));
  SetWideCharForWMCharMsg(message, L'\x0142');
  EXPECT_EQ(GetWideCharFromWMCharMsg(message), L'\x0142');
  message.WParam = MAKEWPARAM(1, 1);
  EXPECT_THROW(PackWMChar(message), EUCodeInternalError);
}

TEST(WideHints, HintShowAsksForTheWideHintWindow) {
  wintest::ShownForm form;
  auto* panel = PlaceOn<TWidePanel>(form.Get(), 0, 0, 200, 100);
  auto* edit = PlaceOn<TUCodeEdit>(panel, 10, 10, 100, 24);
  panel->HandleNeeded();
  WideSetControlHint(panel, kGreek + L"|the long part");
  THintInfo info;
  info.HintControl = edit;
  info.HintWindowClass = THintWindow::StaticClass();
  info.HintStr = "8-bit";
  edit->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.HintWindowClass, TUCodeCustomHintWindow::StaticClass());
  EXPECT_EQ(info.HintData, &info);
  EXPECT_EQ(info.HintStr, WideStringToStringEx(kGreek, 0));

  // The hint window shows the wide short hint in a Unicode window.
  auto* window = static_cast<THintWindow*>(info.HintWindowClass->Create(form.Get()));
  RECT rect = window->CalcHintRect(400, info.HintStr, info.HintData);
  EXPECT_GT(rect.right, 6);
  EXPECT_GT(rect.bottom, 2);
  OffsetRect(&rect, 50, 50);
  window->ActivateHintData(rect, info.HintStr, info.HintData);
  EXPECT_TRUE(IsWindowUnicode(window->GetHandle()));
  EXPECT_EQ(WideGetControlText(window), kGreek);
  window->ReleaseHandle();

  // Another hint-window class is left alone.
  THintInfo other;
  other.HintControl = edit;
  other.HintWindowClass = TForm::StaticClass();
  other.HintStr = "kept";
  edit->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&other));
  EXPECT_EQ(other.HintWindowClass, TForm::StaticClass());
  EXPECT_EQ(other.HintStr, "kept");
}

TEST(WideBackgrounds, WideWindowsOfTheLibrarysOwnClassEraseTheirBackground) {
  wintest::ShownForm form(420, 160);
  auto* panel = PlaceOn<TWidePanel>(form.Get(), 10, 10, 120, 120);
  panel->SetColor(RGB(200, 30, 40));
  panel->SetBevelOuter(bvNone);
  auto* group = PlaceOn<TWideGroupBox>(form.Get(), 150, 10, 120, 120);
  group->SetColor(RGB(30, 160, 60));
  group->SetParentColor(false);
  auto* plain = PlaceOn<TWidePlain>(form.Get(), 290, 10, 120, 120);
  plain->SetColor(RGB(40, 60, 190));
  plain->SetParentColor(false);
  wintest::Pump();
  for (TWinControl* control : {static_cast<TWinControl*>(panel), static_cast<TWinControl*>(group),
                               static_cast<TWinControl*>(plain)}) {
    EXPECT_TRUE(IsWindowUnicode(control->GetHandle()));
    EXPECT_TRUE(control->GetOwnWindowClass());
    RedrawWindow(control->GetHandle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  wintest::Pump();
  int width = 0, height = 0;
  std::vector<uint8_t> rgb = wintest::CaptureWindow(form->GetHandle(), width, height);
  RECT frame;
  GetWindowRect(form->GetHandle(), &frame);
  std::ofstream(testsupport::ExeFolder() + "ucode-backgrounds.png", std::ios::binary)
      << wintest::EncodePng(width, height, rgb);
  std::ofstream points(testsupport::ExeFolder() + "ucode-backgrounds.txt");
  for (TWinControl* control : {static_cast<TWinControl*>(panel), static_cast<TWinControl*>(group),
                               static_cast<TWinControl*>(plain)}) {
    POINT inside = control->ClientToScreen(POINT{control->GetWidth() / 2, control->GetHeight() - 20});
    int x = inside.x - frame.left, y = inside.y - frame.top;
    TColor colour = control->GetColor();
    const uint8_t* pixel = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    EXPECT_NEAR(pixel[0], GetRValue(colour), 8) << control->ClassName();
    EXPECT_NEAR(pixel[1], GetGValue(colour), 8) << control->ClassName();
    EXPECT_NEAR(pixel[2], GetBValue(colour), 8) << control->ClassName();
    points << x << ' ' << y << ' ' << int(GetRValue(colour)) << ' ' << int(GetGValue(colour)) << ' '
           << int(GetBValue(colour)) << '\n';
  }
}

TEST(WideListTargets, WideTargetsGetWideItemsOthersTheir8BitForm) {
  wintest::ShownForm form;
  auto* wide = PlaceOn<TUCodeListBox>(form.Get(), 10, 10, 100, 80);
  auto* plain = PlaceOn<StdCtrls::TListBox>(form.Get(), 120, 10, 100, 80);
  TObject marker;
  WideAddListItem(wide, kGreek, &marker);
  WideAddListItem(plain, kGreek, &marker);
  EXPECT_EQ(wide->GetItems()->Get(0), kGreek);
  EXPECT_EQ(wide->GetItems()->GetObject(0), &marker);
  EXPECT_EQ(plain->GetItems()->Get(0), WideStringToStringEx(kGreek, 0));
  EXPECT_EQ(plain->GetItems()->GetObject(0), &marker);
}

}  // namespace
