// Actions: commands with a caption, hint, shortcut and state that several clients (controls,
// menu items) share through action links, the hint action the application executes when its
// hint changes, and action lists.
//
// An action notifies each of its links of a change before it stores the new value, so that a
// link can still compare the client's text with the old one.
#pragma once

#include <string>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/Messages.h"
#include "classlib/TypInfo.h"

class TBasicAction;
class TCustomActionList;

// Performed on the application window (and by it on the main form) to let a target handle an
// action: LParam is the TBasicAction; Result non-zero when it was handled.
constexpr UINT CM_ACTIONUPDATE = CM_BASE + 63;
constexpr UINT CM_ACTIONEXECUTE = CM_BASE + 64;

// ---------------------------------------------------------------------------------------------
// The link between one client and its action.
class TBasicActionLink : public TObject {
  KX_CLASS(TBasicActionLink, TObject)
 public:
  TBasicActionLink() = default;
  ~TBasicActionLink() override;
  TBasicActionLink(const TBasicActionLink&) = delete;
  TBasicActionLink& operator=(const TBasicActionLink&) = delete;

  TBasicAction* GetAction() const { return FAction; }
  // Leaves the previous action's client list and joins the new one's.
  virtual void SetAction(TBasicAction* value);
  // Runs the action for the target; false when there is no action or it did nothing.
  virtual bool Execute(TComponent* target = nullptr);
  // Runs the action's update; false when there is no action or nothing handled it.
  virtual bool Update();
  virtual bool IsOnExecuteLinked() const { return FAction != nullptr; }
  virtual void SetOnExecute(const TNotifyEvent&) {}

  // Heard from the action when one of its properties changed.
  TNotifyEvent OnChange;

 protected:
  friend class TBasicAction;
  virtual void Change();
  TBasicAction* FAction = nullptr;
};

// A link whose client shows the action's caption, hint, state and shortcut. Each Is...Linked
// test says whether the client takes that property from the action; each setter is called by
// the action with the new value before the action stores it.
class TActionLink : public TBasicActionLink {
  KX_CLASS(TActionLink, TBasicActionLink)
 public:
  virtual bool IsCaptionLinked() const;
  virtual bool IsCheckedLinked() const;
  virtual bool IsEnabledLinked() const;
  virtual bool IsHelpContextLinked() const;
  virtual bool IsHintLinked() const;
  virtual bool IsImageIndexLinked() const;
  virtual bool IsShortCutLinked() const;
  virtual bool IsVisibleLinked() const;
  virtual void SetCaption(const std::string&) {}
  virtual void SetChecked(bool) {}
  virtual void SetEnabled(bool) {}
  virtual void SetHelpContext(int) {}
  virtual void SetHint(const std::string&) {}
  virtual void SetImageIndex(int) {}
  virtual void SetShortCut(WORD) {}
  virtual void SetVisible(bool) {}

 protected:
  // True when the action is a custom action (one with these properties).
  bool IsCustomAction() const;
};

// ---------------------------------------------------------------------------------------------
class TBasicAction : public TComponent {
  KX_COMPONENT(TBasicAction, TComponent)
 public:
  explicit TBasicAction(TComponent* owner);
  ~TBasicAction() override;

  // OnExecute when assigned; else the action is offered to the application window
  // (CM_ACTIONEXECUTE), where hooks and the main form may handle it. True when handled.
  virtual bool Execute();
  // OnUpdate when assigned, else CM_ACTIONUPDATE to the application window.
  virtual bool Update();
  // The target's turn: true when the action knows how to act on it.
  virtual bool HandlesTarget(TObject*) { return false; }
  virtual void ExecuteTarget(TObject*) {}
  virtual void UpdateTarget(TObject*) {}

  int GetClientCount() const { return static_cast<int>(FClients.size()); }
  TBasicActionLink* GetClient(int index) const { return FClients.at(static_cast<size_t>(index)); }
  void RegisterChanges(TBasicActionLink* link);
  void UnRegisterChanges(TBasicActionLink* link);

  TComponent* GetActionComponent() const { return FActionComponent; }
  void SetActionComponent(TComponent* value);

  TNotifyEvent GetOnExecute() const { return FOnExecute; }
  virtual void SetOnExecute(const TNotifyEvent& value);
  TNotifyEvent OnUpdate;

  static void DeclareProperties(TPropertyTable& table);

 protected:
  // Tells every link that the action changed (their OnChange).
  virtual void Change();
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;

