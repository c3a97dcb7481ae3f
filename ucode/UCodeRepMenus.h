// The names the windows give their menus: TMenuItem and TMainMenu are the wide menu item and
// menu bar here, so that every window's menus are wide. (The library's own 8-bit classes of
// these names are Menus::TMenuItem and Menus::TMainMenu.)
#pragma once

#include "ucode/UCodeMenus.h"

class TMenuItem : public TUCodeMenuItem {
  KX_COMPONENT(TMenuItem, TUCodeMenuItem)
 public:
  explicit TMenuItem(TComponent* owner) : TUCodeMenuItem(owner) {}
};

class TMainMenu : public TUCodeMainMenu {
  KX_COMPONENT(TMainMenu, TUCodeMainMenu)
 public:
  explicit TMainMenu(TComponent* owner) : TUCodeMainMenu(owner) {}
};

// Gives form descriptions the wide classes under these names.
void RegisterUCodeRepMenus();
