// Wide actions and action links: actions with a wide caption and hint kept beside their 8-bit
// ones, and links that hand those wide texts to the wide controls (and wide menu items) that use
// the action.
//
// The 8-bit library tells an action's links of a new caption before the action stores it; the
// wide action marks the moment, so that a wide link hands its client the new wide text (and not
// the 8-bit one, widened) and still compares the client with the previous wide text.
#pragma once

#include <string>

#include "classlib/ActnLinks.h"
#include "classlib/ActnList.h"
#include "classlib/Buttons.h"
#include "classlib/ListView.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeControls.h"
#include "ucode/UCodeForms.h"
#include "ucode/UCodeMenus.h"

// ---------------------------------------------------------------------------------------------
// Wide actions.

// Implemented by the actions that keep wide texts (in a TCustomActionHelper among their
// components).
class IWideCustomAction {
 public:
  virtual ~IWideCustomAction() = default;
};

// The wide caption and hint of one action, owned by the action.
class TCustomActionHelper : public TComponent {
  KX_CLASS(TCustomActionHelper, TComponent)
 public:
  explicit TCustomActionHelper(TCustomAction* action);

  std::wstring GetCaption() { return Get(FCaption, FAction->GetCaption()); }
  void SetCaption(const std::wstring& value);
  std::wstring GetHint() { return Get(FHint, FAction->GetHint()); }
  void SetHint(const std::wstring& value);
  // True, with the new wide text, while a wide caption (hint) is being set and the links are
  // being told of it.
  bool IsSettingCaption(std::wstring& value) const { return IsSetting(FCaption, FAction->GetCaption(), value); }
  bool IsSettingHint(std::wstring& value) const { return IsSetting(FHint, FAction->GetHint(), value); }

 private:
  struct TWideText {
    std::wstring Value;
    std::wstring Previous;     // read while the links are told of a new value
    std::string PendingAnsi;   // the 8-bit form of the value being set
    bool Setting = false;
    bool TellingLinks = false;  // links told directly: the 8-bit form did not change
  };
  using TAnsiSetter = void (TCustomAction::*)(const std::string&);
  using TLinkSetter = void (TActionLink::*)(const std::string&);

  static bool IsSetting(const TWideText& text, const std::string& current, std::wstring& value);
  std::wstring Get(TWideText& text, const std::string& current);
  void Set(TWideText& text, const std::wstring& value, const std::string& current, TAnsiSetter ansiSetter,
           TLinkSetter linkSetter);

  TCustomAction* FAction;
  TWideText FCaption;
  TWideText FHint;
};

// The action's helper: found among its components, made when absent.
TCustomActionHelper* FindActionHelper(TCustomAction* action);

// An action's wide caption and hint: through its helper when it keeps wide texts, else its
// 8-bit texts (converted).
std::wstring WideGetActionCaption(TCustomAction* action);
void WideSetActionCaption(TCustomAction* action, const std::wstring& value);
std::wstring WideGetActionHint(TCustomAction* action);
void WideSetActionHint(TCustomAction* action, const std::wstring& value);
// Copies the wide caption and hint of an action or a control into the action.
void WideAssignActionTexts(TCustomAction* action, TPersistent* source);

class TUCodeAction : public TAction, public IWideCustomAction {
  KX_COMPONENT(TUCodeAction, TAction)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeAction(TComponent* owner) : TAction(owner) {}

  using TCustomAction::SetCaption;
  using TCustomAction::SetHint;
  std::wstring GetCaption() { return WideGetActionCaption(this); }
  void SetCaption(const std::wstring& value) { WideSetActionCaption(this, value); }
  std::wstring GetHint() { return WideGetActionHint(this); }
  void SetHint(const std::wstring& value) { WideSetActionHint(this, value); }

  void DefineProperties(TFiler* filer) override;
  // The library's copy, then the wide caption and hint of the source.
  void Assign(TPersistent* source) override;
};

