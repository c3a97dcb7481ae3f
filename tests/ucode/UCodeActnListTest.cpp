// Wide actions and their links: wide captions and hints held by the action and handed to the
// wide controls linked to it, through their real windows.
#include "ucode/UCodeActnList.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "WindowsTestSupport.h"
#include "classlib/FormReader.h"
#include "ucode/UCodeClasses.h"
#include "ucode/UCodeComCtrls.h"
#include "ucode/UCodeExtCtrls.h"
#include "ucode/UCodeForms.h"
#include "ucode/UCodeMenus.h"
#include "ucode/UCodeStdCtrls.h"
#include "ucode/UCodeSystem.h"

using wintest::PlaceOn;

namespace {

const std::wstring kOpen = L"&\x041E\x0442\x043A\x0440\x044B\x0442\x044C";  // &Открыть
const std::wstring kOpenHint = L"\x041E\x0442\x043A\x0440\x044B\x0432\x0430\x0435\x0442 \x0444\x0430\x0439\x043B";
const std::wstring kPeace = L"\x041C\x0438\x0440";  // Мир
const std::wstring kHouse = L"\x0414\x043E\x043C";  // Дом: the same 8-bit form as Мир, "???"

std::string Ansi(const std::wstring& text) { return WideStringToStringEx(text, 0); }

// Records the wide caption the action shows while a linked client is told of a new one.
class TWatchingLink : public TUCodeControlActionLink {
 public:
  using TUCodeControlActionLink::TUCodeControlActionLink;
  std::vector<std::wstring> seen;
  void SetCaption(const std::string& value) override {
    seen.push_back(WideGetActionCaption(static_cast<TCustomAction*>(FAction)));
    TUCodeControlActionLink::SetCaption(value);
  }
};

// A component holding actions and the controls linked to them, read from a form description.
class TActionHost : public TComponent {
  KX_COMPONENT(TActionHost, TComponent)
 public:
  explicit TActionHost(TComponent* owner) : TComponent(owner) {}
  TUCodeAction* act = nullptr;
  TUCodeButton* taking = nullptr;
  TUCodeButton* own = nullptr;
  static void DeclareProperties(TPropertyTable& table) {
    auto p = table.For<TActionHost>();
    p.Field("act", &TActionHost::act);
    p.Field("taking", &TActionHost::taking);
    p.Field("own", &TActionHost::own);
  }
};

// Turns the wide values of form descriptions on for one test.
class WideFormValuesOn {
 public:
  WideFormValuesOn() : m_saved(WideFormValuesEnabled) { WideFormValuesEnabled = true; }
  ~WideFormValuesOn() { WideFormValuesEnabled = m_saved; }
  WideFormValuesOn(const WideFormValuesOn&) = delete;
  WideFormValuesOn& operator=(const WideFormValuesOn&) = delete;

 private:
  bool m_saved;
};

}  // namespace

TEST(WideActions, TheWideTextCountsWhileItsEightBitFormIsTheActions) {
  TComponent owner(nullptr);
  auto* action = new TUCodeAction(&owner);
  action->SetCaption(kOpen);
  action->SetHint(kOpenHint);
  EXPECT_EQ(action->GetCaption(), kOpen);
  EXPECT_EQ(action->GetHint(), kOpenHint);
  EXPECT_EQ(action->TCustomAction::GetCaption(), Ansi(kOpen));
  EXPECT_EQ(WideGetActionCaption(action), kOpen);

  // A wide text of the same 8-bit form as the current one is still a new text.
  action->SetCaption(kPeace);
  action->SetCaption(kHouse);
  EXPECT_EQ(action->GetCaption(), kHouse);

  // Changed behind the layer's back, the 8-bit caption counts; an empty one clears the wide one.
  action->TCustomAction::SetCaption("Plain");
  EXPECT_EQ(action->GetCaption(), L"Plain");
  action->SetCaption(kPeace);
  action->TCustomAction::SetCaption("");
  EXPECT_EQ(action->GetCaption(), L"");

  // An 8-bit action has no wide texts: the routines convert.
  auto* plain = new TAction(&owner);
  WideSetActionCaption(plain, L"\x00C4nderung \x0416");
  EXPECT_EQ(plain->GetCaption(), "\xC4nderung ?");
  EXPECT_EQ(WideGetActionCaption(plain), L"\x00C4nderung ?");

  auto* hints = new TUCodeHintAction(&owner);
  hints->SetHint(kOpenHint);
  EXPECT_EQ(WideGetActionHint(hints), kOpenHint);
  EXPECT_EQ(hints->THintAction::GetHint(), Ansi(kOpenHint));
}

