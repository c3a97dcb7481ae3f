#include "classlib/Registration.h"

#include "classlib/ActnLinks.h"
#include "classlib/ActnList.h"
#include "classlib/Buttons.h"
#include "classlib/ComCtrls.h"
#include "classlib/CommonDialogs.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/ImgList.h"
#include "classlib/Jpeg.h"
#include "classlib/ListView.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "classlib/WebBrowser.h"

void RegisterClassLibrary() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  RegisterActionClasses();
  RegisterStandardControls();
  RegisterButtonControls();
  RegisterExtraControls();
  RegisterControlActionLinks();
  RegisterImageListClasses();
  RegisterListViewClasses();
  RegisterCommonControls();
  RegisterMenuClasses();
  RegisterFormClasses();
  RegisterCommonDialogClasses();
  RegisterWebBrowserClass();
  RegisterJpegImage();
}
