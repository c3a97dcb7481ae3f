// Actions, action links and action lists.
#include "classlib/ActnList.h"

#include <algorithm>


// ---- links ----------------------------------------------------------------------------------
TBasicActionLink::~TBasicActionLink() {
  if (FAction) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* value) {
  if (value == FAction) return;
  if (FAction) FAction->UnRegisterChanges(this);
  FAction = value;
  if (FAction) FAction->RegisterChanges(this);
}

bool TBasicActionLink::Execute(TComponent*) { return FAction && FAction->Execute(); }

bool TBasicActionLink::Update() { return FAction && FAction->Update(); }

void TBasicActionLink::Change() {
  if (OnChange) OnChange(FAction);
}

bool TActionLink::IsCustomAction() const { return Is<TCustomAction>(FAction); }
bool TActionLink::IsCaptionLinked() const { return IsCustomAction(); }
bool TActionLink::IsCheckedLinked() const { return IsCustomAction(); }
bool TActionLink::IsEnabledLinked() const { return IsCustomAction(); }
bool TActionLink::IsHelpContextLinked() const { return IsCustomAction(); }
bool TActionLink::IsHintLinked() const { return IsCustomAction(); }
bool TActionLink::IsImageIndexLinked() const { return IsCustomAction(); }
bool TActionLink::IsShortCutLinked() const { return IsCustomAction(); }
bool TActionLink::IsVisibleLinked() const { return IsCustomAction(); }

// ---- TBasicAction ---------------------------------------------------------------------------
TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() { BeforeDestruction(); }

void TBasicAction::BeforeDestruction() {
  // The links outlive the action: they forget it.
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(FClients)) {
    link->FAction = nullptr;
    link->Change();
  }
  FClients.clear();
  TComponent::BeforeDestruction();
}

void TBasicAction::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FActionComponent) FActionComponent = nullptr;
}

void TBasicAction::SetActionComponent(TComponent* value) {
  if (FActionComponent == value) return;
  if (FActionComponent) FActionComponent->RemoveFreeNotification(this);
  FActionComponent = value;
  if (value) value->FreeNotification(this);
}

void TBasicAction::RegisterChanges(TBasicActionLink* link) {
  if (std::find(FClients.begin(), FClients.end(), link) == FClients.end()) FClients.push_back(link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* link) {
  FClients.erase(std::remove(FClients.begin(), FClients.end(), link), FClients.end());
}

void TBasicAction::SetOnExecute(const TNotifyEvent& value) {
  if (FOnExecute.SameMethod(value)) return;
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(FClients)) link->SetOnExecute(value);
  FOnExecute = value;
  Change();
}

void TBasicAction::Change() {
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(FClients)) link->Change();
}

namespace {

// Offers the action to the application window, where its hooks see it first.
bool SendToApplication(UINT msg, TBasicAction* action) {
  HWND window = ApplicationWindow ? ApplicationWindow() : nullptr;
  if (!window) return false;
  return SendMessageA(window, msg, 0, reinterpret_cast<LPARAM>(action)) != 0;
}

}  // namespace

bool TBasicAction::Execute() {
  if (FOnExecute) {
    FOnExecute(this);
    return true;
  }
  return SendToApplication(CM_ACTIONEXECUTE, this);
}

bool TBasicAction::Update() {
  if (OnUpdate) {
    OnUpdate(this);
    return true;
  }
  return SendToApplication(CM_ACTIONUPDATE, this);
}

void TBasicAction::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TBasicAction>();
  p.Event("OnExecute", &TBasicAction::GetOnExecute, &TBasicAction::SetOnExecute);
  p.Event("OnUpdate", &TBasicAction::OnUpdate);
}

// ---- TContainedAction -----------------------------------------------------------------------
TContainedAction::TContainedAction(TComponent* owner) : TBasicAction(owner) {}

TContainedAction::~TContainedAction() { SetActionList(nullptr); }

void TContainedAction::SetActionList(TCustomActionList* value) {
  if (value == FActionList) return;
  if (FActionList) FActionList->RemoveAction(this);
  if (value) value->AddAction(this);
}

int TContainedAction::GetIndex() const { return FActionList ? FActionList->IndexOf(this) : -1; }

TComponent* TContainedAction::GetParentComponent() const { return FActionList; }

void TContainedAction::SetParentComponent(TComponent* value) {
  if (auto* list = dynamic_cast<TCustomActionList*>(value)) SetActionList(list);
}

bool TContainedAction::Execute() {
  if (FActionList && FActionList->ExecuteAction(this)) return true;
  return TBasicAction::Execute();
}

bool TContainedAction::Update() {
  if (FActionList && FActionList->UpdateAction(this)) return true;
  return TBasicAction::Update();
}

// ---- TCustomAction --------------------------------------------------------------------------
TCustomAction::TCustomAction(TComponent* owner) : TContainedAction(owner) {}

template <class Apply>
void TCustomAction::ForEachLink(Apply apply) {
  for (TBasicActionLink* link : std::vector<TBasicActionLink*>(FClients))
    if (auto* actionLink = dynamic_cast<TActionLink*>(link)) apply(actionLink);
}

void TCustomAction::SetCaption(const std::string& value) {
  if (value == FCaption) return;
  ForEachLink([&](TActionLink* link) { link->SetCaption(value); });
  FCaption = value;
  Change();
}

void TCustomAction::SetHint(const std::string& value) {
  if (value == FHint) return;
  ForEachLink([&](TActionLink* link) { link->SetHint(value); });
  FHint = value;
  Change();
}

