// The control hierarchy: text kept with and without a window, the creation protocol, the
// dispatch chain and notification reflection, and what the screen shows after a control is shown
// or hidden, through real windows.
#include <gtest/gtest.h>

#include "WindowsTestSupport.h"
#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/FormReader.h"
#include "classlib/StdCtrls.h"

// The library's own 8-bit controls.
using StdCtrls::TButton;
using StdCtrls::TLabel;
using StdCtrls::TGroupBox;
using StdCtrls::TEdit;
using ExtCtrls::TImage;
using ExtCtrls::TPanel;
using ComCtrls::TPageControl;
using ComCtrls::TTabSheet;

using wintest::MessageRecorder;
using wintest::Pump;
using wintest::ShownForm;

namespace {

std::string WindowText(HWND wnd) {
  int length = GetWindowTextLengthA(wnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(wnd, text.data(), length + 1)));
  return text;
}

class Clicks : public TObject {
 public:
  void Click(TObject* sender) { senders.push_back(sender); }
  void Throw(TObject*) { throw Exception("Handler failed"); }
  std::vector<TObject*> senders;
};

}  // namespace

TEST(ControlText, WindowlessControlsKeepTextInTheObjectAndAnnounceEachChange) {
  TLabel label(nullptr);
  TEdit edit(nullptr);
  MessageRecorder labelMessages(&label), editMessages(&edit);
  label.SetCaption("First");
  label.SetCaption("First");
  edit.SetText("Typed");
  EXPECT_EQ(label.GetCaption(), "First");
  EXPECT_EQ(edit.GetText(), "Typed");
  EXPECT_FALSE(edit.HandleAllocated());
  EXPECT_EQ(labelMessages.Count(CM_TEXTCHANGED), 1);
  EXPECT_EQ(editMessages.Count(WM_SETTEXT), 1);
  EXPECT_EQ(editMessages.Count(CM_TEXTCHANGED), 1);
}

TEST(ControlText, TextSetBeforeTheWindowBecomesItsCaptionAndThenLivesInTheWindow) {
  ShownForm form;
  TEdit* edit = new TEdit(form.Get());
  edit->SetText("before");
  edit->SetParent(form.Get());
  ASSERT_TRUE(edit->HandleAllocated());
  EXPECT_EQ(WindowText(edit->GetHandle()), "before");
  edit->SetText("through the object");
  EXPECT_EQ(WindowText(edit->GetHandle()), "through the object");
  SetWindowTextA(edit->GetHandle(), "through the window");
  EXPECT_EQ(edit->GetText(), "through the window");
}

TEST(ControlText, HintIsAPlainFieldResolvedUpTheParentChain) {
  TForm form(nullptr);
  TGroupBox* box = new TGroupBox(&form);
  box->SetParent(&form);
  TLabel* label = new TLabel(&form);
  label->SetParent(box);
  box->SetHintField("Group|Long group help");
  EXPECT_EQ(label->GetNearestHint(), "Group|Long group help");
  EXPECT_EQ(GetShortHint(label->GetNearestHint()), "Group");
  EXPECT_EQ(GetLongHint(label->GetNearestHint()), "Long group help");
  label->SetHint("Own");
  EXPECT_EQ(label->GetNearestHint(), "Own");
  EXPECT_EQ(GetShortHint("No bar"), "No bar");
}

TEST(CreationProtocol, WindowsUseTheControlsClassNameWithTheSystemRecordAndFindTheirControl) {
  ShownForm form;
  TEdit* edit = new TEdit(form.Get());
  edit->SetParent(form.Get());
  HWND wnd = edit->GetHandle();
  char className[64] = {};
  GetClassNameA(wnd, className, sizeof(className));
  EXPECT_STREQ(className, "TEdit");
  WNDCLASSA system{}, ours{};
  ASSERT_TRUE(GetClassInfoA(nullptr, "EDIT", &system));
  ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "TEdit", &ours));
  EXPECT_EQ(ours.cbWndExtra, system.cbWndExtra);
  EXPECT_EQ(edit->GetDefWndProc(), system.lpfnWndProc);
  EXPECT_EQ(FindControl(wnd), edit);
  EXPECT_EQ(GetPropA(wnd, MAKEINTATOM(WindowAtom)), edit);
  EXPECT_EQ(GlobalFindAtomA(ControlAtomString.c_str()), ControlAtom);
  EXPECT_EQ(reinterpret_cast<HWND>(static_cast<uintptr_t>(GetWindowLongA(wnd, GWL_ID))), wnd);
  EXPECT_EQ(CreationControl, nullptr);
  EXPECT_EQ(ControlAtomString.rfind("ControlOfs", 0), 0u);
}

