// Form descriptions that name TListView make the wide list view.
#include "ucode/UCodeRepComCtrls.h"

void RegisterUCodeRepComCtrls() { RegisterReplacementClass(TListView::StaticClass()); }
