// Form descriptions that name TMenuItem or TMainMenu make the wide ones.
#include "ucode/UCodeRepMenus.h"

void RegisterUCodeRepMenus() {
  for (TClass cls : {TMenuItem::StaticClass(), TMainMenu::StaticClass()}) RegisterReplacementClass(cls);
}
