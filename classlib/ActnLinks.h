// The action links of the control kinds: each control asks for its kind's link class
// (GetActionLinkClass) and the library makes the link by that class. The list view's link is
// in ListView.h.
#pragma once

#include <string>

#include "classlib/Controls.h"

class TSpeedButton;

// Any windowed control.
class TWinControlActionLink : public TControlActionLink {
  KX_CLASS(TWinControlActionLink, TControlActionLink)
 public:
  using TControlActionLink::TControlActionLink;
};

// Push buttons.
class TButtonActionLink : public TWinControlActionLink {
  KX_CLASS(TButtonActionLink, TWinControlActionLink)
 public:
  using TWinControlActionLink::TWinControlActionLink;
};

// Speed buttons: the action's check mark is the button's Down state, its group index the
// button's group.
class TSpeedButtonActionLink : public TControlActionLink {
  KX_CLASS(TSpeedButtonActionLink, TControlActionLink)
 public:
  using TControlActionLink::TControlActionLink;
  bool IsCheckedLinked() const override;
  virtual bool IsGroupIndexLinked() const;
  void SetChecked(bool value) override;
  virtual void SetGroupIndex(int value);

 private:
  TSpeedButton* Button() const;
};

// Bitmap buttons, with the same two group-index operations as speed buttons.
class TBitBtnActionLink : public TButtonActionLink {
  KX_CLASS(TBitBtnActionLink, TButtonActionLink)
 public:
  using TButtonActionLink::TButtonActionLink;
  virtual bool IsGroupIndexLinked() const;
  virtual void SetGroupIndex(int) {}
};

// Tool buttons and extended combo boxes (no such controls in this library yet).
class TToolButtonActionLink : public TControlActionLink {
  KX_CLASS(TToolButtonActionLink, TControlActionLink)
 public:
  using TControlActionLink::TControlActionLink;
};

class TComboExActionLink : public TWinControlActionLink {
  KX_CLASS(TComboExActionLink, TWinControlActionLink)
 public:
  using TWinControlActionLink::TWinControlActionLink;
};

// Registers how each link class above is made (called once by the library).
void RegisterControlActionLinks();
