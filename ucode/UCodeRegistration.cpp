#include "ucode/UCodeRegistration.h"

#include "classlib/Registration.h"
#include "ucode/UCodeActnList.h"
#include "ucode/UCodeRepComCtrls.h"
#include "ucode/UCodeRepExtCtrls.h"
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
}
