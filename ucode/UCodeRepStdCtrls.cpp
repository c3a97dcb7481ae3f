// Form descriptions that name a standard control make the wide one.
#include "ucode/UCodeRepStdCtrls.h"

void RegisterUCodeRepStdCtrls() {
  for (TClass cls : {TEdit::StaticClass(), TMemo::StaticClass(), TListBox::StaticClass(), TComboBox::StaticClass(),
                     TLabel::StaticClass(), TCheckBox::StaticClass(), TGroupBox::StaticClass(), TStaticText::StaticClass(),
                     TButton::StaticClass(), TRadioButton::StaticClass(), TScrollBar::StaticClass()})
    RegisterReplacementClass(cls);
}
