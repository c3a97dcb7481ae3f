// Actions, their links to menu items and controls, action lists and the application's hint action.
#include <gtest/gtest.h>

#include "WindowsTestSupport.h"
#include "classlib/ActnLinks.h"
#include "classlib/ActnList.h"
#include "classlib/Buttons.h"
#include "classlib/FormReader.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"

// The library's own 8-bit controls.
using Menus::TMainMenu;
using Menus::TMenuItem;
using StdCtrls::TButton;
using StdCtrls::TLabel;
using StdCtrls::TEdit;

namespace {

// A link that records what the action looked like when it was told of a new caption or hint.
class TRecordingLink : public TActionLink {
 public:
  std::vector<std::string> seen;
  void SetCaption(const std::string& value) override {
    seen.push_back(value + " while " + static_cast<TCustomAction*>(FAction)->GetCaption());
  }
  void SetHint(const std::string& value) override {
    seen.push_back(value + " while " + static_cast<TCustomAction*>(FAction)->GetHint());
  }
};

struct Counter : TObject {
  int executes = 0;
  std::vector<std::string> order;
  void Execute(TObject*) { ++executes; order.push_back("action"); }
  void ListExecute(TBasicAction*, bool& handled) {
    order.push_back("list");
    handled = listHandles;
  }
  bool listHandles = false;
};

}  // namespace

TEST(Actions, LinksHearANewCaptionOrHintBeforeTheActionStoresIt) {
  TComponent owner(nullptr);
  auto* action = new TAction(&owner);
  action->SetCaption("Alt");
  action->SetHint("alter Hinweis");
  TRecordingLink link;
  link.SetAction(action);
  EXPECT_EQ(action->GetClientCount(), 1);
  action->SetCaption("Neu");
  action->SetHint("neuer Hinweis");
  action->SetCaption("Neu");  // no change, no notice
  EXPECT_EQ(link.seen, (std::vector<std::string>{"Neu while Alt", "neuer Hinweis while alter Hinweis"}));
  action->Free();
  EXPECT_EQ(link.GetAction(), nullptr);  // a freed action leaves its links
}

TEST(Actions, ExecuteRunsTheListFirstThenTheActionWhileEnabled) {
  TComponent owner(nullptr);
  auto* list = new TActionList(&owner);
  auto* action = new TAction(&owner);
  Counter counter;
  action->SetOnExecute(TNotifyEvent(&counter, &Counter::Execute));
  list->OnExecute = TActionEvent(&counter, &Counter::ListExecute);
  action->SetActionList(list);
  EXPECT_EQ(action->GetIndex(), 0);
  EXPECT_TRUE(action->Execute());
  counter.listHandles = true;
  EXPECT_TRUE(action->Execute());
  EXPECT_EQ(counter.order, (std::vector<std::string>{"list", "action", "list"}));

  counter.listHandles = false;
  action->SetEnabled(false);
  EXPECT_FALSE(action->Execute());
  EXPECT_EQ(counter.executes, 1);

  action->SetEnabled(true);
  action->SetAutoCheck(true);
  action->Execute();
  EXPECT_TRUE(action->GetChecked());
  list->Free();
  EXPECT_EQ(action->GetActionList(), nullptr);
}

TEST(Actions, ACheckedActionUnchecksTheOthersOfItsGroup) {
  TComponent owner(nullptr);
  auto* list = new TActionList(&owner);
  std::vector<TAction*> actions;
  for (int group : {1, 1, 2}) {
    auto* action = new TAction(&owner);
    action->SetGroupIndex(group);
    action->SetActionList(list);
    actions.push_back(action);
  }
  actions[2]->SetChecked(true);
  actions[0]->SetChecked(true);
  actions[1]->SetChecked(true);
  EXPECT_FALSE(actions[0]->GetChecked());
  EXPECT_TRUE(actions[1]->GetChecked());
  EXPECT_TRUE(actions[2]->GetChecked());
}

