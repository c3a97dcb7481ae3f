// Action links of the control kinds.
#include "classlib/ActnLinks.h"

#include "classlib/Buttons.h"

namespace {

template <class Link>
void RegisterLink() {
  RegisterActionLinkClass(Link::StaticClass(), [](TControl* client) -> TControlActionLink* { return new Link(client); });
}

TCustomAction* CustomAction(TBasicAction* action) { return dynamic_cast<TCustomAction*>(action); }

}  // namespace

void RegisterControlActionLinks() {
  RegisterLink<TWinControlActionLink>();
  RegisterLink<TButtonActionLink>();
  RegisterLink<TSpeedButtonActionLink>();
  RegisterLink<TBitBtnActionLink>();
  RegisterLink<TToolButtonActionLink>();
  RegisterLink<TComboExActionLink>();
}

TSpeedButton* TSpeedButtonActionLink::Button() const { return dynamic_cast<TSpeedButton*>(FClient); }

bool TSpeedButtonActionLink::IsCheckedLinked() const {
  TCustomAction* action = CustomAction(FAction);
  return action && Button() && Button()->GetDown() == action->GetChecked();
}

bool TSpeedButtonActionLink::IsGroupIndexLinked() const {
  TCustomAction* action = CustomAction(FAction);
  return action && Button() && Button()->GetGroupIndex() == action->GetGroupIndex();
}

void TSpeedButtonActionLink::SetChecked(bool value) {
  if (IsCheckedLinked()) Button()->SetDown(value);
}

void TSpeedButtonActionLink::SetGroupIndex(int value) {
  if (IsGroupIndexLinked()) Button()->SetGroupIndex(value);
}

bool TBitBtnActionLink::IsGroupIndexLinked() const { return CustomAction(FAction) != nullptr; }
