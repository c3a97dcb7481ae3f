// The names the windows give their menus: TMenuItem and TMainMenu are the wide menu item and
// menu bar here, so that every window's menus are wide. (The library's own 8-bit classes of
// these names are Menus::TMenuItem and Menus::TMainMenu.)
#pragma once

#include "ucode/UCodeMenus.h"

KX_NAMED_COMPONENT(TMenuItem, TUCodeMenuItem);

KX_NAMED_COMPONENT(TMainMenu, TUCodeMainMenu);

// Gives form descriptions the wide classes under these names.
void RegisterUCodeRepMenus();
