// Forms, the application's message loop, timers, hints and message boxes, with real windows.
#include <gtest/gtest.h>

#include "WindowsTestSupport.h"
#include "classlib/ExtCtrls.h"
#include "classlib/StdCtrls.h"

// The library's own 8-bit controls.
using ExtCtrls::TPanel;
using StdCtrls::TButton;

using wintest::MessageBoxCatcher;
using wintest::Pump;
using wintest::ShownForm;
using wintest::Wheel;

namespace {

// Records what a form and its controls did.
class FormEvents : public TObject {
 public:
  TCustomForm* form = nullptr;
  int shows = 0, hides = 0, closeQueries = 0, refuseCloses = 0, ticks = 0, idles = 0;
  bool ranAfterClose = false;
  void Show(TObject*) { ++shows; }
  void Hide(TObject*) { ++hides; }
  void CloseQuery(TObject*, bool& canClose) {
    ++closeQueries;
    if (refuseCloses > 0) {
      --refuseCloses;
      canClose = false;
    }
  }
  void CloseAndGoOn(TObject*) {
    form->Close();
    ranAfterClose = true;
  }
  void FailingShow(TObject*) {
    ++shows;
    throw Exception("show failed");
  }
  void Tick(TObject*) { ++ticks; }
  void Idle(TObject*, bool& done) {
    ++idles;
    done = false;
  }
};

// A form of its own (not the shared one), freed at the end.
struct OwnForm {
  TForm* form = new TForm(nullptr);
  ~OwnForm() { form->Free(); }
};

TButton* AddButton(TForm* form, int modalResult) {
  TButton* button = new TButton(form);
  button->SetParent(form);
  button->SetModalResult(modalResult);
  return button;
}

}  // namespace

TEST(Forms, OnShowFiresOnlyWhenAHiddenFormBecomesVisible) {
  OwnForm own;
  FormEvents events;
  own.form->OnShow = TNotifyEvent(&events, &FormEvents::Show);
  own.form->OnHide = TNotifyEvent(&events, &FormEvents::Hide);
  own.form->Show();
  own.form->Show();
  Pump();
  EXPECT_EQ(events.shows, 1);
  EXPECT_TRUE(IsWindowVisible(own.form->GetHandle()));
  own.form->Hide();
  EXPECT_EQ(events.hides, 1);
  EXPECT_FALSE(IsWindowVisible(own.form->GetHandle()));
  own.form->Show();
  EXPECT_EQ(events.shows, 2);
}

TEST(Forms, AFormWhoseShowHandlerFailsIsUpAllTheSameAndTheErrorGoesOnOnce) {
  OwnForm own;
  FormEvents events;
  own.form->OnShow = TNotifyEvent(&events, &FormEvents::FailingShow);
  EXPECT_THROW(own.form->Show(), Exception);
  EXPECT_TRUE(own.form->GetVisible());
  EXPECT_TRUE(IsWindowVisible(own.form->GetHandle()));
  // Shown already: showing it again neither runs the handler nor raises its error again.
  own.form->Show();
  EXPECT_EQ(events.shows, 1);

  // A modal window whose show fails is not left up without its modal loop, and the other
  // windows stay usable.
  OwnForm modal;
  modal.form->OnShow = TNotifyEvent(&events, &FormEvents::FailingShow);
  EXPECT_THROW(modal.form->ShowModal(), Exception);
  EXPECT_FALSE(modal.form->GetVisible());
  EXPECT_FALSE(IsWindowVisible(modal.form->GetHandle()));
  EXPECT_FALSE(modal.form->IsModal());
  EXPECT_TRUE(IsWindowEnabled(own.form->GetHandle()));
  EXPECT_EQ(events.shows, 2);
}