TEST(CreationProtocol, RecreatingAWindowKeepsItsTextAndMarksTheHandleDestruction) {
  ShownForm form;
  TEdit* edit = new TEdit(form.Get());
  edit->SetParent(form.Get());
  edit->SetText("kept");
  HWND first = edit->GetHandle();
  MessageRecorder recorder(edit);
  bool flagged = false;
  class Watch : public TObject {
   public:
    TEdit* edit;
    bool* flagged;
    TWndMethod next;
    void Hook(TMessage& m) {
      if (m.Msg == WM_DESTROY) *flagged = (edit->GetControlState() & csDestroyingHandle) != 0;
      next(m);
    }
  } watch;
  watch.edit = edit;
  watch.flagged = &flagged;
  watch.next = edit->GetWindowProc();
  edit->SetWindowProc(TWndMethod(&watch, &Watch::Hook));
  edit->RecreateWnd();
  edit->SetWindowProc(watch.next);
  EXPECT_NE(edit->GetHandle(), first);
  EXPECT_TRUE(flagged);
  EXPECT_EQ(WindowText(edit->GetHandle()), "kept");
  EXPECT_EQ(recorder.Count(WM_DESTROY), 1);
}

TEST(Dispatch, PerformSkipsTheWindowWhileSentMessagesComeThroughIt) {
  ShownForm form;
  TEdit* edit = new TEdit(form.Get());
  edit->SetParent(form.Get());
  edit->HandleNeeded();
  // The window procedure the system calls is the object instance bound to MainWndProc.
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit->GetHandle(), GWLP_WNDPROC)),
            edit->GetObjectInstance());
  MessageRecorder recorder(edit);
  edit->Perform(WM_USER + 7, 1, 2);
  SendMessageA(edit->GetHandle(), WM_USER + 8, 3, 4);
  ASSERT_EQ(recorder.Count(WM_USER + 7), 1);
  ASSERT_EQ(recorder.Count(WM_USER + 8), 1);
  // A Perform never reaches the window's procedure, a sent message does: the system
  // procedure answers EM_GETLINECOUNT either way, but only the sent one is seen by a
  // subclass of the window.
  int seenByWindow = 0;
  static int* counter;
  static WNDPROC previous;
  counter = &seenByWindow;
  previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      edit->GetHandle(), GWLP_WNDPROC,
      reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_USER + 9) ++*counter;
        return CallWindowProcA(previous, w, m, wp, lp);
      })));
  edit->Perform(WM_USER + 9, 0, 0);
  SendMessageA(edit->GetHandle(), WM_USER + 9, 0, 0);
  SetWindowLongPtrA(edit->GetHandle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  EXPECT_EQ(seenByWindow, 1);
  EXPECT_EQ(recorder.Count(WM_USER + 9), 2);
}

TEST(Dispatch, WindowProcIsComparedByCodeAndCanBeChained) {
  TEdit a(nullptr), b(nullptr);
  EXPECT_TRUE(a.GetWindowProc() == b.GetWindowProc());
  EXPECT_TRUE(a.GetWindowProc() == b.GetOwnWndProc());
  {
    MessageRecorder recorder(&a);
    EXPECT_FALSE(a.GetWindowProc() == b.GetWindowProc());
    a.SetText("seen");
    EXPECT_EQ(recorder.Count(WM_SETTEXT), 1);
    EXPECT_EQ(a.GetText(), "seen");
  }
  EXPECT_TRUE(a.GetWindowProc() == b.GetWindowProc());
}

