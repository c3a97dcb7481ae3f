// Form descriptions that name TEdit, TMemo, TListBox or TComboBox make the wide controls.
#include "ucode/UCodeRepStdCtrls.h"

void RegisterUCodeRepStdCtrls() {
  for (TClass cls : {TEdit::StaticClass(), TMemo::StaticClass(), TListBox::StaticClass(), TComboBox::StaticClass(),
                     TLabel::StaticClass(), TCheckBox::StaticClass(), TGroupBox::StaticClass(), TStaticText::StaticClass()})
    RegisterReplacementClass(cls);
}
