// Wide actions and the wide action links of the controls.
#include "ucode/UCodeActnList.h"

#include "classlib/SysUtils.h"
#include "ucode/UCodeClasses.h"
#include "ucode/UCodeSysUtils.h"
#include "ucode/UCodeSystem.h"

namespace {

std::string Ansi(const std::wstring& text) { return WideStringToStringEx(text, 0); }
std::wstring Wide(const std::string& text) { return StringToWideStringEx(text, 0); }

// Clears a flag however the scope is left.
class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : FFlag(flag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& FFlag;
};

IWideCustomAction* WideAction(TCustomAction* action) { return dynamic_cast<IWideCustomAction*>(action); }

}  // namespace

// ---- helper ---------------------------------------------------------------------------------

TCustomActionHelper::TCustomActionHelper(TCustomAction* action) : TComponent(action), FAction(action) {}

TCustomActionHelper* FindActionHelper(TCustomAction* action) {
  for (int i = 0; i < action->GetComponentCount(); ++i)
    if (auto* helper = dynamic_cast<TCustomActionHelper*>(action->GetComponent(i))) return helper;
  return new TCustomActionHelper(action);
}

bool TCustomActionHelper::IsSetting(const TWideText& text, const std::string& current, std::wstring& value) {
  // Once the action holds the new 8-bit form, the links have been told.
  if (!text.Setting || (!text.TellingLinks && current == text.PendingAnsi)) return false;
  value = text.Value;
  return true;
}

std::wstring TCustomActionHelper::Get(TWideText& text, const std::string& current) {
  std::wstring pending;
  if (IsSetting(text, current, pending)) return text.Previous;
  return GetSyncedWideString(text.Value, current);
}

void TCustomActionHelper::Set(TWideText& text, const std::wstring& value, const std::string& current,
                              TAnsiSetter ansiSetter, TLinkSetter linkSetter) {
  const std::wstring previous = Get(text, current);
  if (value == previous) return;
  text.Previous = previous;
  text.PendingAnsi = Ansi(value);
  text.Value = value;
  TFlagScope setting(text.Setting);
  if (text.PendingAnsi != current) {
    // The library tells every link before it stores the 8-bit form, then announces the change.
    (FAction->*ansiSetter)(text.PendingAnsi);
    return;
  }
  // The 8-bit form stays (both texts have the same one, "???"): the library would tell no link,
  // so the links hear of the new wide text here, and then of the change.
  {
    TFlagScope telling(text.TellingLinks);
    for (int i = 0; i < FAction->GetClientCount(); ++i)
      if (auto* link = dynamic_cast<TActionLink*>(FAction->GetClient(i))) (link->*linkSetter)(text.PendingAnsi);
  }
  for (int i = 0; i < FAction->GetClientCount(); ++i) {
    TBasicActionLink* link = FAction->GetClient(i);
    if (link->OnChange) link->OnChange(FAction);
  }
}

void TCustomActionHelper::SetCaption(const std::wstring& value) {
  Set(FCaption, value, FAction->GetCaption(), &TCustomAction::SetCaption, &TActionLink::SetCaption);
}

void TCustomActionHelper::SetHint(const std::wstring& value) {
  Set(FHint, value, FAction->GetHint(), &TCustomAction::SetHint, &TActionLink::SetHint);
}

// ---- wide texts of any action ---------------------------------------------------------------

std::wstring WideGetActionCaption(TCustomAction* action) {
  return WideAction(action) ? FindActionHelper(action)->GetCaption() : Wide(action->GetCaption());
}

void WideSetActionCaption(TCustomAction* action, const std::wstring& value) {
  if (WideAction(action))
    FindActionHelper(action)->SetCaption(value);
  else
    action->SetCaption(Ansi(value));
}

std::wstring WideGetActionHint(TCustomAction* action) {
  return WideAction(action) ? FindActionHelper(action)->GetHint() : Wide(action->GetHint());
}

void WideSetActionHint(TCustomAction* action, const std::wstring& value) {
  if (WideAction(action))
    FindActionHelper(action)->SetHint(value);
  else
    action->SetHint(Ansi(value));
}

void WideAssignActionTexts(TCustomAction* action, TPersistent* source) {
  if (auto* other = dynamic_cast<TCustomAction*>(source)) {
    WideSetActionCaption(action, WideGetActionCaption(other));
    WideSetActionHint(action, WideGetActionHint(other));
  } else if (auto* control = dynamic_cast<TControl*>(source)) {
    WideSetActionCaption(action, WideGetControlText(control));
    WideSetActionHint(action, WideGetControlHint(control));
  }
}

// ---- TUCodeAction, TUCodeHintAction ---------------------------------------------------------

void TUCodeAction::DeclareProperties(TPropertyTable& table) {
  using Setter = void (TUCodeAction::*)(const std::wstring&);
  auto p = table.For<TUCodeAction>();
  p.WideString("Caption", &TUCodeAction::GetCaption, static_cast<Setter>(&TUCodeAction::SetCaption));
  p.WideString("Hint", &TUCodeAction::GetHint, static_cast<Setter>(&TUCodeAction::SetHint));
}

void TUCodeAction::DefineProperties(TFiler* filer) {
  TAction::DefineProperties(filer);
  DefineWideProperties(filer, this);
}

void TUCodeAction::Assign(TPersistent* source) {
  TAction::Assign(source);
  WideAssignActionTexts(this, source);
}

void TUCodeHintAction::DeclareProperties(TPropertyTable& table) {
  using Setter = void (TUCodeHintAction::*)(const std::wstring&);
  auto p = table.For<TUCodeHintAction>();
  p.WideString("Hint", &TUCodeHintAction::GetHint, static_cast<Setter>(&TUCodeHintAction::SetHint));
}