TEST(Forms, AModalFormEndsWithTheModalResultOfTheButtonPressed) {
  OwnForm own;
  TButton* ok = AddButton(own.form, mrOk);
  own.form->HandleNeeded();
  PostMessageA(ok->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(own.form->ShowModal(), mrOk);
  EXPECT_FALSE(own.form->GetVisible());
  EXPECT_FALSE(own.form->IsModal());
}

TEST(Forms, CloseEndsTheModalLoopAfterTheHandlerAndCloseQueryCanRefuse) {
  OwnForm own;
  FormEvents events;
  events.form = own.form;
  events.refuseCloses = 1;
  own.form->OnCloseQuery = TCloseQueryEvent(&events, &FormEvents::CloseQuery);
  TButton* closer = AddButton(own.form, mrNone);
  closer->OnClick = TNotifyEvent(&events, &FormEvents::CloseAndGoOn);
  own.form->HandleNeeded();
  PostMessageA(closer->GetHandle(), BM_CLICK, 0, 0);
  PostMessageA(closer->GetHandle(), BM_CLICK, 0, 0);
  EXPECT_EQ(own.form->ShowModal(), mrCancel);
  EXPECT_TRUE(events.ranAfterClose);
  EXPECT_EQ(events.closeQueries, 2);
}

TEST(Forms, ShowModalRefusesAVisibleForm) {
  ShownForm form;
  EXPECT_THROW(form->ShowModal(), EInvalidOperation);
}

TEST(Forms, ClosingAModelessFormHidesIt) {
  OwnForm own;
  own.form->Show();
  SendMessageA(own.form->GetHandle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(own.form->GetVisible());
  EXPECT_TRUE(own.form->HandleAllocated());
}

TEST(Forms, ScreenListsFormsAndTheFirstCreatedFormIsTheMainForm) {
  int before = Screen->GetFormCount();
  TForm* form = new TForm(nullptr);
  EXPECT_EQ(Screen->GetFormCount(), before + 1);
  EXPECT_EQ(Screen->GetForm(before), form);
  form->Free();
  EXPECT_EQ(Screen->GetFormCount(), before);
}

TEST(Application, TimersTickThroughTheMessageLoop) {
  TTimer timer(nullptr);
  FormEvents events;
  timer.SetInterval(10);
  timer.SetOnTimer(TNotifyEvent(&events, &FormEvents::Tick));
  // The timer's own messages drive the test: each is taken from the queue as it comes.
  MSG tick{};
  for (MSG msg; events.ticks < 3 && GetMessageA(&msg, nullptr, WM_TIMER, WM_TIMER) > 0;) {
    if (!msg.hwnd) tick = msg;
    DispatchMessageA(&msg);
  }
  EXPECT_GE(events.ticks, 3);
  ASSERT_NE(tick.wParam, 0u);
  timer.SetEnabled(false);
  int ticks = events.ticks;
  // A tick still queued when the timer stopped changes nothing, and no system timer is left.
  DispatchMessageA(&tick);
  Pump();
  EXPECT_EQ(events.ticks, ticks);
  EXPECT_FALSE(KillTimer(nullptr, tick.wParam));
}

TEST(Application, IdleProcessingReachesEveryApplicationEventsObject) {
  TApplicationEvents first(nullptr), second(nullptr);
  FormEvents events;
  first.OnIdle = TIdleEvent(&events, &FormEvents::Idle);
  second.OnIdle = TIdleEvent(&events, &FormEvents::Idle);
  PostMessageA(Application->GetHandle(), WM_NULL, 0, 0);
  Application->HandleMessage();  // the posted message
  Application->HandleMessage();  // nothing queued: idle (and no wait, as the handlers are not done)
  EXPECT_EQ(events.idles, 2);
}

TEST(Application, TitleLivesInTheApplicationWindowAndHooksSeeItsMessages) {
  Application->SetTitle("Kaptorix test");
  char text[64] = {};
  GetWindowTextA(Application->GetHandle(), text, sizeof(text));
  EXPECT_STREQ(text, "Kaptorix test");
  EXPECT_EQ(Application->GetTitle(), "Kaptorix test");
  struct Hook : TObject {
    int seen = 0;
    bool Look(TMessage& m) {
      if (m.Msg == WM_USER + 1) {
        ++seen;
        m.Result = 42;
        return true;
      }
      return false;
    }
  } hook;
  TWindowHook windowHook(&hook, &Hook::Look);
  Application->HookMainWindow(windowHook);
  EXPECT_EQ(SendMessageA(Application->GetHandle(), WM_USER + 1, 0, 0), 42);
  Application->UnhookMainWindow(windowHook);
  SendMessageA(Application->GetHandle(), WM_USER + 1, 0, 0);
  EXPECT_EQ(hook.seen, 1);
}

TEST(Application, MessageBoxesGoThroughTheSeamWithTheirTexts) {
  MessageBoxCatcher boxes(IDNO);
  EXPECT_EQ(MessageDlg("Overwrite?", mtConfirmation, mbYesNo), mrNo);
  ShowMessage("Done");
  ASSERT_EQ(boxes.Requests().size(), 2u);
  EXPECT_EQ(boxes.Requests()[0].Caption, "Confirm");
  EXPECT_EQ(boxes.Requests()[0].Flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(boxes.Requests()[1].Text, "Done");
}

// A hint window class of the test's own, to see the hint manager make the class it is asked for.
class RecordingHintWindow : public THintWindow {
  KX_COMPONENT(RecordingHintWindow, THintWindow)
 public:
  explicit RecordingHintWindow(TComponent* owner) : THintWindow(owner) {}
  void ActivateHintData(RECT rect, const std::string& hint, void* data) override {
    lastData = data;
    THintWindow::ActivateHintData(rect, hint, data);
  }
  void* lastData = nullptr;
};

class HintSwapper : public TObject {
 public:
  TWndMethod next;
  void Hook(TMessage& m) {
    if (m.Msg == CM_HINTSHOW) {
      THintInfo* info = MessageAs<TCMHintShow>(m).HintInfo;
      info->HintWindowClass = RecordingHintWindow::StaticClass();
      info->HintData = info;
    }
    next(m);
  }
};

TEST(Hints, TheShortHintOfTheNearestHintShowsInAWindowOfTheClassTheControlAsksFor) {
  ShownForm form;
  TPanel* panel = new TPanel(form.Get());
  panel->SetParent(form.Get());
  panel->SetBounds(10, 10, 200, 100);
  panel->SetHint("Panel help|The long part");
  TButton* button = new TButton(form.Get());
  button->SetParent(panel);
  button->SetBounds(10, 10, 80, 25);
  button->SetShowHint(true);
  Pump();
  POINT inside = button->ClientToScreen(POINT{5, 5});
  Application->ActivateHint(inside);
  THintWindow* hint = Application->GetHintWindow();
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(IsWindowVisible(hint->GetHandle()));
  EXPECT_EQ(hint->GetCaption(), "Panel help");
  EXPECT_EQ(hint->ClassType(), THintWindow::StaticClass());
  // The caption sizes the window: text extent plus 6 each way.
  EXPECT_GT(hint->GetWidth(), 6);
  Application->CancelHint();
  EXPECT_FALSE(IsWindowVisible(hint->GetHandle()));

  HintSwapper swapper;
  swapper.next = button->GetWindowProc();
  button->SetWindowProc(TWndMethod(&swapper, &HintSwapper::Hook));
  Application->ActivateHint(inside);
  button->SetWindowProc(swapper.next);
  auto* recording = dynamic_cast<RecordingHintWindow*>(Application->GetHintWindow());
  ASSERT_NE(recording, nullptr);
  EXPECT_NE(recording->lastData, nullptr);
  Application->CancelHint();
}

TEST(Hints, AControlWithoutShowHintShowsNone) {
  ShownForm form;
  TButton* button = new TButton(form.Get());
  button->SetParent(form.Get());
  button->SetHint("Quiet");
  Pump();
  Application->CancelHint();
  Application->ActivateHint(button->ClientToScreen(POINT{5, 5}));
  THintWindow* hint = Application->GetHintWindow();
  EXPECT_TRUE(hint == nullptr || !IsWindowVisible(hint->GetWindowHandle()));
}

TEST(Docking, AFormDockedIntoASiteFillsItAndTheSiteHearsOfItsCaption) {
  ShownForm form;
  TPanel* site = new TPanel(form.Get());
  site->SetParent(form.Get());
  site->SetBounds(0, 0, 300, 200);
  TForm* client = new TForm(form.Get());
  client->SetCaption("Sheet caption");
  EXPECT_THROW(client->ManualDock(site), EInvalidOperation);
  site->SetDockSite(true);
  wintest::MessageRecorder recorder(site);
  client->ManualDock(site);
  client->Show();
  EXPECT_EQ(client->GetParent(), site);
  EXPECT_EQ(client->GetHostDockSite(), site);
  EXPECT_EQ(client->GetAlign(), alClient);
  EXPECT_TRUE(GetWindowLongA(client->GetHandle(), GWL_STYLE) & WS_CHILD);
  EXPECT_EQ(recorder.Count(CM_DOCKCLIENT), 1);
  EXPECT_EQ(recorder.Count(CM_DOCKNOTIFICATION), 1);  // the show
  recorder.messages.clear();
  client->SetCaption("Renamed");
  ASSERT_EQ(recorder.Count(CM_DOCKNOTIFICATION), 1);
}

// The site answers CM_DOCKCLIENT with 0 when it takes the client and with a negative value when
// it is no dock site; only a client that was taken has the site as its host.
TEST(Docking, ASiteAnswersZeroWhenItTakesTheClientAndANegativeValueWhenItRefuses) {
  ShownForm form;
  TPanel* site = new TPanel(form.Get());
  site->SetParent(form.Get());
  site->SetBounds(0, 0, 300, 200);
  TForm* client = new TForm(form.Get());
  TDockClientInfo info;
  info.Control = client;
  auto dock = [&] { return site->Perform(CM_DOCKCLIENT, reinterpret_cast<WPARAM>(client), reinterpret_cast<LPARAM>(&info)); };
  EXPECT_LT(dock(), 0);
  EXPECT_EQ(client->GetParent(), nullptr);
  site->SetDockSite(true);
  EXPECT_EQ(dock(), 0);
  EXPECT_EQ(client->GetParent(), site);
  // A request that names no client is refused.
  info.Control = nullptr;
  EXPECT_LT(dock(), 0);
}

// An action link of the test's own that counts the idle updates it is asked for.
class CountingLink : public TControlActionLink {
  KX_CLASS(CountingLink, TControlActionLink)
 public:
  using TControlActionLink::TControlActionLink;
  static int updates;
  bool Update() override {
    ++updates;
    return true;
  }
};
int CountingLink::updates = 0;

class LinkedButton : public TButton {
  KX_COMPONENT(LinkedButton, TButton)
 public:
  explicit LinkedButton(TComponent* owner) : TButton(owner) {}
  TClass GetActionLinkClass() const override { return CountingLink::StaticClass(); }
};

TEST(Application, IdleTimeLetsTheActionsOfVisibleControlsUpdate) {
  static const bool registered =
      (RegisterActionLinkClass(CountingLink::StaticClass(),
                               [](TControl* client) -> TControlActionLink* { return new CountingLink(client); }),
       true);
  (void)registered;
  ShownForm form;
  LinkedButton* shown = new LinkedButton(form.Get());
  shown->SetParent(form.Get());
  LinkedButton* hidden = new LinkedButton(form.Get());
  hidden->SetParent(form.Get());
  hidden->SetVisible(false);
  auto* action = new TAction(form.Get());
  auto* hiddenAction = new TAction(form.Get());
  hiddenAction->SetVisible(false);
  shown->SetAction(action);
  hidden->SetAction(hiddenAction);
  EXPECT_FALSE(hidden->GetVisible());
  ASSERT_NE(dynamic_cast<CountingLink*>(shown->GetActionLink()), nullptr);
  TApplicationEvents busy(nullptr);  // keeps the idle step from waiting for a message
  FormEvents events;
  busy.OnIdle = TIdleEvent(&events, &FormEvents::Idle);
  Pump();
  CountingLink::updates = 0;
  for (int i = 0; i < 50 && CountingLink::updates == 0; ++i) Application->HandleMessage();
  EXPECT_EQ(CountingLink::updates, 1);  // one idle pass, the hidden button left out
  shown->SetAction(nullptr);
  hidden->SetAction(nullptr);
}

TEST(ScrollBoxes, ScrollBarsAppearForChildrenBeyondTheClientAreaAndScrollThem) {
  ShownForm form;
  TScrollBox* box = new TScrollBox(form.Get());
  box->SetParent(form.Get());
  box->SetBounds(10, 10, 150, 120);
  TButton* distant = new TButton(form.Get());
  distant->SetParent(box);
  distant->SetBounds(10, 300, 80, 25);
  Pump();
  EXPECT_TRUE(GetWindowLongA(box->GetHandle(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_FALSE(GetWindowLongA(box->GetHandle(), GWL_STYLE) & WS_HSCROLL);
  SendMessageA(box->GetHandle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_GT(box->GetScrollPos().y, 0);
  EXPECT_EQ(distant->GetTop(), 300 - box->GetScrollPos().y);
  RECT inBox;
  GetWindowRect(distant->GetHandle(), &inBox);
  MapWindowPoints(nullptr, box->GetHandle(), reinterpret_cast<POINT*>(&inBox), 2);
  EXPECT_EQ(inBox.top, distant->GetTop());
  box->ScrollTo(POINT{0, 0});
  EXPECT_EQ(distant->GetTop(), 300);
  box->SetAutoScroll(false);
  EXPECT_FALSE(GetWindowLongA(box->GetHandle(), GWL_STYLE) & WS_VSCROLL);
}

TEST(Hints, RestingTheMouseOnAControlShowsItsHintAndLeavingHidesIt) {
  ShownForm form;
  TButton* button = new TButton(form.Get());
  button->SetParent(form.Get());
  button->SetBounds(20, 20, 100, 30);
  button->SetHint("Resting hint");
  button->SetShowHint(true);
  Pump();
  Application->CancelHint();
  int pause = Application->GetHintPause();
  Application->SetHintPause(10);
  POINT centre = button->ClientToScreen(POINT{50, 15});
  SetCursorPos(centre.x, centre.y);
  auto hintShowing = [] {
    THintWindow* hint = Application->GetHintWindow();
    return hint && hint->HandleAllocated() && IsWindowVisible(hint->GetWindowHandle());
  };
  // The loop notices where the mouse rests when it has nothing left to do (idle): each turn
  // handles the queued messages until the loop idles once.
  TApplicationEvents idleWatch(nullptr);
  FormEvents events;
  idleWatch.OnIdle = TIdleEvent(&events, &FormEvents::Idle);
  auto idleTurn = [&events] {
    for (int idles = events.idles; events.idles == idles;) Application->HandleMessage();
  };
  // On the button it arms the hint timer, whose message then shows the hint (unless the loop
  // took that message already).
  idleTurn();
  if (!hintShowing()) {
    MSG expired;
    ASSERT_GT(GetMessageA(&expired, Application->GetHandle(), WM_TIMER, WM_TIMER), 0);
    DispatchMessageA(&expired);
  }
  ASSERT_TRUE(hintShowing());
  EXPECT_EQ(Application->GetHintWindow()->GetCaption(), "Resting hint");
  POINT away = form->ClientToScreen(POINT{300, 250});
  SetCursorPos(away.x, away.y);
  idleTurn();
  EXPECT_FALSE(hintShowing());
  Application->SetHintPause(pause);
}

TEST(Forms, ShowingAVisibleFormBringsItToTheFront) {
  OwnForm first, second;
  FormEvents events;
  first.form->OnShow = TNotifyEvent(&events, &FormEvents::Show);
  first.form->Show();
  second.form->Show();
  Pump();
  EXPECT_EQ(GetForegroundWindow(), second.form->GetHandle());
  first.form->Show();
  Pump();
  EXPECT_EQ(GetForegroundWindow(), first.form->GetHandle());
  EXPECT_EQ(events.shows, 1);
}

namespace {

// A scroll box on a shown form, with a control far below its client area, that a wheel step
// scrolls by ten units through its step handler for turns down.
class WheelBox : public TObject {
 public:
  WheelBox() {
    box = new TScrollBox(form.Get());
    box->SetParent(form.Get());
    box->SetBounds(10, 10, 150, 120);
    auto* distant = new TButton(form.Get());
    distant->SetParent(box);
    distant->SetBounds(10, 600, 80, 25);
    box->OnMouseWheelDown = TMouseWheelUpDownEvent(this, &WheelBox::Down);
  }
  void Down(TObject*, TShiftState, POINT, bool& handled) { Move(10, handled); }
  void Up(TObject*, TShiftState, POINT, bool& handled) { Move(-10, handled); }
  int Position() const { return box->GetVertScrollBar()->GetPosition(); }

  ShownForm form;
  TScrollBox* box = nullptr;

 private:
  void Move(int distance, bool& handled) {
    box->GetVertScrollBar()->SetPosition(Position() + distance);
    handled = true;
  }
};

}  // namespace

TEST(ScrollBoxes, WheelTurnsReachTheHandlersOfTheControlAndItsParents) {
  WheelBox wheel;
  TButton* inside = new TButton(wheel.form.Get());
  inside->SetParent(wheel.box);
  inside->SetBounds(10, 20, 80, 25);
  Pump();
  EXPECT_GT(wheel.box->GetVertScrollBar()->GetRange(), 400);
  EXPECT_TRUE(wheel.box->GetVertScrollBar()->IsScrollBarVisible());
  Wheel(inside, -WHEEL_DELTA);
  Wheel(inside, -WHEEL_DELTA);
  EXPECT_EQ(wheel.Position(), 20);
  EXPECT_EQ(inside->GetTop(), 0);
  Wheel(inside, WHEEL_DELTA);  // no handler upward
  EXPECT_EQ(wheel.Position(), 20);
}

TEST(ScrollBoxes, TheStepHandlersRunOncePerWholeWheelStep) {
  WheelBox wheel;
  wheel.box->OnMouseWheelUp = TMouseWheelUpDownEvent(&wheel, &WheelBox::Up);
  Pump();
  // A finer wheel's parts of a step add up to one.
  Wheel(wheel.box, -WHEEL_DELTA / 2);
  EXPECT_EQ(wheel.Position(), 0);
  Wheel(wheel.box, -WHEEL_DELTA / 2);
  EXPECT_EQ(wheel.Position(), 10);
  // A turn of three steps in one message is three steps.
  Wheel(wheel.box, -3 * WHEEL_DELTA);
  EXPECT_EQ(wheel.Position(), 40);
  // A part of a step left over does not count once the wheel turns back.
  Wheel(wheel.box, -WHEEL_DELTA / 2);
  Wheel(wheel.box, WHEEL_DELTA / 2);
  EXPECT_EQ(wheel.Position(), 40);
  Wheel(wheel.box, WHEEL_DELTA / 2);
  EXPECT_EQ(wheel.Position(), 30);
}

// ---- focus ----------------------------------------------------------------------------------
namespace {

// A form with buttons in tab order: the first on the form, the middle one on a panel, the last
// on the form again.
struct TabRow {
  TabRow() {
    first = AddButton(form.Get(), mrNone);
    panel = new TPanel(form.Get());
    panel->SetParent(form.Get());
    panel->SetBounds(10, 50, 200, 60);
    middle = new TButton(form.Get());
    middle->SetParent(panel);
    last = AddButton(form.Get(), mrNone);
    first->SetBounds(10, 10, 80, 25);
    middle->SetBounds(10, 10, 80, 25);
    last->SetBounds(10, 130, 80, 25);
  }
  ShownForm form;
  TButton* first = nullptr;
  TPanel* panel = nullptr;
  TButton* middle = nullptr;
  TButton* last = nullptr;
};

}  // namespace

TEST(FormFocus, AFocusedControlThatCanNoLongerTakeTheFocusPassesItToTheNextInTabOrder) {
  struct Case {
    const char* change;
    void (*apply)(TabRow&);
  };
  const Case cases[] = {
      {"the button disabled", [](TabRow& row) { row.middle->SetEnabled(false); }},
      {"the button hidden", [](TabRow& row) { row.middle->SetVisible(false); }},
      {"its panel disabled", [](TabRow& row) { row.panel->SetEnabled(false); }},
      {"its panel hidden", [](TabRow& row) { row.panel->SetVisible(false); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.change);
    TabRow row;
    row.middle->SetFocus();
    ASSERT_EQ(GetFocus(), row.middle->GetHandle());
    c.apply(row);
    EXPECT_EQ(GetFocus(), row.last->GetHandle());
    EXPECT_EQ(row.form->GetActiveControl(), row.last);
  }
}

// With no other control to take it the form takes the focus, and Tab goes on from the control
// that had it once that can take it again.
TEST(FormFocus, WithNoControlLeftTheFormTakesTheFocusAndTabGoesOnFromThere) {
  TabRow row;
  row.first->SetEnabled(false);
  row.panel->SetVisible(false);
  row.last->SetFocus();
  row.last->SetEnabled(false);
  EXPECT_EQ(GetFocus(), row.form->GetHandle());
  row.first->SetEnabled(true);
  row.last->SetEnabled(true);
  wintest::PressKeys({VK_TAB});
  EXPECT_EQ(GetFocus(), row.first->GetHandle());
}

// The system hands the keys to the active window when nothing has the focus: Tab goes on from
// the control the form remembers.
TEST(FormFocus, KeysPressedWhileNothingHasTheFocusReachTheForm) {
  TabRow row;
  row.middle->SetFocus();
  SetFocus(nullptr);
  ASSERT_EQ(GetFocus(), nullptr);
  wintest::PressKeys({VK_TAB});
  EXPECT_EQ(GetFocus(), row.last->GetHandle());
}

TEST(FormFocus, AFormActivatedWhoseActiveControlCannotTakeTheFocusFocusesTheFirstThatCan) {
  TabRow row;
  row.last->SetFocus();
  OwnForm other;
  other.form->Show();
  Pump();
  ASSERT_NE(GetForegroundWindow(), row.form->GetHandle());
  row.last->SetEnabled(false);
  ASSERT_EQ(row.form->GetActiveControl(), row.last);
  row.form->Show();
  Pump();
  EXPECT_EQ(GetFocus(), row.first->GetHandle());
}