TEST(WideActions, AssignTakesTheWideTextsOfAnActionOrAControl) {
  wintest::ShownForm form;
  auto* source = new TUCodeAction(form.Get());
  source->SetCaption(kOpen);
  source->SetHint(kOpenHint);
  source->SetShortCut(ShortCut('O', ssCtrl));
  auto* copy = new TUCodeAction(form.Get());
  copy->Assign(source);
  EXPECT_EQ(copy->GetCaption(), kOpen);
  EXPECT_EQ(copy->GetHint(), kOpenHint);
  EXPECT_EQ(copy->GetShortCut(), ShortCut('O', ssCtrl));

  auto* button = PlaceOn<TUCodeButton>(form.Get(), 10, 10, 120, 28);
  button->SetCaption(kHouse);
  button->SetHint(kPeace);
  WideAssignActionTexts(copy, button);
  EXPECT_EQ(copy->GetCaption(), kHouse);
  EXPECT_EQ(copy->GetHint(), kPeace);
}

TEST(WideActionLinks, LinkedButtonCheckBoxAndLabelShowTheWideTextsAndFollowChanges) {
  wintest::ShownForm form;
  auto* action = new TUCodeAction(form.Get());
  action->SetCaption(kOpen);
  action->SetHint(kOpenHint);
  auto* button = PlaceOn<TUCodeButton>(form.Get(), 10, 10, 120, 28);
  auto* check = PlaceOn<TUCodeCheckBox>(form.Get(), 10, 50, 160, 20);
  auto* label = PlaceOn<TUCodeLabel>(form.Get(), 10, 80, 160, 20);
  for (TControl* client : std::initializer_list<TControl*>{button, check, label}) client->SetAction(action);
  wintest::Pump();

  EXPECT_TRUE(IsWindowUnicode(button->GetHandle()));
  EXPECT_EQ(wintest::WideWindowText(button->GetHandle()), kOpen);
  EXPECT_EQ(wintest::WideWindowText(check->GetHandle()), kOpen);
  EXPECT_EQ(label->GetCaption(), kOpen);
  for (TControl* client : std::initializer_list<TControl*>{button, check, label}) {
    EXPECT_EQ(WideGetControlHint(client), kOpenHint) << client->ClassName();
    EXPECT_TRUE(client->GetActionLink()->IsCaptionLinked()) << client->ClassName();
    EXPECT_TRUE(client->GetActionLink()->IsHintLinked()) << client->ClassName();
  }

  // New texts reach every client, also one of the same 8-bit form as the last.
  action->SetCaption(kPeace);
  action->SetCaption(kHouse);
  action->SetHint(kPeace);
  EXPECT_EQ(wintest::WideWindowText(button->GetHandle()), kHouse);
  EXPECT_EQ(wintest::WideWindowText(check->GetHandle()), kHouse);
  EXPECT_EQ(label->GetCaption(), kHouse);
  EXPECT_EQ(WideGetControlHint(check), kPeace);

  // A client with a caption of its own no longer follows the action's caption; the others do.
  check->SetCaption(L"\x0421\x0432\x043E\x0439");  // Свой
  EXPECT_FALSE(check->GetActionLink()->IsCaptionLinked());
  action->SetCaption(kOpen);
  EXPECT_EQ(wintest::WideWindowText(check->GetHandle()), L"\x0421\x0432\x043E\x0439");
  EXPECT_EQ(wintest::WideWindowText(button->GetHandle()), kOpen);

  // The 8-bit caption changed directly: every linked client shows it, widened.
  action->TCustomAction::SetCaption("&Neu");
  EXPECT_EQ(wintest::WideWindowText(button->GetHandle()), L"&Neu");
  EXPECT_EQ(label->GetCaption(), L"&Neu");
}

TEST(WideActionLinks, ALinkComparesItsClientWithTheWideTextBeforeTheNewOne) {
  wintest::ShownForm form;
  auto* action = new TUCodeAction(form.Get());
  action->SetCaption(kPeace);
  auto* label = PlaceOn<TUCodeLabel>(form.Get(), 10, 10, 100, 20);
  label->SetCaption(L"\x043C\x0438\x0440");  // мир: the same caption, case aside
  TWatchingLink link(label);
  link.SetAction(action);
  EXPECT_TRUE(link.IsCaptionLinked());
  action->SetCaption(kOpen);
  action->SetCaption(kHouse);
  EXPECT_EQ(link.seen, (std::vector<std::wstring>{kPeace, kOpen}));
  EXPECT_EQ(label->GetCaption(), kHouse);
  // A caption of the same 8-bit form but other wide text is the client's own.
  label->SetCaption(kPeace);
  EXPECT_FALSE(link.IsCaptionLinked());
}

