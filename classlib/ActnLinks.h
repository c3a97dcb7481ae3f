// The action links of the control kinds: each control asks for its kind's link class
// (GetActionLinkClass) and the library makes the link by that class. Each link class is declared
// and registered with its control (TWinControlActionLink in Controls.h, TButtonActionLink in
// StdCtrls.h, the speed and bitmap buttons' links in Buttons.h, the list view's in ListView.h);
// this header gathers them with the remaining kinds.
#pragma once

#include <string>

#include "classlib/Buttons.h"
#include "classlib/Controls.h"
#include "classlib/StdCtrls.h"

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

// Registers the link classes of this unit (the others register with their controls).
void RegisterControlActionLinks();
