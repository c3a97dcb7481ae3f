// Labels, buttons, check and radio boxes, scroll bars, group boxes, static texts, page
// controls, tab sheets and progress bars with wide captions, through their real windows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "WindowsTestSupport.h"
#include "ucode/UCodeComCtrls.h"
#include "ucode/UCodeStdCtrls.h"
#include "ucode/UCodeSystem.h"

// The library's own 8-bit controls.
using ComCtrls::TTabSheet;

using wintest::PlaceOn;
using wintest::WideTabText;
using wintest::WideWindowText;

namespace {

const std::wstring kCyrillic = L"\x0416\x0430\x0440";  // Жар: not in code page 1252
const std::wstring kChinese = L"\x4E2D\x6587";         // 中文

// CM_DIALOGCHAR as the form hands it to its controls, with the character packed as the layer
// packs characters above 255.
LRESULT DialogChar(TWinControl* target, wchar_t ch) {
  TMessage message{};
  message.Msg = WM_CHAR;
  message.WParam = ch;
  PackWMChar(message);
  return target->Perform(CM_DIALOGCHAR, message.WParam, 0);
}

TEST(WideCaptionControls, EveryKindShowsItsWideCaptionInAUnicodeWindow) {
  wintest::ShownForm form;
  auto* button = PlaceOn<TUCodeButton>(form.Get(), 10, 10, 100, 28);
  auto* check = PlaceOn<TUCodeCheckBox>(form.Get(), 10, 40, 100, 20);
  auto* radio = PlaceOn<TUCodeRadioButton>(form.Get(), 10, 65, 100, 20);
  auto* group = PlaceOn<TUCodeGroupBox>(form.Get(), 120, 10, 150, 80);
  auto* text = PlaceOn<TUCodeStaticText>(form.Get(), 10, 100, 100, 20);
  auto* scroll = PlaceOn<TUCodeScrollBar>(form.Get(), 10, 130, 150, 16);
  auto* label = PlaceOn<TUCodeLabel>(form.Get(), 10, 160, 100, 20);
  button->SetCaption(L"B " + kCyrillic);
  check->SetCaption(L"C " + kChinese);
  radio->SetCaption(L"R " + kCyrillic);
  group->SetCaption(L"G " + kChinese);
  text->SetCaption(L"S " + kCyrillic);
  label->SetCaption(L"L " + kChinese);
  wintest::Pump();
  for (TWinControl* control : std::initializer_list<TWinControl*>{button, check, radio, group, text, scroll})
    EXPECT_TRUE(IsWindowUnicode(control->GetHandle())) << control->ClassName();
  EXPECT_EQ(WideWindowText(button->GetHandle()), L"B " + kCyrillic);
  EXPECT_EQ(WideWindowText(check->GetHandle()), L"C " + kChinese);
  EXPECT_EQ(WideWindowText(radio->GetHandle()), L"R " + kCyrillic);
  EXPECT_EQ(WideWindowText(group->GetHandle()), L"G " + kChinese);
  EXPECT_EQ(WideWindowText(text->GetHandle()), L"S " + kCyrillic);
  EXPECT_EQ(label->GetCaption(), L"L " + kChinese);
  // The library's 8-bit captions hold the code page's substitutes.
  EXPECT_EQ(button->TControl::GetCaption(), "B ???");
  EXPECT_EQ(label->TControl::GetCaption(), "L ??");
  // A caption changed through the library counts from then on.
  label->TControl::SetCaption("neu");
  EXPECT_EQ(label->GetCaption(), L"neu");
  // Hints are wide too.
  scroll->SetHint(kCyrillic + L"|lang");
  EXPECT_EQ(WideGetShortHint(WideGetHint(scroll)), kCyrillic);
  // Captions survive a new window.
  button->RecreateWnd();
  group->RecreateWnd();
  wintest::Pump();
  EXPECT_EQ(WideWindowText(button->GetHandle()), L"B " + kCyrillic);
  EXPECT_EQ(group->GetCaption(), L"G " + kChinese);
}

TEST(WideCaptionControls, AcceleratorsOutsideTheCodePageAndWithUmlauts) {
  wintest::ShownForm form;
  auto* check = PlaceOn<TUCodeCheckBox>(form.Get(), 10, 10, 120, 20);
  check->SetCaption(L"&" + kCyrillic);  // Ж
  auto* button = PlaceOn<TUCodeButton>(form.Get(), 10, 40, 120, 28);
  button->SetCaption(L"Gr&\x00F6\x00DF" L"e");  // Grö: ö marked
  int clicks = 0;
  struct Counter : TObject {
    int* count;
    void Click(TObject*) { ++*count; }
  } counter;
  counter.count = &clicks;
  button->OnClick = TNotifyEvent(&counter, &Counter::Click);
  auto* edit = PlaceOn<TUCodeEdit>(form.Get(), 150, 10, 100, 24);
  auto* label = PlaceOn<TUCodeLabel>(form.Get(), 150, 40, 100, 20);
  label->SetCaption(L"&\x4E2D");
  label->SetFocusControl(edit);
  wintest::Pump();

  // Ж (lower case ж typed) focuses and toggles the check box.
  EXPECT_EQ(DialogChar(form.Get(), L'\x0436'), 1);
  EXPECT_TRUE(check->Focused());
  EXPECT_EQ(check->GetState(), cbChecked);
  // Ö typed as the code page's 8-bit character clicks the button.
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 0xD6, 0), 1);
  EXPECT_EQ(clicks, 1);
  // The label hands its accelerator to its focus control.
  EXPECT_EQ(DialogChar(form.Get(), L'\x4E2D'), 1);
  EXPECT_TRUE(edit->Focused());
  // A character no caption marks does nothing.
  EXPECT_EQ(DialogChar(form.Get(), L'\x0437'), 0);
  EXPECT_EQ(check->GetState(), cbChecked);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(IsWideCharAccel(L'a', L"&&b &A"));
  EXPECT_FALSE(IsWideCharAccel(L'b', L"&&b"));
}