TEST(WideActionLinks, ActionChangeTakesWhatTheControlLeavesAtItsDefault) {
  wintest::ShownForm form;
  auto* action = new TUCodeAction(form.Get());
  action->SetCaption(kOpen);
  action->SetHint(kOpenHint);
  auto* named = PlaceOn<TUCodeButton>(form.Get(), 10, 10, 100, 28);
  named->SetName("named");
  named->SetCaption(L"named");
  auto* own = PlaceOn<TUCodeButton>(form.Get(), 10, 40, 100, 28);
  own->SetCaption(kHouse);
  own->SetHint(kPeace);
  // While loading (check defaults): only the caption that is the control's name and the empty
  // hint are replaced.
  WideControlActionChange(named, action, true);
  WideControlActionChange(own, action, true);
  EXPECT_EQ(named->GetCaption(), kOpen);
  EXPECT_EQ(named->GetHint(), kOpenHint);
  EXPECT_EQ(own->GetCaption(), kHouse);
  EXPECT_EQ(own->GetHint(), kPeace);
  WideControlActionChange(own, action, false);
  EXPECT_EQ(own->GetCaption(), kOpen);
  EXPECT_EQ(own->GetHint(), kOpenHint);
  // An 8-bit action is left to the library.
  auto* plain = new TAction(form.Get());
  plain->SetCaption("plain");
  WideControlActionChange(own, plain, false);
  EXPECT_EQ(own->GetCaption(), kOpen);
}

TEST(WideActionLinks, EveryWideControlKindGetsTheWideFormOfItsLibraryLink) {
  wintest::ShownForm form;
  auto* action = new TUCodeAction(form.Get());
  struct Case {
    TControl* control;
    TClass link;
  };
  const Case cases[] = {
      {PlaceOn<TUCodeButton>(form.Get(), 0, 0, 50, 20), TUCodeButtonActionLink::StaticClass()},
      {PlaceOn<TUCodeCheckBox>(form.Get(), 0, 0, 50, 20), TUCodeWinControlActionLink::StaticClass()},
      {PlaceOn<TUCodeEdit>(form.Get(), 0, 0, 50, 20), TUCodeWinControlActionLink::StaticClass()},
      {PlaceOn<TUCodeListView>(form.Get(), 0, 0, 50, 20), TUCodeListViewActionLink::StaticClass()},
      {PlaceOn<TUCodeLabel>(form.Get(), 0, 0, 50, 20), TUCodeControlActionLink::StaticClass()},
      {PlaceOn<TUCodePanel>(form.Get(), 0, 0, 50, 20), TUCodeWinControlActionLink::StaticClass()},
      {PlaceOn<TUCodeImage>(form.Get(), 0, 0, 50, 20), TUCodeControlActionLink::StaticClass()},
      {PlaceOn<TUCodeProgressBar>(form.Get(), 0, 0, 50, 20), TUCodeWinControlActionLink::StaticClass()},
  };
  for (const Case& c : cases) {
    c.control->SetAction(action);
    EXPECT_EQ(c.control->GetActionLink()->ClassType(), c.link) << c.control->ClassName();
  }
  // A library choice that the control's kind does not explain is an internal error.
  EXPECT_THROW(WideGetActionLinkClass(cases[0].control, TWinControlActionLink::StaticClass()), EUCodeInternalError);
  // The speed button's wide link takes the group from any custom action.
  auto* speed = PlaceOn<TSpeedButton>(form.Get(), 0, 0, 20, 20);
  TUCodeSpeedButtonActionLink speedLink(speed);
  EXPECT_FALSE(speedLink.IsGroupIndexLinked());
  speedLink.SetAction(action);
  EXPECT_TRUE(speedLink.IsGroupIndexLinked());
}