// The hint action the application executes, with a wide hint.
class TUCodeHintAction : public THintAction, public IWideCustomAction {
  KX_COMPONENT(TUCodeHintAction, THintAction)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeHintAction(TComponent* owner) : THintAction(owner) {}

  using TCustomAction::SetHint;
  std::wstring GetHint() { return WideGetActionHint(this); }
  void SetHint(const std::wstring& value) { WideSetActionHint(this, value); }

  void DefineProperties(TFiler* filer) override;
  void Assign(TPersistent* source) override;
};

// ---------------------------------------------------------------------------------------------
// Wide action links.

// True when two hints are the same, case ignored (captions compare with WideSameCaption).
bool WideSameHintText(const std::wstring& a, const std::wstring& b);
// The wide text a linked client takes when the action tells it of `value`: the wide text being
// set, or `value` widened.
std::wstring WideActionLinkNewCaption(TBasicAction* action, const std::string& value);
std::wstring WideActionLinkNewHint(TBasicAction* action, const std::string& value);

// The caption and hint handling every wide control link shares: a client counts as linked while
// the library says so and it shows the action's wide text; a linked client takes the new wide
// text while the action sets one, else the library's 8-bit text, widened.
template <class Base>
class TWideControlActionLinkOf : public Base {
 public:
  using Base::Base;
  bool IsCaptionLinked() const override {
    return Base::IsCaptionLinked() &&
           WideSameCaption(WideGetControlText(this->FClient), WideGetActionCaption(Action()));
  }
  bool IsHintLinked() const override {
    return Base::IsHintLinked() && WideSameHintText(WideGetControlHint(this->FClient), WideGetActionHint(Action()));
  }
  void SetCaption(const std::string& value) override {
    if (this->IsCaptionLinked()) WideSetControlText(this->FClient, WideActionLinkNewCaption(this->FAction, value));
  }
  void SetHint(const std::string& value) override {
    if (this->IsHintLinked()) WideSetControlHint(this->FClient, WideActionLinkNewHint(this->FAction, value));
  }

 private:
  // The library's tests above answer "linked" only for a custom action.
  TCustomAction* Action() const { return static_cast<TCustomAction*>(this->FAction); }
};

class TUCodeControlActionLink : public TWideControlActionLinkOf<TControlActionLink> {
  KX_CLASS(TUCodeControlActionLink, TControlActionLink)
 public:
  using TWideControlActionLinkOf::TWideControlActionLinkOf;
};

class TUCodeWinControlActionLink : public TWideControlActionLinkOf<TWinControlActionLink> {
  KX_CLASS(TUCodeWinControlActionLink, TWinControlActionLink)
 public:
  using TWideControlActionLinkOf::TWideControlActionLinkOf;
};

class TUCodeButtonActionLink : public TWideControlActionLinkOf<TButtonActionLink> {
  KX_CLASS(TUCodeButtonActionLink, TButtonActionLink)
 public:
  using TWideControlActionLinkOf::TWideControlActionLinkOf;
};

class TUCodeListViewActionLink : public TWideControlActionLinkOf<TListViewActionLink> {
  KX_CLASS(TUCodeListViewActionLink, TListViewActionLink)
 public:
  using TWideControlActionLinkOf::TWideControlActionLinkOf;
};

class TUCodeComboBoxExActionLink : public TWideControlActionLinkOf<TComboExActionLink> {
  KX_CLASS(TUCodeComboBoxExActionLink, TComboExActionLink)
 public:
  using TWideControlActionLinkOf::TWideControlActionLinkOf;
};

class TUCodeToolButtonActionLink : public TWideControlActionLinkOf<TToolButtonActionLink> {
  KX_CLASS(TUCodeToolButtonActionLink, TToolButtonActionLink)
 public:
  using TWideControlActionLinkOf::TWideControlActionLinkOf;
};