void TUCodeHintAction::DefineProperties(TFiler* filer) {
  THintAction::DefineProperties(filer);
  DefineWideProperties(filer, this);
}

void TUCodeHintAction::Assign(TPersistent* source) {
  THintAction::Assign(source);
  WideAssignActionTexts(this, source);
}

// ---- links ----------------------------------------------------------------------------------

bool WideSameHintText(const std::wstring& a, const std::wstring& b) { return WideUpperCase(a) == WideUpperCase(b); }

std::wstring WideActionLinkNewCaption(TBasicAction* action, const std::string& value) {
  auto* custom = dynamic_cast<TCustomAction*>(action);
  std::wstring wide;
  if (custom && WideAction(custom) && FindActionHelper(custom)->IsSettingCaption(wide)) return wide;
  return Wide(value);
}

std::wstring WideActionLinkNewHint(TBasicAction* action, const std::string& value) {
  auto* custom = dynamic_cast<TCustomAction*>(action);
  std::wstring wide;
  if (custom && WideAction(custom) && FindActionHelper(custom)->IsSettingHint(wide)) return wide;
  return Wide(value);
}

// -- menu items --
namespace {

std::wstring MenuItemCaption(Menus::TMenuItem* item) {
  auto* wide = dynamic_cast<TUCodeMenuItem*>(item);
  return wide ? wide->GetCaption() : Wide(item->GetCaption());
}

std::wstring MenuItemHint(Menus::TMenuItem* item) { return WideGetMenuItemHint(item); }

}  // namespace

bool TUCodeMenuActionLink::IsCaptionLinked() const {
  return TMenuActionLink::IsCaptionLinked() &&
         WideSameCaption(MenuItemCaption(FClient), WideGetActionCaption(static_cast<TCustomAction*>(FAction)));
}

bool TUCodeMenuActionLink::IsHintLinked() const {
  return TMenuActionLink::IsHintLinked() &&
         WideSameHintText(MenuItemHint(FClient), WideGetActionHint(static_cast<TCustomAction*>(FAction)));
}

void TUCodeMenuActionLink::SetCaption(const std::string& value) {
  if (!IsCaptionLinked()) return;
  if (auto* wide = dynamic_cast<TUCodeMenuItem*>(FClient))
    wide->SetCaption(WideActionLinkNewCaption(FAction, value));
  else
    FClient->SetCaption(value);
}

void TUCodeMenuActionLink::SetHint(const std::string& value) {
  if (!IsHintLinked()) return;
  if (auto* wide = dynamic_cast<TUCodeMenuItem*>(FClient))
    wide->SetHint(WideActionLinkNewHint(FAction, value));
  else
    FClient->SetHint(value);
}

// -- controls --
TClass WideGetActionLinkClass(const TControl* control, TClass libraryClass) {
  TClass wide;
  if (Is<TCustomListView>(control))
    wide = TUCodeListViewActionLink::StaticClass();
  else if (Is<TSpeedButton>(control))
    wide = TUCodeSpeedButtonActionLink::StaticClass();
  else if (Is<TBitBtn>(control))
    wide = TUCodeBitBtnActionLink::StaticClass();
  else if (libraryClass == TToolButtonActionLink::StaticClass())  // the library has no tool-button class
    wide = TUCodeToolButtonActionLink::StaticClass();
  else if (Is<StdCtrls::TButton>(control))
    wide = TUCodeButtonActionLink::StaticClass();
  else if (control->IsWindowed())
    wide = TUCodeWinControlActionLink::StaticClass();
  else
    wide = TUCodeControlActionLink::StaticClass();
  if (wide->ClassParent() != libraryClass)
    throw EUCodeInternalError("Internal Error: WideGetActionLinkClass (" + wide->ClassName() + " is no " +
                              (libraryClass ? libraryClass->ClassName() : std::string("nil")) + ").");
  return wide;
}

void WideControlActionChange(TControl* control, TObject* sender, bool checkDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(sender);
  if (!action || !WideAction(action)) return;
  const std::wstring caption = WideGetControlText(control);
  if (!checkDefaults || caption.empty() || caption == Wide(control->GetName()))
    WideSetControlText(control, WideGetActionCaption(action));
  if (!checkDefaults || WideGetControlHint(control).empty()) WideSetControlHint(control, WideGetActionHint(action));
}

namespace {

// The wide link classes are part of the wide controls themselves: every program that has a wide
// control can make their links, whether or not it reads form descriptions.
struct UCodeActnListUnit {
  UCodeActnListUnit() {
    RegisterActionLinkClass<TUCodeControlActionLink>();
    RegisterActionLinkClass<TUCodeWinControlActionLink>();
    RegisterActionLinkClass<TUCodeButtonActionLink>();
    RegisterActionLinkClass<TUCodeListViewActionLink>();
    RegisterActionLinkClass<TUCodeComboBoxExActionLink>();
    RegisterActionLinkClass<TUCodeToolButtonActionLink>();
    RegisterActionLinkClass<TUCodeSpeedButtonActionLink>();
    RegisterActionLinkClass<TUCodeBitBtnActionLink>();
    RegisterMenuActionLinkClass(TUCodeMenuActionLink::StaticClass(),
                                [](Menus::TMenuItem* client) -> TMenuActionLink* { return new TUCodeMenuActionLink(client); });
  }
};
UCodeActnListUnit ucodeActnListUnit;

}  // namespace

void RegisterUCodeActnList() {
  for (TClass cls : {TUCodeAction::StaticClass(), TUCodeHintAction::StaticClass()})
    if (GetClass(cls->ClassName()) != cls) RegisterClass(cls);
}
