// Timers, panels, images, labelled edits, bitmap buttons and owner-drawn and virtual lists.
#include <gtest/gtest.h>

#include <stdexcept>

#include "WindowsTestSupport.h"
#include "classlib/Buttons.h"
#include "classlib/ExtCtrls.h"
#include "classlib/StdCtrls.h"

// The library's own 8-bit controls.
using StdCtrls::TLabel;
using StdCtrls::TEdit;
using StdCtrls::TListBox;
using ExtCtrls::TImage;
using ExtCtrls::TPanel;

using wintest::Pump;
using wintest::ShownForm;

namespace {

class Recorder : public TObject {
 public:
  std::vector<std::string> log;
  void Changed(TObject*) { log.push_back("changed"); }
  void Data(TWinControl*, int index, std::string& text) { text = "row " + std::to_string(index); }
  void Draw(TWinControl*, int index, const RECT&, TOwnerDrawState) { log.push_back("draw " + std::to_string(index)); }
  void Key(TObject*, char& key) {
    log.push_back(std::string("form ") + key);
    if (key == 'x') key = '\0';
  }
};

// An image that swaps its picture for one of its own class, as a derived control may.
class OwnPicture : public TPicture {};
class SwappingImage : public TImage {
 public:
  using TImage::TImage;
  void Swap() { ReplacePicture(new OwnPicture); }
};

}  // namespace

TEST(OwnerDataLists, AVirtualListBoxAnswersItsTextQueriesFromOnData) {
  ShownForm form;
  Recorder recorder;
  TListBox* list = new TListBox(form.Get());
  list->SetStyle(lbVirtual);
  list->OnData = TLBGetDataEvent(&recorder, &Recorder::Data);
  list->SetParent(form.Get());
  list->SetCount(1000);
  EXPECT_EQ(list->GetCount(), 1000);
  EXPECT_EQ(SendMessageA(list->GetHandle(), LB_GETTEXTLEN, 7, 0), 5);
  std::string buffer(16, '\0');
  SendMessageA(list->GetHandle(), LB_GETTEXT, 42, reinterpret_cast<LPARAM>(buffer.data()));
  EXPECT_STREQ(buffer.c_str(), "row 42");
  EXPECT_EQ(SendMessageA(list->GetHandle(), LB_GETTEXTLEN, 1000, 0), LB_ERR);
  TListBox plain(nullptr);
  EXPECT_THROW(plain.SetCount(3), EInvalidOperation);
}

TEST(OwnerDataLists, OwnerDrawnListBoxesDrawTheirItemsThroughOnDrawItem) {
  ShownForm form;
  Recorder recorder;
  TListBox* list = new TListBox(form.Get());
  list->SetStyle(lbOwnerDrawFixed);
  list->GetItems()->SetText("first\nsecond");
  list->OnDrawItem = TDrawItemEvent(&recorder, &Recorder::Draw);
  list->SetParent(form.Get());
  list->SetBounds(10, 10, 120, 80);
  UpdateWindow(list->GetHandle());
  Pump();
  EXPECT_NE(std::find(recorder.log.begin(), recorder.log.end(), "draw 1"), recorder.log.end());
}

TEST(Images, PictureChangesReachTheImageAlsoAfterItsPictureIsReplaced) {
  SwappingImage image(nullptr);
  Recorder recorder;
  image.SetAutoSize(true);
  TBitmap bitmap;
  bitmap.SetSize(40, 30);
  image.GetPicture()->SetGraphic(&bitmap);
  EXPECT_EQ(image.GetWidth(), 40);
  EXPECT_EQ(image.GetHeight(), 30);
  image.Swap();
  EXPECT_NE(dynamic_cast<OwnPicture*>(image.GetPicture()), nullptr);
  EXPECT_EQ(image.GetPicture()->GetWidth(), 40);  // the old picture's graphic was taken over
  bitmap.SetSize(64, 16);
  image.GetPicture()->SetGraphic(&bitmap);
  EXPECT_EQ(image.GetWidth(), 64);
}

