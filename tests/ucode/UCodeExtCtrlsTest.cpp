// The wide panel, image and splitter through their real windows: the panel's wide caption drawn
// on the screen (read back by Pillow), wide hints, the image's picture and the splitter dragged
// with mouse messages.
#include "ucode/UCodeExtCtrls.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

#include "WindowsTestSupport.h"
#include "classlib/ScopedHandles.h"
#include "support/TestSupport.h"
#include "ucode/UCodeSystem.h"

namespace {

// Cyrillic and Greek: not in code page 1252.
const std::wstring kCaption = L"\x0416\x0451\x043B\x0442\x044B\x0439 \x03A9\x03BC\x03AD\x03B3\x03B1";

using wintest::PlaceOn;

// A white panel with black text, caption at its left edge and no bevel.
template <class Panel>
Panel* PlainPanel(TWinControl* parent, int left, int top) {
  auto* panel = PlaceOn<Panel>(parent, left, top, 260, 40);
  panel->SetColor(RGB(255, 255, 255));
  panel->SetBevelOuter(bvNone);
  panel->SetAlignment(taLeftJustify);
  panel->GetFont()->SetColor(RGB(0, 0, 0));
  panel->GetFont()->SetSize(12);
  return panel;
}

void Mouse(HWND wnd, UINT msg, int x, int y) {
  SendMessageW(wnd, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

}  // namespace

TEST(WidePanel, ItsCaptionIsTheTextOfAUnicodeWindowAndSurvivesANewWindow) {
  wintest::ShownForm form;
  auto* panel = PlaceOn<TUCodePanel>(form.Get(), 10, 10, 200, 40);
  panel->SetCaption(kCaption);
  EXPECT_EQ(panel->TControl::GetCaption(), WideStringToStringEx(kCaption, 0));
  panel->HandleNeeded();
  EXPECT_TRUE(IsWindowUnicode(panel->GetHandle()));
  EXPECT_EQ(wintest::WideWindowText(panel->GetHandle()), kCaption);
  panel->SetHint(L"\x03A9|long");
  panel->RecreateWnd();
  panel->HandleNeeded();
  EXPECT_EQ(wintest::WideWindowText(panel->GetHandle()), kCaption);
  EXPECT_EQ(panel->GetCaption(), kCaption);
  EXPECT_EQ(panel->GetHint(), L"\x03A9|long");
}

// The screenshot holds a panel with the wide caption, one of the library's 8-bit panels with the
// caption's 8-bit form and a wide panel without caption; beside it lie the reference drawing of
// the caption and the panels' places (check_panels.py reads them).
TEST(WidePanel, DrawsItsWideCaptionOnTheScreen) {
  wintest::ShownForm form(300, 170);
  auto* wide = PlainPanel<TUCodePanel>(form.Get(), 10, 10);
  wide->SetCaption(kCaption);
  auto* narrow = PlainPanel<ExtCtrls::TPanel>(form.Get(), 10, 60);
  narrow->SetCaption(WideStringToStringEx(kCaption, 0));
  auto* empty = PlainPanel<TUCodePanel>(form.Get(), 10, 110);
  empty->SetBevelOuter(bvLowered);
  empty->SetCaption(L"");
  wintest::Pump();
  for (TWinControl* panel : std::initializer_list<TWinControl*>{wide, narrow, empty})
    RedrawWindow(panel->GetHandle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  wintest::Pump();

  int width = 0, height = 0;
  std::vector<uint8_t> rgb = wintest::CaptureWindow(form->GetHandle(), width, height);
  const std::string folder = testsupport::ExeFolder();
  std::ofstream(folder + "ucode-panels.png", std::ios::binary) << wintest::EncodePng(width, height, rgb);
  std::vector<uint8_t> reference = wintest::DrawnText(wide->GetFont()->GetHandle(), kCaption, 260, 40);
  std::ofstream(folder + "ucode-panels-reference.png", std::ios::binary) << wintest::EncodePng(260, 40, reference);
  RECT frame;
  GetWindowRect(form->GetHandle(), &frame);
  std::ofstream places(folder + "ucode-panels.txt");
  for (auto [name, panel] : {std::pair<const char*, TWinControl*>{"wide", wide}, {"narrow", narrow}, {"empty", empty}}) {
    POINT at = panel->ClientToScreen(POINT{0, 0});
    places << name << ' ' << at.x - frame.left << ' ' << at.y - frame.top << ' ' << panel->GetWidth() << ' '
           << panel->GetHeight() << '\n';
  }
  // The caption is in the window: some of the wide panel's pixels are the text's.
  POINT at = wide->ClientToScreen(POINT{0, 0});
  int dark = 0;
  for (int y = 0; y < wide->GetHeight(); ++y)
    for (int x = 0; x < wide->GetWidth(); ++x)
      if (rgb[((static_cast<size_t>(at.y - frame.top + y)) * width + (at.x - frame.left + x)) * 3] < 100) ++dark;
  EXPECT_GT(dark, 20);
}

TEST(WideImage, HoldsTheLayersPictureThatStillSizesAndRepaintsTheImage) {
  wintest::ShownForm form;
  auto* image = PlaceOn<TUCodeImage>(form.Get(), 10, 10, 20, 20);
  ASSERT_NE(image->GetPicture(), nullptr);
  EXPECT_TRUE(image->GetPicture()->InheritsFrom(TUCodePicture::StaticClass()));
  image->SetAutoSize(true);
  TBitmap bitmap;
  bitmap.SetWidth(64);
  bitmap.SetHeight(48);
  bitmap.GetCanvas()->GetBrush()->SetColor(RGB(10, 200, 30));
  RECT all{0, 0, 64, 48};
  bitmap.GetCanvas()->FillRect(all);
  image->GetPicture()->Assign(&bitmap);  // the picture's change reaches the image
  EXPECT_EQ(image->GetWidth(), 64);
  EXPECT_EQ(image->GetHeight(), 48);
  wintest::Pump();
  RedrawWindow(form->GetHandle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = GetDC(form->GetHandle());
  COLORREF shown = GetPixel(dc, 40, 30);
  ReleaseDC(form->GetHandle(), dc);
  EXPECT_EQ(shown, RGB(10, 200, 30));
}

TEST(WideHints, ImageSplitterAndPanelShowWideHints) {
  wintest::ShownForm form;
  auto* panel = PlaceOn<TUCodePanel>(form.Get(), 0, 0, 300, 200);
  auto* image = PlaceOn<TUCodeImage>(panel, 10, 10, 50, 50);
  auto* splitter = PlaceOn<TUCodeSplitter>(panel, 100, 0, 5, 200);
  image->SetHint(kCaption + L"|long");
  splitter->SetHint(L"\x03A3");
  panel->SetHint(L"\x0416");
  panel->HandleNeeded();
  struct Case {
    TControl* control;
    std::wstring shown;
  };
  for (const Case& c : {Case{image, kCaption}, Case{splitter, L"\x03A3"}, Case{panel, L"\x0416"}}) {
    THintInfo info;
    info.HintControl = c.control;
    info.HintWindowClass = THintWindow::StaticClass();
    c.control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.HintWindowClass, TUCodeCustomHintWindow::StaticClass()) << c.control->ClassName();
    EXPECT_EQ(info.HintStr, WideStringToStringEx(c.shown, 0)) << c.control->ClassName();
    auto* window = static_cast<THintWindow*>(info.HintWindowClass->Create(form.Get()));
    RECT rect = window->CalcHintRect(400, info.HintStr, info.HintData);
    OffsetRect(&rect, 50, 50);
    window->ActivateHintData(rect, info.HintStr, info.HintData);
    EXPECT_EQ(wintest::WideWindowText(window->GetHandle()), c.shown) << c.control->ClassName();
    window->ReleaseHandle();
    window->Free();
  }
}

TEST(WideSplitter, DraggedWithTheMouseItResizesItsNeighbourInAWidePanel) {
  wintest::ShownForm form;
  auto* host = PlaceOn<TUCodePanel>(form.Get(), 0, 0, 300, 200);
  auto* left = PlaceOn<TUCodePanel>(host, 0, 0, 100, 200);
  left->SetAlign(alLeft);
  auto* splitter = PlaceOn<TUCodeSplitter>(host, 150, 0, 3, 200);
  splitter->SetAlign(alLeft);
  ASSERT_EQ(splitter->GetLeft(), left->GetLeft() + 100);
  ASSERT_TRUE(IsWindowUnicode(host->GetHandle()));
  const int x = splitter->GetLeft() + 1, y = 50;
  HWND wnd = host->GetHandle();
  Mouse(wnd, WM_LBUTTONDOWN, x, y);
  Mouse(wnd, WM_MOUSEMOVE, x + 40, y);
  Mouse(wnd, WM_LBUTTONUP, x + 40, y);
  EXPECT_EQ(left->GetWidth(), 140);
  EXPECT_EQ(splitter->GetLeft(), left->GetLeft() + 140);
  // Not below its minimum size.
  Mouse(wnd, WM_LBUTTONDOWN, splitter->GetLeft() + 1, y);
  Mouse(wnd, WM_MOUSEMOVE, 0, y);
  Mouse(wnd, WM_LBUTTONUP, 0, y);
  EXPECT_EQ(left->GetWidth(), splitter->GetMinSize());
}