TEST(WideActionLinks, TheHintWindowShowsTheActionsWideHint) {
  wintest::ShownForm form;
  auto* action = new TUCodeAction(form.Get());
  action->SetHint(kOpenHint + L"|the long part");
  auto* button = PlaceOn<TUCodeButton>(form.Get(), 10, 10, 120, 28);
  button->SetAction(action);
  THintInfo info;
  info.HintControl = button;
  info.HintWindowClass = THintWindow::StaticClass();
  button->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_EQ(info.HintWindowClass, TUCodeCustomHintWindow::StaticClass());
  EXPECT_EQ(info.HintStr, Ansi(kOpenHint));
  auto* window = static_cast<THintWindow*>(info.HintWindowClass->Create(form.Get()));
  RECT rect = window->CalcHintRect(400, info.HintStr, info.HintData);
  OffsetRect(&rect, 50, 50);
  window->ActivateHintData(rect, info.HintStr, info.HintData);
  EXPECT_EQ(wintest::WideWindowText(window->GetHandle()), kOpenHint);
  window->ReleaseHandle();
}

TEST(WideActions, ReadFromAFormDescriptionTheyGiveLoadedControlsWhatTheyLeaveOpen) {
  RegisterUCodeActnList();
  for (TClass cls : {TActionHost::StaticClass(), TUCodeButton::StaticClass()})
    if (!GetClass(cls->ClassName())) RegisterClass(cls);
  WideFormValuesOn wide;
  // "CaptionW" and "HintW" hold UTF-8: Открыть and Файл.
  const char* const kText = R"(object Host: TActionHost
  object act: TUCodeAction
    Caption = '&???????'
    CaptionW = '&'#208#158#209#130#208#186#209#128#209#139#209#130#209#140
    Hint = '????'
    HintW = #208#164#208#176#208#185#208#187
  end
  object taking: TUCodeButton
    Action = act
  end
  object own: TUCodeButton
    Action = act
    Caption = 'Eigener Text'
  end
end
)";
  TActionHost host(nullptr);
  TReader reader("Host");
  reader.ReadRootComponent(&host, ParseFormText(kText, "Host"));
  ASSERT_NE(host.act, nullptr);
  EXPECT_EQ(host.act->GetCaption(), kOpen);
  const std::wstring file = L"\x0424\x0430\x0439\x043B";
  EXPECT_EQ(host.act->GetHint(), file);
  EXPECT_EQ(host.taking->GetCaption(), kOpen);
  EXPECT_EQ(host.taking->GetHint(), file);
  EXPECT_EQ(host.own->GetCaption(), L"Eigener Text");
  EXPECT_EQ(host.own->GetHint(), file);
}

namespace {

std::wstring EntryText(HMENU menu, UINT position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return L"<no entry>";
  std::wstring text(info.cch + 1, L'\0');
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  GetMenuItemInfoW(menu, position, TRUE, &info);
  text.resize(info.cch);
  return text;
}

}  // namespace

TEST(WideActionLinks, LinkedMenuItemsShowTheWideTextsInTheNativeMenuAndFollowChanges) {
  InitUCodeForms();
  wintest::ShownForm form;
  auto* action = new TUCodeAction(form.Get());
  action->SetCaption(kOpen);
  action->SetHint(kOpenHint);
  action->SetShortCut(ShortCut('O', ssCtrl));
  auto* menu = new TUCodeMainMenu(form.Get());
  auto* file = new TUCodeMenuItem(form.Get());
  file->SetCaption(L"\x0424\x0430\x0439\x043B");  // Файл
  auto* open = new TUCodeMenuItem(form.Get());
  auto* other = new TUCodeMenuItem(form.Get());
  file->Add(open);
  file->Add(other);
  menu->GetItems()->Add(file);
  form->SetMenu(menu);
  open->SetAction(action);
  other->SetAction(action);
  EXPECT_EQ(open->GetActionLink()->ClassType(), TUCodeMenuActionLink::StaticClass());
  EXPECT_EQ(EntryText(file->GetHandle(), 0), kOpen + L"\tCtrl+O");
  EXPECT_EQ(WideGetMenuItemHint(open), kOpenHint);
  EXPECT_TRUE(open->GetActionLink()->IsCaptionLinked());

  // New texts reach the native entries, also one of the same 8-bit form as the last.
  action->SetCaption(kPeace);
  action->SetCaption(kHouse);
  action->SetHint(kPeace);
  EXPECT_EQ(EntryText(file->GetHandle(), 0), kHouse + L"\tCtrl+O");
  EXPECT_EQ(EntryText(file->GetHandle(), 1), kHouse + L"\tCtrl+O");
  EXPECT_EQ(WideGetMenuItemHint(other), kPeace);

  // The 8-bit caption changed directly: the items show it, widened.
  action->TCustomAction::SetCaption("&Neu");
  EXPECT_EQ(EntryText(file->GetHandle(), 0), L"&Neu\tCtrl+O");
  form->SetMenu(nullptr);
}

