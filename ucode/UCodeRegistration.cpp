#include "ucode/UCodeRegistration.h"

#include "classlib/Registration.h"
#include "ucode/UCodeActnList.h"
#include "ucode/UCodeDialogs.h"
#include "ucode/UCodeForms.h"
#include "ucode/UCodeMenus.h"
#include "ucode/UCodeRepComCtrls.h"
#include "ucode/UCodeRepExtCtrls.h"
#include "ucode/UCodeRepMenus.h"
#include "ucode/UCodeRepStdCtrls.h"

void RegisterUnicodeLayer() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  RegisterClassLibrary();
  RegisterUCodeRepStdCtrls();
  RegisterUCodeRepComCtrls();
  RegisterUCodeRepExtCtrls();
  RegisterUCodeActnList();
  RegisterUCodeRepMenus();
  RegisterUCodeDialogs();
  // The wide application object with its message hook, and the wide popup list.
  InitUCodeForms();
  InitUCodeMenus();
}