TEST(Dispatch, ParentCommandsAreReflectedToTheChildAsControlNotifications) {
  ShownForm form;
  TButton* button = new TButton(form.Get());
  button->SetParent(form.Get());
  Clicks clicks;
  button->OnClick = TNotifyEvent(&clicks, &Clicks::Click);
  MessageRecorder recorder(button);
  SendMessageA(button->GetHandle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(recorder.Count(CN_COMMAND), 1);
  ASSERT_EQ(clicks.senders.size(), 1u);
  EXPECT_EQ(clicks.senders[0], button);
}

TEST(Dispatch, AnExceptionInAHandlerReachesTheErrorDialogAndTheProgramGoesOn) {
  ShownForm form;
  TButton* button = new TButton(form.Get());
  button->SetParent(form.Get());
  Clicks clicks;
  button->OnClick = TNotifyEvent(&clicks, &Clicks::Throw);
  wintest::MessageBoxCatcher boxes;
  SendMessageA(button->GetHandle(), BM_CLICK, 0, 0);
  Pump();
  ASSERT_EQ(boxes.Requests().size(), 1u);
  EXPECT_EQ(boxes.Requests()[0].Text, "Handler failed.");
  EXPECT_TRUE(boxes.Requests()[0].Flags & MB_ICONSTOP);
  button->OnClick = TNotifyEvent(&clicks, &Clicks::Click);
  SendMessageA(button->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks.senders.size(), 1u);
}

TEST(Appearance, AParentsFontReachesTheChildrenThatFollowIt) {
  TForm form(nullptr);
  TLabel* follows = new TLabel(&form);
  follows->SetParent(&form);
  TLabel* own = new TLabel(&form);
  own->SetParent(&form);
  own->GetFont()->SetName("Courier New");
  EXPECT_FALSE(own->GetParentFont());
  form.GetFont()->SetName("Arial");
  form.GetFont()->SetHeight(-20);
  EXPECT_EQ(follows->GetFont()->GetName(), "Arial");
  EXPECT_EQ(follows->GetFont()->GetHeight(), -20);
  EXPECT_TRUE(follows->GetParentFont());
  EXPECT_EQ(own->GetFont()->GetName(), "Courier New");
  own->SetParentFont(true);
  EXPECT_EQ(own->GetFont()->GetName(), "Arial");
}

TEST(Appearance, RightToLeftModesGiveTheDrawTextFlags) {
  struct Case {
    TBiDiMode mode;
    UINT given;
    UINT expected;
  };
  const Case cases[] = {
      {bdLeftToRight, DT_LEFT, DT_LEFT},
      {bdLeftToRight, DT_RIGHT, DT_RIGHT},
      {bdRightToLeft, DT_LEFT, DT_RIGHT | DT_RTLREADING},
      {bdRightToLeft, DT_RIGHT, DT_LEFT | DT_RTLREADING},
      {bdRightToLeft, DT_CENTER, DT_CENTER | DT_RTLREADING},
      {bdRightToLeftReadingOnly, DT_LEFT, DT_LEFT | DT_RTLREADING},
      {bdRightToLeftNoAlign, DT_RIGHT, DT_RIGHT | DT_RTLREADING},
  };
  TLabel label(nullptr);
  for (const Case& c : cases) {
    label.SetBiDiMode(c.mode);
    EXPECT_EQ(label.DrawTextBiDiModeFlags(c.given), c.expected) << c.mode << " " << c.given;
  }
}

TEST(Appearance, AlignedChildrenShareTheClientAreaInOrder) {
  TPanel panel(nullptr);
  panel.SetBounds(0, 0, 300, 200);
  panel.SetBevelOuter(bvNone);
  TPanel* top = new TPanel(&panel);
  top->SetHeight(30);
  top->SetAlign(alTop);
  top->SetParent(&panel);
  TPanel* left = new TPanel(&panel);
  left->SetWidth(50);
  left->SetAlign(alLeft);
  left->SetParent(&panel);
  TPanel* rest = new TPanel(&panel);
  rest->SetAlign(alClient);
  rest->SetParent(&panel);
  EXPECT_EQ(top->GetWidth(), 300);
  EXPECT_EQ(left->GetTop(), 30);
  EXPECT_EQ(left->GetHeight(), 170);
  EXPECT_EQ(rest->GetLeft(), 50);
  EXPECT_EQ(rest->GetWidth(), 250);
  top->SetVisible(false);
  EXPECT_EQ(left->GetTop(), 0);
  EXPECT_EQ(rest->GetHeight(), 200);
}

TEST(Appearance, AnchoredChildrenFollowTheEdgesOfTheirParent) {
  TPanel panel(nullptr);
  panel.SetBevelOuter(bvNone);
  panel.SetBounds(0, 0, 300, 200);
  auto place = [&](TAnchors anchors) {
    TPanel* child = new TPanel(&panel);
    child->SetParent(&panel);
    child->SetBounds(100, 50, 100, 50);
    child->SetAnchors(anchors);
    return child;
  };
  TPanel* fixed = place({akLeft, akTop});
  TPanel* stretched = place({akLeft, akTop, akRight, akBottom});
  TPanel* corner = place({akRight, akBottom});
  TPanel* centred = place({});
  panel.SetBounds(0, 0, 400, 260);
  EXPECT_EQ(fixed->GetBoundsRect().right, 200);
  EXPECT_EQ(stretched->GetWidth(), 200);
  EXPECT_EQ(stretched->GetHeight(), 110);
  EXPECT_EQ(corner->GetLeft(), 200);
  EXPECT_EQ(corner->GetTop(), 110);
  EXPECT_EQ(corner->GetWidth(), 100);
  EXPECT_EQ(centred->GetLeft(), 150);
  EXPECT_EQ(centred->GetTop(), 80);
  panel.SetBounds(0, 0, 300, 200);
  EXPECT_EQ(stretched->GetWidth(), 100);
  EXPECT_EQ(corner->GetLeft(), 100);
}

namespace {

// A page control whose second sheet has not been shown yet, and a box kept at the bottom of the
// host once it is shown, as a form description gives them: hidden, where they were described.
constexpr char kPagesDescription[] = R"(object Host: TPanel
  Width = 400
  Height = 300
  BevelOuter = bvNone
  Color = clWhite
  object pages: TPageControl
    Left = 8
    Top = 8
    Width = 384
    Height = 284
    object first: TTabSheet
      Width = 376
      Height = 258
      Caption = 'First'
      object ink: TPanel
        Left = 8
        Top = 8
        Width = 300
        Height = 200
        Color = clBlack
      end
    end
    object second: TTabSheet
      Width = 376
      Height = 258
      Caption = 'Second'
      object press: TButton
        Left = 240
        Top = 200
        Width = 100
        Height = 25
        Caption = 'Press'
      end
    end
  end
  object later: TScrollBox
    Width = 400
    Height = 100
    Align = alBottom
    Visible = False
    Color = clYellow
  end
end
)";

template <class C>
C* Described(TComponent* host, const char* name) {
  return static_cast<C*>(host->FindComponent(name));
}

}  // namespace

