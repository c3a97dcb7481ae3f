// Form descriptions that name a list view, page control, tab sheet or progress bar make the wide one.
#include "ucode/UCodeRepComCtrls.h"

void RegisterUCodeRepComCtrls() {
  for (TClass cls : {TListView::StaticClass(), TPageControl::StaticClass(), TTabSheet::StaticClass(),
                     TProgressBar::StaticClass()})
    RegisterReplacementClass(cls);
}