namespace {

// The lines a written form description holds for the object of that name, up to its own end.
std::string WrittenObject(const std::string& text, const std::string& name) {
  size_t start = text.find("object " + name + ":");
  if (start == std::string::npos) return "<not written>";
  size_t indent = start - text.rfind('\n', start) - 1;
  size_t end = text.find("\n" + std::string(indent, ' ') + "end\n", start);
  return text.substr(start, end - start);
}

template <class C>
C* Named(TComponent* owner, const char* name) {
  auto* component = new C(owner);
  component->SetName(name);
  return component;
}

}  // namespace

// A written form keeps the wide texts of its controls and menu items, but not those that a
// linked action supplies: those come from the action when the form is read again.
TEST(WideActions, AFormStoresOnlyTheWideTextsNoActionSupplies) {
  wintest::ShownForm form;
  form->SetName("Host");
  auto* action = Named<TUCodeAction>(form.Get(), "act");
  action->SetCaption(kOpen);
  action->SetHint(kOpenHint);
  auto* taking = Named<TUCodeButton>(form.Get(), "taking");
  auto* own = Named<TUCodeCheckBox>(form.Get(), "own");
  auto* sheetLabel = Named<TUCodeLabel>(form.Get(), "free");
  auto* edit = Named<TUCodeEdit>(form.Get(), "typed");
  for (TControl* control : std::initializer_list<TControl*>{taking, own, sheetLabel, edit}) control->SetParent(form.Get());
  taking->SetAction(action);
  own->SetAction(action);
  own->SetCaption(kPeace);
  sheetLabel->SetCaption(kHouse);
  sheetLabel->SetHint(kPeace);
  edit->SetAction(action);
  auto* menu = Named<TUCodeMainMenu>(form.Get(), "menu");
  auto* linkedItem = Named<TUCodeMenuItem>(form.Get(), "linkedItem");
  auto* ownItem = Named<TUCodeMenuItem>(form.Get(), "ownItem");
  menu->GetItems()->Add(linkedItem);
  menu->GetItems()->Add(ownItem);
  linkedItem->SetAction(action);
  ownItem->SetAction(action);
  ownItem->SetCaption(kHouse);
  ownItem->SetHint(kPeace);

  const std::string text = WriteComponentText(form.Get());
  const std::string utf7Open = WideStringToUTF7(kOpen);
  EXPECT_NE(WrittenObject(text, "act").find("Caption_UTF7 = '" + utf7Open + "'"), std::string::npos) << text;
  EXPECT_NE(WrittenObject(text, "act").find("Hint_UTF7"), std::string::npos) << text;
  // Linked: neither text of the action is written again with the clients.
  for (const char* name : {"taking", "linkedItem", "typed"}) {
    EXPECT_EQ(WrittenObject(text, name).find("Caption_UTF7"), std::string::npos) << name << "\n" << text;
    EXPECT_EQ(WrittenObject(text, name).find("Hint_UTF7"), std::string::npos) << name << "\n" << text;
  }
  // A caption of their own is theirs to store; the hint still comes from the action.
  EXPECT_NE(WrittenObject(text, "own").find("Caption_UTF7 = '" + WideStringToUTF7(kPeace) + "'"), std::string::npos);
  EXPECT_EQ(WrittenObject(text, "own").find("Hint_UTF7"), std::string::npos) << text;
  EXPECT_NE(WrittenObject(text, "ownItem").find("Caption_UTF7 = '" + WideStringToUTF7(kHouse) + "'"), std::string::npos);
  EXPECT_NE(WrittenObject(text, "ownItem").find("Hint_UTF7 = '" + WideStringToUTF7(kPeace) + "'"), std::string::npos);
  // An edit's text is its caption: the action gives it too.
  EXPECT_EQ(edit->GetText(), kOpen);
  EXPECT_EQ(WrittenObject(text, "typed").find("Text_UTF7"), std::string::npos) << text;
  // Without an action every wide text is stored.
  EXPECT_NE(WrittenObject(text, "free").find("Caption_UTF7 = '" + WideStringToUTF7(kHouse) + "'"), std::string::npos);
  EXPECT_NE(WrittenObject(text, "free").find("Hint_UTF7 = '" + WideStringToUTF7(kPeace) + "'"), std::string::npos);
  form->SetMenu(nullptr);
}