TEST(WideCaptionControls, LabelAndStaticTextSizeToTheirWideCaption) {
  wintest::ShownForm form;
  auto* empty = PlaceOn<TUCodeLabel>(form.Get(), 10, 10, 10, 10);
  auto* filled = PlaceOn<TUCodeLabel>(form.Get(), 10, 40, 10, 10);
  empty->SetCaption(L"x");
  empty->SetCaption(L"");
  filled->SetCaption(kCyrillic);
  wintest::Pump();
  EXPECT_GT(empty->GetHeight(), 0);
  EXPECT_EQ(empty->GetHeight(), filled->GetHeight());
  EXPECT_GT(filled->GetWidth(), 0);

  auto* text = PlaceOn<TUCodeStaticText>(form.Get(), 10, 80, 10, 10);
  text->SetCaption(kChinese);
  int shortWidth = text->GetWidth();
  EXPECT_GT(shortWidth, 4);
  text->SetCaption(kChinese + kChinese + kChinese);
  EXPECT_GT(text->GetWidth(), shortWidth);
  EXPECT_EQ(text->GetLeft(), 10);
}

TEST(WidePageControls, TabsShowWideCaptionsAlsoAfterANewWindow) {
  wintest::ShownForm form;
  auto* pages = PlaceOn<TUCodePageControl>(form.Get(), 10, 10, 300, 200);
  auto* first = new TUCodeTabSheet(form.Get());
  first->SetPageControl(pages);
  first->SetCaption(L"&" + kCyrillic);
  auto* second = new TUCodeTabSheet(form.Get());
  second->SetPageControl(pages);
  second->SetCaption(L"&" + kChinese);
  auto* plain = new TTabSheet(form.Get());
  plain->SetPageControl(pages);
  plain->SetCaption("Gr\xF6\xDF" "e");
  auto* bar = PlaceOn<TUCodeProgressBar>(first, 10, 10, 200, 20);
  bar->SetMax(50);
  bar->SetPosition(20);
  pages->SetActivePage(first);
  wintest::Pump();
  EXPECT_TRUE(IsWindowUnicode(pages->GetHandle()));
  EXPECT_TRUE(IsWindowUnicode(bar->GetHandle()));
  EXPECT_EQ(WideTabText(pages->GetHandle(), 0), L"&" + kCyrillic);
  EXPECT_EQ(WideTabText(pages->GetHandle(), 1), L"&" + kChinese);
  EXPECT_EQ(WideTabText(pages->GetHandle(), 2), L"Gr\x00F6\x00DF" L"e");
  EXPECT_EQ(WideWindowText(first->GetHandle()), L"&" + kCyrillic);

  pages->RecreateWnd();
  bar->RecreateWnd();
  wintest::Pump();
  EXPECT_EQ(WideTabText(pages->GetHandle(), 0), L"&" + kCyrillic);
  EXPECT_EQ(WideTabText(pages->GetHandle(), 1), L"&" + kChinese);
  EXPECT_EQ(first->GetCaption(), L"&" + kCyrillic);
  EXPECT_EQ(bar->GetPosition(), 20);
  EXPECT_EQ(SendMessageW(bar->GetHandle(), PBM_GETPOS, 0, 0), 20);

  // A caption change reaches the tab.
  second->SetCaption(L"neu " + kCyrillic);
  EXPECT_EQ(WideTabText(pages->GetHandle(), 1), L"neu " + kCyrillic);
}

TEST(WidePageControls, AcceleratorOfAWideTabCaptionSwitchesToItsSheet) {
  wintest::ShownForm form;
  auto* pages = PlaceOn<TUCodePageControl>(form.Get(), 10, 10, 300, 200);
  auto* first = new TUCodeTabSheet(form.Get());
  first->SetPageControl(pages);
  first->SetCaption(L"&Eins");
  auto* second = new TUCodeTabSheet(form.Get());
  second->SetPageControl(pages);
  second->SetCaption(L"&" + kCyrillic);
  pages->SetActivePage(first);
  int changes = 0;
  struct Counter : TObject {
    int* count;
    void Change(TObject*) { ++*count; }
  } counter;
  counter.count = &changes;
  pages->OnChange = TNotifyEvent(&counter, &Counter::Change);
  wintest::Pump();
  EXPECT_EQ(DialogChar(pages, L'\x0436'), 1);
  EXPECT_EQ(pages->GetActivePage(), second);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(DialogChar(pages, L'x'), 0);
  EXPECT_EQ(pages->GetActivePage(), second);
}

TEST(WidePageControls, An8BitCaptionBeforeTheWindowBecomesTheWideCaption) {
  wintest::ShownForm form;
  auto* sheet = new TUCodeTabSheet(form.Get());
  sheet->SetCaption(kCyrillic);
  sheet->TControl::SetCaption("Stra\xDF" "e");
  EXPECT_EQ(sheet->GetCaption(), L"Stra\x00DF" L"e");
  EXPECT_EQ(sheet->TControl::GetCaption(), "Stra\xDF" "e");
  // The same 8-bit form as the wide caption leaves the wide caption alone.
  sheet->SetCaption(kCyrillic);
  sheet->TControl::SetCaption("???");
  EXPECT_EQ(sheet->GetCaption(), kCyrillic);
}

}  // namespace