TEST(Timers, ADisabledTimerStaysQuietUntilEnabled) {
  TTimer timer(nullptr);
  Recorder recorder;
  timer.SetEnabled(false);
  timer.SetInterval(5);
  timer.SetOnTimer(TNotifyEvent(&recorder, &Recorder::Changed));
  Pump();
  EXPECT_TRUE(recorder.log.empty());
  // Enabled, its own timer message comes and fires it.
  timer.SetEnabled(true);
  MSG tick{};
  for (MSG msg; recorder.log.empty() && GetMessageA(&msg, nullptr, WM_TIMER, WM_TIMER) > 0;) {
    if (!msg.hwnd) tick = msg;
    DispatchMessageA(&msg);
  }
  EXPECT_FALSE(recorder.log.empty());
  ASSERT_NE(tick.wParam, 0u);
  // Disabled again, it has no system timer, and a tick still queued is ignored.
  size_t fired = recorder.log.size();
  timer.SetEnabled(false);
  DispatchMessageA(&tick);
  EXPECT_EQ(recorder.log.size(), fired);
  EXPECT_FALSE(KillTimer(nullptr, tick.wParam));
}

TEST(LabeledEdits, TheLabelFollowsTheEditAndItsState) {
  ShownForm form;
  TLabeledEdit* edit = new TLabeledEdit(form.Get());
  edit->SetParent(form.Get());
  edit->SetBounds(50, 60, 120, 22);
  TBoundLabel* label = edit->GetEditLabel();
  label->SetCaption("Name");
  EXPECT_EQ(label->GetParent(), form.Get());
  edit->SetLabelPosition(lpAbove);
  EXPECT_EQ(label->GetLeft(), 50);
  EXPECT_EQ(label->GetTop() + label->GetHeight() + edit->GetLabelSpacing(), 60);
  edit->SetLabelPosition(lpLeft);
  EXPECT_EQ(label->GetLeft() + label->GetWidth() + edit->GetLabelSpacing(), 50);
  edit->SetLeft(80);
  EXPECT_EQ(label->GetLeft() + label->GetWidth() + edit->GetLabelSpacing(), 80);
  edit->SetVisible(false);
  EXPECT_FALSE(label->GetVisible());
  edit->SetEnabled(false);
  EXPECT_FALSE(label->GetEnabled());
}

TEST(BitButtons, KindsSetCaptionAndModalResultAndTheCloseKindClosesItsForm) {
  TForm* form = new TForm(nullptr);
  TBitBtn* ok = new TBitBtn(form);
  ok->SetParent(form);
  ok->SetKind(bkOK);
  EXPECT_EQ(ok->GetCaption(), "OK");
  EXPECT_EQ(ok->GetModalResult(), mrOk);
  EXPECT_TRUE(ok->GetDefault());
  TBitBtn* close = new TBitBtn(form);
  close->SetParent(form);
  close->SetKind(bkClose);
  EXPECT_EQ(close->GetCaption(), "&Close");
  form->HandleNeeded();
  EXPECT_TRUE(GetWindowLongA(ok->GetHandle(), GWL_STYLE) & BS_OWNERDRAW);
  PostMessageA(close->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form->ShowModal(), mrCancel);
  form->Free();
}

