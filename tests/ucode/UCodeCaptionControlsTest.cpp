// Labels, buttons, check and radio boxes, scroll bars, group boxes, static texts, page
// controls, tab sheets and progress bars with wide captions, through their real windows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <fstream>

#include "WindowsTestSupport.h"
#include "support/TestSupport.h"
#include "classlib/Forms.h"
#include "ucode/UCodeComCtrls.h"
#include "ucode/UCodeExtCtrls.h"
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

// Counts the clicks of the buttons it is given.
struct ClickCounter : TObject {
  int count = 0;
  void Click(TObject*) { ++count; }
};

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
  ClickCounter clicks;
  button->OnClick = TNotifyEvent(&clicks, &ClickCounter::Click);
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
  EXPECT_EQ(clicks.count, 1);
  // The label hands its accelerator to its focus control.
  EXPECT_EQ(DialogChar(form.Get(), L'\x4E2D'), 1);
  EXPECT_TRUE(edit->Focused());
  // A character no caption marks does nothing.
  EXPECT_EQ(DialogChar(form.Get(), L'\x0437'), 0);
  EXPECT_EQ(check->GetState(), cbChecked);
  EXPECT_EQ(clicks.count, 1);
  EXPECT_TRUE(IsWideCharAccel(L'a', L"&&b &A"));
  EXPECT_FALSE(IsWideCharAccel(L'b', L"&&b"));
}

// A key's 8-bit code reaches the hot-key test as the key gave it and is read there once,
// through the keyboard's code page; a packed character arrives whole.
TEST(WideCaptionControls, AnEightBitKeyIsReadOnceThroughTheKeyboardsCodePage) {
  wintest::ShownForm form;
  auto* button = PlaceOn<TUCodeButton>(form.Get(), 10, 10, 120, 28);
  ClickCounter clicks;
  button->OnClick = TNotifyEvent(&clicks, &ClickCounter::Click);
  for (WORD code : {WORD{0x8A}, WORD{0xC4}, WORD{0x80}}) {
    SCOPED_TRACE(code);
    const wchar_t keyboardChar = KeyUnicode(code);
    button->SetCaption(std::wstring(L"&") + keyboardChar + L"x");
    TMessage message{};
    message.Msg = CM_DIALOGCHAR;
    message.WParam = code;
    EXPECT_EQ(DialogCharOf(message), static_cast<wchar_t>(code));
    const int before = clicks.count;
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, code, 0), 1);
    EXPECT_EQ(clicks.count, before + 1);
  }
  TMessage packed{};
  packed.Msg = WM_CHAR;
  packed.WParam = L'\x0416';
  PackWMChar(packed);
  EXPECT_EQ(DialogCharOf(packed), L'\x0416');
}