// Nothing of what the screen showed before stays on a page or a box shown for the first time,
// however it comes: it looks as it does after a repaint of everything.
TEST(Painting, APageOrBoxShownForTheFirstTimeShowsNothingOfWhatWasThereBefore) {
  struct Case {
    const char* name;
    void (*show)(TPanel* host);
  };
  const Case cases[] = {
      {"a sheet chosen from code",
       [](TPanel* host) { Described<TPageControl>(host, "pages")->SetActivePage(Described<TTabSheet>(host, "second")); }},
      {"a sheet chosen by its tab",
       [](TPanel* host) {
         HWND tabs = Described<TPageControl>(host, "pages")->GetHandle();
         RECT tab{};
         SendMessageA(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
         const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
         SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
         SendMessageA(tabs, WM_LBUTTONUP, 0, at);
       }},
      {"a box kept at the bottom",
       [](TPanel* host) {
         Described<TControl>(host, "pages")->Hide();
         Described<TControl>(host, "later")->Show();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShownForm form(400, 300);
    auto* host = new TPanel(form.Get());
    host->SetParent(form.Get());
    ReadComponentFromText(host, kPagesDescription, "Pages");
    ASSERT_EQ(wintest::PixelsARepaintChanges(form.Get()), 0) << "before";
    c.show(host);
    EXPECT_TRUE(Described<TWinControl>(host, "second")->GetShowing() ||
                Described<TWinControl>(host, "later")->GetShowing());
    EXPECT_EQ(wintest::PixelsARepaintChanges(form.Get()), 0);
  }
}

// A control without a window that is hidden leaves nothing of itself: its parent paints its place
// anew, with what lies under it.
TEST(Painting, AHiddenWindowlessControlLeavesNothingOfItself) {
  struct Case {
    const char* name;
    TControl* (*place)(TPanel* host);
  };
  const Case cases[] = {
      {"a label drawn on its own background",
       [](TPanel* host) -> TControl* {
         auto* label = new TLabel(host);
         label->SetTransparent(false);
         label->SetColor(clBlack);
         label->SetCaption("Welcome");
         label->SetBounds(20, 20, 200, 40);
         label->SetParent(host);
         return label;
       }},
      {"a picture over a label",
       [](TPanel* host) -> TControl* {
         auto* under = new TLabel(host);
         under->SetCaption("Willkommen");
         under->SetBounds(20, 20, 200, 40);
         under->SetParent(host);
         auto* picture = new TImage(host);
         TBitmap* bitmap = picture->GetPicture()->GetBitmap();
         bitmap->SetSize(200, 40);
         bitmap->GetCanvas()->GetBrush()->SetColor(clNavy);
         bitmap->GetCanvas()->FillRect(RECT{0, 0, 200, 40});
         picture->SetBounds(20, 20, 200, 40);
         picture->SetParent(host);
         return picture;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShownForm form(400, 300);
    auto* host = new TPanel(form.Get());
    host->SetBevelOuter(bvNone);
    host->SetColor(clWhite);
    host->SetBounds(0, 0, 400, 300);
    host->SetParent(form.Get());
    TControl* control = c.place(host);
    ASSERT_EQ(wintest::PixelsARepaintChanges(form.Get()), 0) << "before";
    int width = 0, height = 0;
    const std::vector<uint8_t> shown = wintest::CaptureWindow(form->GetHandle(), width, height);
    control->Hide();
    EXPECT_EQ(wintest::PixelsARepaintChanges(form.Get()), 0);
    EXPECT_NE(wintest::CaptureWindow(form->GetHandle(), width, height), shown) << "nothing was hidden";
  }
}