TEST(FormKeys, KeyPreviewLetsTheFormSeeKeysFirstAndLabelsFocusTheirControl) {
  ShownForm form;
  Recorder recorder;
  TEdit* edit = new TEdit(form.Get());
  edit->SetParent(form.Get());
  TEdit* other = new TEdit(form.Get());
  other->SetParent(form.Get());
  other->SetTop(40);
  TLabel* label = new TLabel(form.Get());
  label->SetParent(form.Get());
  label->SetTop(80);
  label->SetCaption("&Name");
  label->SetFocusControl(edit);
  form->SetKeyPreview(true);
  form->OnKeyPress = TKeyPressEvent(&recorder, &Recorder::Key);
  other->SetFocus();
  PostMessageA(other->GetHandle(), WM_CHAR, 'x', 1);
  PostMessageA(other->GetHandle(), WM_CHAR, 'y', 1);
  Pump();
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"form x", "form y"}));
  EXPECT_EQ(other->GetText(), "y");
  PostMessageA(other->GetHandle(), WM_SYSCHAR, 'n', 0x20000001);
  Pump();
  EXPECT_TRUE(edit->Focused());
  form->SetKeyPreview(false);
  form->OnKeyPress = TKeyPressEvent();
}

namespace {

// The cursor the form shows with the mouse at a point of its client area.
HCURSOR CursorOver(TCustomForm* form, POINT clientPoint) {
  POINT at = form->ClientToScreen(clientPoint);
  SetCursorPos(at.x, at.y);
  SendMessageA(form->GetHandle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form->GetHandle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return GetCursor();
}

}  // namespace

TEST(Cursors, TheControlUnderTheMouseOrTheScreenChoosesTheCursor) {
  ShownForm form;
  TImage* image = new TImage(form.Get());
  image->SetParent(form.Get());
  image->SetBounds(20, 20, 100, 80);
  image->SetCursor(crHandPoint);
  Pump();
  auto cursorOver = [&](POINT clientPoint) { return CursorOver(form.Get(), clientPoint); };
  EXPECT_EQ(cursorOver(POINT{50, 50}), CursorHandle(crHandPoint));
  EXPECT_NE(cursorOver(POINT{300, 250}), CursorHandle(crHandPoint));
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(cursorOver(POINT{50, 50}), CursorHandle(crHourGlass));
  Screen->SetCursor(crDefault);
  EXPECT_EQ(cursorOver(POINT{50, 50}), CursorHandle(crHandPoint));
}

TEST(Cursors, AScreenCursorStandsForItsScopeAndNestedScopesGiveTheOuterOneBack) {
  ShownForm form;
  auto cursorOver = [&] { return CursorOver(form.Get(), POINT{50, 50}); };
  form->SetCursor(crCross);
  {
    TWaitCursor outer;
    EXPECT_EQ(cursorOver(), CursorHandle(crHourGlass));
    {
      TWaitCursor inner;
      EXPECT_EQ(Screen->GetCursor(), crHourGlass);
    }
    EXPECT_EQ(Screen->GetCursor(), crHourGlass);
    {
      // A question in the middle of the busy step shows the usual cursor while it asks.
      TScreenCursorScope asking(crDefault);
      EXPECT_EQ(cursorOver(), CursorHandle(crCross));
    }
    EXPECT_EQ(cursorOver(), CursorHandle(crHourGlass));
  }
  EXPECT_EQ(Screen->GetCursor(), crDefault);
  EXPECT_EQ(cursorOver(), CursorHandle(crCross));
  // A step that fails gives the cursor back on its way out.
  EXPECT_THROW(
      {
        TWaitCursor busy;
        throw std::runtime_error("failed");
      },
      std::runtime_error);
  EXPECT_EQ(Screen->GetCursor(), crDefault);
  form->SetCursor(crDefault);
}

TEST(Cursors, APanelKeepsTheMouseWhileTheButtonIsDown) {
  ShownForm form;
  TPanel* panel = new TPanel(form.Get());
  panel->SetParent(form.Get());
  panel->SetBounds(10, 10, 50, 50);
  SendMessageA(panel->GetHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(panel->GetMouseCapture());
  SendMessageA(panel->GetHandle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
  EXPECT_FALSE(panel->GetMouseCapture());
  TLabel* label = new TLabel(form.Get());
  label->SetParent(form.Get());
  label->SetMouseCapture(true);
  EXPECT_TRUE(label->GetMouseCapture());
  label->SetMouseCapture(false);
  EXPECT_EQ(GetCapture(), nullptr);
}