void TCustomAction::SetChecked(bool value) {
  if (value == FChecked) return;
  ForEachLink([&](TActionLink* link) { link->SetChecked(value); });
  FChecked = value;
  // A checked action of a group unchecks the others of its list and group.
  if (value && FGroupIndex > 0 && GetActionList()) {
    for (int i = 0; i < GetActionList()->GetActionCount(); ++i) {
      auto* other = dynamic_cast<TCustomAction*>(GetActionList()->GetAction(i));
      if (other && other != this && other->FGroupIndex == FGroupIndex) other->SetChecked(false);
    }
  }
  Change();
}

void TCustomAction::SetEnabled(bool value) {
  if (value == FEnabled) return;
  ForEachLink([&](TActionLink* link) { link->SetEnabled(value); });
  FEnabled = value;
  Change();
}

void TCustomAction::SetVisible(bool value) {
  if (value == FVisible) return;
  ForEachLink([&](TActionLink* link) { link->SetVisible(value); });
  FVisible = value;
  Change();
}

void TCustomAction::SetShortCut(WORD value) {
  if (value == FShortCut) return;
  ForEachLink([&](TActionLink* link) { link->SetShortCut(value); });
  FShortCut = value;
  Change();
}

void TCustomAction::SetHelpContext(int value) {
  if (value == FHelpContext) return;
  ForEachLink([&](TActionLink* link) { link->SetHelpContext(value); });
  FHelpContext = value;
  Change();
}

void TCustomAction::SetImageIndex(int value) {
  if (value == FImageIndex) return;
  ForEachLink([&](TActionLink* link) { link->SetImageIndex(value); });
  FImageIndex = value;
  Change();
}

void TCustomAction::SetGroupIndex(int value) {
  if (value == FGroupIndex) return;
  FGroupIndex = value;
  Change();
}

bool TCustomAction::Execute() {
  Update();
  if (!FEnabled) return false;
  if (FAutoCheck) SetChecked(!FChecked);
  return TContainedAction::Execute();
}

void TCustomAction::Assign(TPersistent* source) {
  auto* action = dynamic_cast<TCustomAction*>(source);
  if (!action) {
    TContainedAction::Assign(source);
    return;
  }
  SetCaption(action->FCaption);
  SetHint(action->FHint);
  SetChecked(action->FChecked);
  SetEnabled(action->FEnabled);
  SetVisible(action->FVisible);
  SetShortCut(action->FShortCut);
  SetHelpContext(action->FHelpContext);
  SetImageIndex(action->FImageIndex);
  SetGroupIndex(action->FGroupIndex);
  SetAutoCheck(action->FAutoCheck);
  SetCategory(action->GetCategory());
  SetOnExecute(action->GetOnExecute());
}

TAction::TAction(TComponent* owner) : TCustomAction(owner) { SetDisableIfNoHandler(true); }

void TAction::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TAction>();
  p.String("Caption", &TAction::GetCaption, &TAction::SetCaption);
  p.String("Hint", &TAction::GetHint, &TAction::SetHint);
  p.String("Category", &TAction::GetCategory, &TAction::SetCategory);
  p.Boolean("Checked", &TAction::GetChecked, &TAction::SetChecked);
  p.Boolean("Enabled", &TAction::GetEnabled, &TAction::SetEnabled);
  p.Boolean("Visible", &TAction::GetVisible, &TAction::SetVisible);
  p.Boolean("AutoCheck", &TAction::GetAutoCheck, &TAction::SetAutoCheck);
  p.Integer("ShortCut", &TAction::GetShortCut, &TAction::SetShortCut);
  p.Integer("HelpContext", &TAction::GetHelpContext, &TAction::SetHelpContext);
  p.Integer("ImageIndex", &TAction::GetImageIndex, &TAction::SetImageIndex);
  p.Integer("GroupIndex", &TAction::GetGroupIndex, &TAction::SetGroupIndex);
}

THintAction::THintAction(TComponent* owner) : TCustomAction(owner) { SetDisableIfNoHandler(false); }

// ---- action lists ---------------------------------------------------------------------------
TCustomActionList::TCustomActionList(TComponent* owner) : TComponent(owner) {}

TCustomActionList::~TCustomActionList() { BeforeDestruction(); }

void TCustomActionList::BeforeDestruction() {
  for (TContainedAction* action : std::vector<TContainedAction*>(FActions)) action->SetActionList(nullptr);
  TComponent::BeforeDestruction();
}

int TCustomActionList::IndexOf(const TContainedAction* action) const {
  auto it = std::find(FActions.begin(), FActions.end(), action);
  return it == FActions.end() ? -1 : static_cast<int>(it - FActions.begin());
}

void TCustomActionList::AddAction(TContainedAction* action) {
  FActions.push_back(action);
  action->FActionList = this;
}

void TCustomActionList::RemoveAction(TContainedAction* action) {
  FActions.erase(std::remove(FActions.begin(), FActions.end(), action), FActions.end());
  action->FActionList = nullptr;
}

bool TCustomActionList::ExecuteAction(TBasicAction* action) {
  bool handled = false;
  if (OnExecute) OnExecute(action, handled);
  return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* action) {
  bool handled = false;
  if (OnUpdate) OnUpdate(action, handled);
  return handled;
}

TActionList::TActionList(TComponent* owner) : TCustomActionList(owner) {}

void TCustomActionList::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TCustomActionList>();
  p.Event("OnExecute", &TCustomActionList::OnExecute);
  p.Event("OnUpdate", &TCustomActionList::OnUpdate);
}

void RegisterActionClasses() {
  // A class that another unit registered under the same name (a replacement) stays.
  for (TClass cls : {TAction::StaticClass(), THintAction::StaticClass(), TActionList::StaticClass()})
    if (!GetClass(cls->ClassName())) RegisterClass(cls);
}