// Speed and bitmap buttons take their group from the action whenever it is a custom action and
// leave their own group index alone.
class TUCodeSpeedButtonActionLink : public TWideControlActionLinkOf<TSpeedButtonActionLink> {
  KX_CLASS(TUCodeSpeedButtonActionLink, TSpeedButtonActionLink)
 public:
  using TWideControlActionLinkOf::TWideControlActionLinkOf;
  bool IsGroupIndexLinked() const override { return IsCustomAction(); }
  void SetGroupIndex(int) override {}
};

class TUCodeBitBtnActionLink : public TWideControlActionLinkOf<TBitBtnActionLink> {
  KX_CLASS(TUCodeBitBtnActionLink, TBitBtnActionLink)
 public:
  using TWideControlActionLinkOf::TWideControlActionLinkOf;
  bool IsGroupIndexLinked() const override { return IsCustomAction(); }
  void SetGroupIndex(int) override {}
};

// The link of a menu item: a wide menu item shows the action's wide caption and hint.
class TUCodeMenuActionLink : public TMenuActionLink {
  KX_CLASS(TUCodeMenuActionLink, TMenuActionLink)
 public:
  using TMenuActionLink::TMenuActionLink;
  bool IsCaptionLinked() const override;
  bool IsHintLinked() const override;
  void SetCaption(const std::string& value) override;
  void SetHint(const std::string& value) override;
};

// The wide link class for a control (list view, speed button, bitmap button, tool button,
// button, windowed control, control); EUCodeInternalError when it is not the wide form of
// `libraryClass`, the class the library chose.
TClass WideGetActionLinkClass(const TControl* control, TClass libraryClass);
// Applies a wide action's wide caption and hint to a wide control; with `checkDefaults` (the
// action set while loading) only a caption that is empty or the control's name and an empty hint
// are replaced. The library's own handling follows in the control's ActionChange.
void WideControlActionChange(TControl* control, TObject* sender, bool checkDefaults);

// What every wide control class shares, put between it and the library's class `Base`: the wide
// Hint, the form-description forms of its wide properties, and the action hooks (the action's
// wide texts reach the control before the library's own handling, and its links are made of
// the wide link classes). The wide class names `TUCodeWideControl<Base>` as its KX parent.
template <class Base>
class TUCodeWideControl : public Base {
 public:
  using Base::Base;
  std::wstring GetHint() { return WideGetControlHint(this); }
  void SetHint(const std::wstring& value) { WideSetControlHint(this, value); }
  void DefineProperties(TFiler* filer) override {
    Base::DefineProperties(filer);
    DefineWideProperties(filer, this);
  }
  void ActionChange(TObject* sender, bool checkDefaults) override {
    WideControlActionChange(this, sender, checkDefaults);
    Base::ActionChange(sender, checkDefaults);
  }
  TClass GetActionLinkClass() const override { return WideGetActionLinkClass(this, Base::GetActionLinkClass()); }
};

// A wide control whose window text is its wide Caption.
template <class Base>
class TUCodeWideCaptionControl : public TUCodeWideControl<Base> {
 public:
  using TUCodeWideControl<Base>::TUCodeWideControl;
  std::wstring GetCaption() { return WideGetControlText(this); }
  using TControl::SetCaption;  // an 8-bit caption, widened
  void SetCaption(const std::wstring& value) { WideSetControlText(this, value); }
};

// The published wide Hint (and Caption) of a wide control class, for its DeclareProperties.
// Each is stored with the form only while no action supplies it.
template <class C>
void DeclareWideHint(TClassProperties<C>& p) {
  p.WideString("Hint", &C::GetHint, &C::SetHint, IsWideHintStored);
}

template <class C>
void DeclareWideCaption(TClassProperties<C>& p) {
  p.WideString("Caption", &C::GetCaption, static_cast<void (C::*)(const std::wstring&)>(&C::SetCaption),
               IsWideCaptionStored);
  DeclareWideHint(p);
}

// Registers the wide actions for form descriptions (the wide link classes register themselves).
void RegisterUCodeActnList();
