// The shortcut window of index data files ("*.idx").
#pragma once

#include "forms/u_einstshortcuts.h"

class Teinstshortcuts_idx : public TShortcutsWindow {
  KX_COMPONENT(Teinstshortcuts_idx, TShortcutsWindow)
 public:
  explicit Teinstshortcuts_idx(TComponent* owner);
};

extern Teinstshortcuts_idx* einstshortcuts_idx;