TEST(Actions, AssignCopiesTheClientProperties) {
  TComponent owner(nullptr);
  auto* source = new TAction(&owner);
  source->SetCaption("&Speichern");
  source->SetHint("Speichert");
  source->SetShortCut(ShortCut('S', ssCtrl));
  source->SetChecked(true);
  auto* copy = new TAction(&owner);
  copy->Assign(source);
  EXPECT_EQ(copy->GetCaption(), "&Speichern");
  EXPECT_EQ(copy->GetHint(), "Speichert");
  EXPECT_EQ(copy->GetShortCut(), ShortCut('S', ssCtrl));
  EXPECT_TRUE(copy->GetChecked());
  TStringList notAnAction;
  EXPECT_THROW(copy->Assign(&notAnAction), EConvertError);
}

// ---- menu items and controls ----------------------------------------------------------------
TEST(ActionLinks, AMenuItemShowsItsActionAndFollowsItsChanges) {
  TComponent owner(nullptr);
  auto* action = new TAction(&owner);
  action->SetCaption("&Laden");
  action->SetHint("L\xE4" "dt eine Datei");
  action->SetShortCut(ShortCut('K', ssCtrl));
  Counter counter;
  action->SetOnExecute(TNotifyEvent(&counter, &Counter::Execute));
  auto* item = new TMenuItem(&owner);
  item->SetAction(action);
  EXPECT_EQ(item->GetCaption(), "&Laden");
  EXPECT_EQ(item->GetHint(), "L\xE4" "dt eine Datei");
  EXPECT_EQ(item->GetShortCut(), ShortCut('K', ssCtrl));
  EXPECT_TRUE(item->GetActionLink()->IsCaptionLinked());

  action->SetCaption("&Load");
  action->SetEnabled(false);
  EXPECT_EQ(item->GetCaption(), "&Load");
  EXPECT_FALSE(item->GetEnabled());
  action->SetEnabled(true);

  // A caption of its own unlinks the caption until the action changes again, which shows the
  // action's values once more.
  item->SetCaption("Own caption");
  EXPECT_FALSE(item->GetActionLink()->IsCaptionLinked());
  EXPECT_TRUE(item->GetActionLink()->IsHintLinked());
  action->SetCaption("&Open");
  EXPECT_EQ(item->GetCaption(), "&Open");

  item->Click();
  EXPECT_EQ(counter.executes, 1);
  action->Free();
  EXPECT_EQ(item->GetAction(), nullptr);
  item->Click();  // keeps the click handler it took from the action
  EXPECT_EQ(counter.executes, 2);
}

namespace {

class TActionForm : public TComponent {
  KX_COMPONENT(TActionForm, TComponent)
 public:
  explicit TActionForm(TComponent* owner) : TComponent(owner) {}
  TMenuItem* item = nullptr;
  static void DeclareProperties(TPropertyTable& table) { table.For<TActionForm>().Field("item", &TActionForm::item); }
};

}  // namespace

TEST(ActionLinks, ALoadedItemKeepsWhatItSetsItselfAndTakesTheRestFromItsAction) {
  RegisterClass(TActionForm::StaticClass());
  const char* const kText = R"(object ActionForm: TActionForm
  object act: TAction
    Caption = 'Aus Aktion'
    Hint = 'Hinweis der Aktion'
  end
  object menu: TMainMenu
    object item: TMenuItem
      Action = act
      Caption = 'Eigener Text'
    end
  end
end
)";
  TActionForm form(nullptr);
  TReader reader("ActionForm");
  reader.ReadRootComponent(&form, ParseFormText(kText, "ActionForm"));
  ASSERT_NE(form.item, nullptr);
  EXPECT_EQ(form.item->GetCaption(), "Eigener Text");
  EXPECT_EQ(form.item->GetHint(), "Hinweis der Aktion");
  EXPECT_NE(form.item->GetAction(), nullptr);
}

