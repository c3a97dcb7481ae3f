// Form descriptions that name TImage, TPanel or TSplitter make the wide controls.
#include "ucode/UCodeRepExtCtrls.h"

void RegisterUCodeRepExtCtrls() {
  for (TClass cls : {TImage::StaticClass(), TPanel::StaticClass(), TSplitter::StaticClass()})
    RegisterReplacementClass(cls);
}