// A wrapped label with an ellipsis whose empty wide caption does not fit its height draws
// nothing, in every ellipsis mode; the same label draws a caption that fits.
TEST(WideCaptionControls, EmptyWrappedCaptionsDrawNothingInEveryEllipsisMode) {
  wintest::ShownForm form;
  wintest::ExpectEmptyWrappedCaptionsDrawNothing(PlaceOn<TUCodeLabel>(form.Get(), 10, 10, 80, 40), kCyrillic);
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

// The screenshot of a disabled label, a word-wrapped label with end ellipsis whose words do not
// all fit, and a group box, each with a wide caption; beside it lie the system's own drawings of
// the texts they may show (one row each) and their places (check_labels.py reads them).
TEST(WideCaptionControls, DisabledAndShortenedLabelsAndGroupBoxesDrawTheirWideCaptions) {
  const std::wstring word = L"\x0416\x0451\x043B\x0442\x044B\x0439";  // Жёлтый
  wintest::ShownForm form(420, 320);
  form->SetColor(RGB(255, 255, 255));
  auto* disabled = PlaceOn<TUCodeLabel>(form.Get(), 10, 10, 10, 10);
  disabled->SetColor(RGB(0, 0, 160));
  disabled->GetFont()->SetSize(16);
  disabled->SetCaption(word);
  disabled->SetEnabled(false);

  auto* shortened = PlaceOn<TUCodeLabel>(form.Get(), 10, 60, 10, 10);
  shortened->GetFont()->SetSize(12);
  shortened->GetFont()->SetColor(RGB(0, 0, 0));
  shortened->SetColor(RGB(255, 255, 255));
  shortened->SetCaption(word);  // auto-sized: one line high
  const int lineHeight = shortened->GetHeight();
  const int wordWidth = shortened->GetWidth();
  shortened->SetAutoSize(false);
  shortened->SetWordWrap(true);
  shortened->SetEllipsisPosition(epEndEllipsis);
  shortened->SetBounds(10, 60, wordWidth * 5 / 2, lineHeight);
  std::wstring caption = word;
  for (int i = 1; i < 5; ++i) caption += L" " + word;
  shortened->SetCaption(caption);

  auto* group = PlaceOn<TUCodeGroupBox>(form.Get(), 10, 110, 260, 120);
  group->GetFont()->SetSize(12);
  group->GetFont()->SetColor(RGB(0, 0, 0));
  group->SetColor(RGB(255, 255, 255));
  group->SetCaption(word);
  wintest::Pump();
  RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  wintest::Pump();

  int width = 0, height = 0;
  std::vector<uint8_t> rgb = wintest::CaptureWindow(form->GetHandle(), width, height);
  const std::string folder = testsupport::ExeFolder();
  std::ofstream(folder + "ucode-labels.png", std::ios::binary) << wintest::EncodePng(width, height, rgb);
  // The texts that may show, one row of 40 pixels each: the disabled label's caption, the
  // shortened label's first one to four words followed by "...", the group box's caption.
  std::vector<std::pair<HFONT, std::wstring>> rows{{disabled->GetFont()->GetHandle(), word}};
  std::wstring words = word;
  for (int i = 1; i <= 4; ++i, words += L" " + word) rows.push_back({shortened->GetFont()->GetHandle(), words + L"..."});
  rows.push_back({group->GetFont()->GetHandle(), word});
  std::vector<uint8_t> reference;
  for (const auto& [font, text] : rows) {
    std::vector<uint8_t> row = wintest::DrawnText(font, text, 400, 40);
    reference.insert(reference.end(), row.begin(), row.end());
  }
  std::ofstream(folder + "ucode-labels-reference.png", std::ios::binary)
      << wintest::EncodePng(400, 40 * static_cast<int>(rows.size()), reference);
  RECT frame;
  GetWindowRect(form->GetHandle(), &frame);
  POINT client = form->ClientToScreen(POINT{0, 0});
  std::ofstream places(folder + "ucode-labels.txt");
  for (auto [name, control] : {std::pair<const char*, TControl*>{"disabled", disabled}, {"shortened", shortened},
                               {"group", group}})
    places << name << ' ' << client.x - frame.left + control->GetLeft() << ' ' << client.y - frame.top + control->GetTop()
           << ' ' << control->GetWidth() << ' ' << control->GetHeight() << '\n';
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  places << "shadow " << int(GetRValue(shadow)) << ' ' << int(GetGValue(shadow)) << ' ' << int(GetBValue(shadow)) << '\n'
         << "highlight " << int(GetRValue(highlight)) << ' ' << int(GetGValue(highlight)) << ' '
         << int(GetBValue(highlight)) << '\n';
  EXPECT_EQ(shortened->GetHeight(), lineHeight);
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

// Docking into a wide page control: each client gets a wide sheet of its own.
TEST(WidePageControls, DockedClientsGetWideSheetsThatFollowTheirTexts) {
  wintest::ShownForm form(500, 360);
  auto* pages = PlaceOn<TUCodePageControl>(form.Get(), 10, 10, 400, 300);
  auto* first = new TUCodeTabSheet(form.Get());
  first->SetPageControl(pages);
  first->SetCaption(L"Eins");
  pages->SetActivePage(first);
  pages->SetDockSite(true);

  // A form: its wide caption names the tab, which shows as the form does.
  auto* notes = new TForm(form.Get());
  WideSetControlText(notes, kCyrillic + L" " + kChinese);
  notes->ManualDock(pages);
  ASSERT_EQ(pages->GetPageCount(), 2);
  auto* notesSheet = dynamic_cast<TUCodeTabSheet*>(pages->GetPage(1));
  ASSERT_NE(notesSheet, nullptr);
  EXPECT_EQ(notes->GetParent(), notesSheet);
  EXPECT_EQ(notes->GetHostDockSite(), pages);
  EXPECT_FALSE(notesSheet->GetTabVisible());
  EXPECT_EQ(pages->GetActivePage(), first);
  notes->Show();
  wintest::Pump();
  ASSERT_EQ(SendMessageW(pages->GetHandle(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(WideTabText(pages->GetHandle(), 1), kCyrillic + L" " + kChinese);
  // Its later caption shows up to the line break.
  notes->SetCaption("K\xFC" "che\r\nzweite Zeile");
  EXPECT_EQ(WideTabText(pages->GetHandle(), 1), L"K\x00FC" L"che");
  EXPECT_EQ(notesSheet->GetCaption(), L"K\x00FC" L"che");

  // Any other control gets a sheet too, becomes the active page and fills it; its wide text
  // changes reach the tab whole.
  auto* panel = new TUCodePanel(form.Get());
  panel->SetCaption(L"ohne Titel");
  panel->ManualDock(pages);
  ASSERT_EQ(pages->GetPageCount(), 3);
  EXPECT_EQ(panel->GetHostDockSite(), pages);
  TTabSheet* panelSheet = pages->GetPage(2);
  EXPECT_EQ(panel->GetParent(), panelSheet);
  EXPECT_EQ(pages->GetActivePage(), panelSheet);
  EXPECT_EQ(SendMessageW(pages->GetHandle(), TCM_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(WideTabText(pages->GetHandle(), 2), L"");
  wintest::Pump();
  RECT sheetArea{}, panelArea{};
  GetClientRect(panelSheet->GetHandle(), &sheetArea);
  GetWindowRect(panel->GetHandle(), &panelArea);
  EXPECT_EQ(panel->GetAlign(), alClient);
  EXPECT_EQ(panelArea.right - panelArea.left, sheetArea.right);
  EXPECT_EQ(panelArea.bottom - panelArea.top, sheetArea.bottom);
  panel->SetCaption(kChinese + L"\n" + kCyrillic);
  EXPECT_EQ(WideTabText(pages->GetHandle(), 2), kChinese);
  // The wide page control answers a client it took with 0, as every dock site does.
  auto* memo = new TUCodeMemo(form.Get());
  TDockClientInfo info;
  info.Control = memo;
  EXPECT_EQ(pages->Perform(CM_DOCKCLIENT, reinterpret_cast<WPARAM>(memo), reinterpret_cast<LPARAM>(&info)), 0);
  ASSERT_EQ(pages->GetPageCount(), 4);
  EXPECT_EQ(memo->GetParent(), pages->GetPage(3));
  EXPECT_EQ(pages->GetActivePage(), pages->GetPage(3));
  pages->SetActivePage(panelSheet);

  // New windows keep the tabs.
  pages->RecreateWnd();
  wintest::Pump();
  EXPECT_EQ(WideTabText(pages->GetHandle(), 0), L"Eins");
  EXPECT_EQ(WideTabText(pages->GetHandle(), 1), L"K\x00FC" L"che");
  EXPECT_EQ(WideTabText(pages->GetHandle(), 2), kChinese);
  EXPECT_EQ(pages->GetActivePage(), panelSheet);
  EXPECT_EQ(SendMessageW(pages->GetHandle(), TCM_GETCURSEL, 0, 0), 2);
}

}  // namespace