TEST(ActionLinks, AControlTakesCaptionHintAndStateFromItsAction) {
  TComponent owner(nullptr);
  auto* action = new TAction(&owner);
  action->SetCaption("Index erstellen");
  action->SetHint("Startet den Lauf");
  auto* button = new TButton(&owner);
  button->SetAction(action);
  EXPECT_EQ(button->GetCaption(), "Index erstellen");
  EXPECT_EQ(button->GetHint(), "Startet den Lauf");
  action->SetCaption("Create Index");
  action->SetVisible(false);
  EXPECT_EQ(button->GetCaption(), "Create Index");
  EXPECT_FALSE(button->GetVisible());
  button->SetAction(nullptr);
  EXPECT_EQ(button->GetActionLink(), nullptr);
}

TEST(ActionLinks, TheApplicationHintIsExecutedAsAHintActionThatAWindowHookCanTake) {
  struct Hook : TObject {
    std::vector<std::string> hints;
    bool Take(TMessage& message) {
      if (message.Msg != CM_ACTIONEXECUTE) return false;
      auto* action = reinterpret_cast<TBasicAction*>(message.LParam);
      if (!Is<THintAction>(action)) return false;
      hints.push_back(static_cast<THintAction*>(action)->GetHint());
      message.Result = 1;
      return true;
    }
  } hook;
  ASSERT_NE(Application->GetHandle(), nullptr);
  Application->HookMainWindow(TWindowHook(&hook, &Hook::Take));
  Application->SetHint("Konfiguration laden|L\xE4" "dt eine Konfiguration");
  Application->SetHint("");
  Application->UnhookMainWindow(TWindowHook(&hook, &Hook::Take));
  EXPECT_EQ(hook.hints, (std::vector<std::string>{"Konfiguration laden|L\xE4" "dt eine Konfiguration", ""}));
}

TEST(ActionLinks, EachControlKindGetsTheLinkOfItsKind) {
  TComponent owner(nullptr);
  auto* action = new TAction(&owner);
  auto linkOf = [&](TControl* control) {
    control->SetAction(action);
    return control->GetActionLink()->ClassType();
  };
  EXPECT_EQ(linkOf(new TLabel(&owner)), TControlActionLink::StaticClass());
  EXPECT_EQ(linkOf(new TEdit(&owner)), TWinControlActionLink::StaticClass());
  EXPECT_EQ(linkOf(new TButton(&owner)), TButtonActionLink::StaticClass());
  EXPECT_EQ(linkOf(new TBitBtn(&owner)), TBitBtnActionLink::StaticClass());
  EXPECT_EQ(linkOf(new TSpeedButton(&owner)), TSpeedButtonActionLink::StaticClass());
}

TEST(ActionLinks, ASpeedButtonIsDownWhileItsActionIsChecked) {
  TComponent owner(nullptr);
  auto* action = new TAction(&owner);
  auto* button = new TSpeedButton(&owner);
  button->SetGroupIndex(1);
  action->SetGroupIndex(1);
  button->SetAllowAllUp(true);
  button->SetAction(action);
  action->SetChecked(true);
  EXPECT_TRUE(button->GetDown());
  action->SetChecked(false);
  EXPECT_FALSE(button->GetDown());
}

TEST(ActionLinks, TheHintOfAControlWithAnActionShowsTheActionsShortcut) {
  wintest::ShownForm form;
  auto* action = new TAction(form.Get());
  action->SetHint("Konfiguration laden|L\xE4" "dt eine Konfiguration");
  action->SetShortCut(ShortCut('K', ssCtrl));
  auto* button = new TButton(form.Get());
  button->SetParent(form.Get());
  button->SetShowHint(true);
  button->SetAction(action);
  wintest::Pump();
  Application->CancelHint();
  Application->ActivateHint(button->ClientToScreen(POINT{5, 5}));
  ASSERT_NE(Application->GetHintWindow(), nullptr);
  EXPECT_EQ(Application->GetHintWindow()->GetCaption(), "Konfiguration laden (Ctrl+K)");
  Application->SetHintShortCuts(false);
  Application->CancelHint();
  Application->ActivateHint(button->ClientToScreen(POINT{5, 5}));
  EXPECT_EQ(Application->GetHintWindow()->GetCaption(), "Konfiguration laden");
  Application->SetHintShortCuts(true);
  Application->CancelHint();
}