  std::vector<TBasicActionLink*> FClients;
  TNotifyEvent FOnExecute;
  TComponent* FActionComponent = nullptr;
};

// An action that may sit in an action list, in a category.
class TContainedAction : public TBasicAction {
  KX_COMPONENT(TContainedAction, TBasicAction)
 public:
  explicit TContainedAction(TComponent* owner);
  ~TContainedAction() override;

  TCustomActionList* GetActionList() const { return FActionList; }
  void SetActionList(TCustomActionList* value);
  const std::string& GetCategory() const { return FCategory; }
  void SetCategory(const std::string& value) { FCategory = value; }
  int GetIndex() const;
  // The action list executes the action first (its OnExecute), then the action itself.
  bool Execute() override;
  bool Update() override;

  bool HasParent() const override { return FActionList != nullptr; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* value) override;

 private:
  friend class TCustomActionList;
  TCustomActionList* FActionList = nullptr;
  std::string FCategory;
};

// An action with the properties its clients show.
class TCustomAction : public TContainedAction {
  KX_COMPONENT(TCustomAction, TContainedAction)
 public:
  explicit TCustomAction(TComponent* owner);

  // Each setter tells every link (a linked client takes the value) and then stores it.
  const std::string& GetCaption() const { return FCaption; }
  virtual void SetCaption(const std::string& value);
  const std::string& GetHint() const { return FHint; }
  virtual void SetHint(const std::string& value);
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool value);
  WORD GetShortCut() const { return FShortCut; }
  void SetShortCut(WORD value);
  int GetHelpContext() const { return FHelpContext; }
  void SetHelpContext(int value);
  int GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value);
  bool GetAutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool value) { FAutoCheck = value; }
  // Also disables the action when it has no OnExecute.
  bool GetDisableIfNoHandler() const { return FDisableIfNoHandler; }
  void SetDisableIfNoHandler(bool value) { FDisableIfNoHandler = value; }

  // Runs only while enabled; AutoCheck toggles Checked first.
  bool Execute() override;
  // Copies caption, hint, state and shortcut from another custom action.
  void Assign(TPersistent* source) override;

 protected:
  // Calls `apply` on every action link, then leaves it to the caller to store the value.
  template <class Apply>
  void ForEachLink(Apply apply);

 private:
  std::string FCaption;
  std::string FHint;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  WORD FShortCut = 0;
  int FHelpContext = 0;
  int FImageIndex = -1;
  int FGroupIndex = 0;
  bool FAutoCheck = false;
  bool FDisableIfNoHandler = true;
};

// The action of forms: every property published.
class TAction : public TCustomAction {
  KX_COMPONENT(TAction, TCustomAction)
 public:
  explicit TAction(TComponent* owner);
  static void DeclareProperties(TPropertyTable& table);
};

// The action the application executes when its hint changes; a target that shows hints (a
// status bar) handles it.
class THintAction : public TCustomAction {
  KX_COMPONENT(THintAction, TCustomAction)
 public:
  explicit THintAction(TComponent* owner);
};

// ---------------------------------------------------------------------------------------------
using TActionEvent = TEvent<void(TBasicAction* action, bool& handled)>;

class TCustomActionList : public TComponent {
  KX_COMPONENT(TCustomActionList, TComponent)
 public:
  explicit TCustomActionList(TComponent* owner);
  ~TCustomActionList() override;

  int GetActionCount() const { return static_cast<int>(FActions.size()); }
  TContainedAction* GetAction(int index) const { return FActions.at(static_cast<size_t>(index)); }
  int IndexOf(const TContainedAction* action) const;
  // OnExecute / OnUpdate of the list, given the action; true when the list handled it.
  virtual bool ExecuteAction(TBasicAction* action);
  virtual bool UpdateAction(TBasicAction* action);

  TActionEvent OnExecute;
  TActionEvent OnUpdate;

  static void DeclareProperties(TPropertyTable& table);

 protected:
  void BeforeDestruction() override;

 private:
  friend class TContainedAction;
  void AddAction(TContainedAction* action);
  void RemoveAction(TContainedAction* action);
  std::vector<TContainedAction*> FActions;
};

class TActionList : public TCustomActionList {
  KX_COMPONENT(TActionList, TCustomActionList)
 public:
  explicit TActionList(TComponent* owner);
};

// Registers the action classes for form descriptions.
void RegisterActionClasses();
