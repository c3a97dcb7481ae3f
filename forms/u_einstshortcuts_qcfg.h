// The shortcut window of configuration files ("*.qcfg").
#pragma once

#include "forms/u_einstshortcuts.h"

class Teinstshortcuts_qcfg : public TShortcutsWindow {
  KX_COMPONENT(Teinstshortcuts_qcfg, TShortcutsWindow)
 public:
  explicit Teinstshortcuts_qcfg(TComponent* owner);
};

extern Teinstshortcuts_qcfg* einstshortcuts_qcfg;
