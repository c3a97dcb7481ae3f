// The names the windows give their standard controls: TEdit, TMemo, TListBox, TComboBox, TLabel,
// TButton, TCheckBox, TRadioButton, TScrollBar, TGroupBox and TStaticText are the wide controls
// here, so that every window's code and form description makes wide controls. (The library's own
// 8-bit controls of these names are StdCtrls::TEdit and the rest; the bitmap button stays on the
// library's 8-bit push button.)
#pragma once

#include "ucode/UCodeStdCtrls.h"

KX_NAMED_COMPONENT(TEdit, TUCodeEdit);

KX_NAMED_COMPONENT(TMemo, TUCodeMemo);

KX_NAMED_COMPONENT(TListBox, TUCodeListBox);

KX_NAMED_COMPONENT(TComboBox, TUCodeComboBox);

KX_NAMED_COMPONENT(TLabel, TUCodeLabel);

KX_NAMED_COMPONENT(TCheckBox, TUCodeCheckBox);

KX_NAMED_COMPONENT(TGroupBox, TUCodeGroupBox);

KX_NAMED_COMPONENT(TStaticText, TUCodeStaticText);

KX_NAMED_COMPONENT(TButton, TUCodeButton);

KX_NAMED_COMPONENT(TRadioButton, TUCodeRadioButton);

KX_NAMED_COMPONENT(TScrollBar, TUCodeScrollBar);

// Gives form descriptions the wide classes under these names.
void RegisterUCodeRepStdCtrls();
