// The names the windows give their standard controls: TEdit, TMemo, TListBox, TComboBox, TLabel,
// TButton, TCheckBox, TRadioButton, TScrollBar, TGroupBox and TStaticText are the wide controls
// here, so that every window's code and form description makes wide controls. (The library's own
// 8-bit controls of these names are StdCtrls::TEdit and the rest; the bitmap button stays on the
// library's 8-bit push button.)
#pragma once

#include "ucode/UCodeStdCtrls.h"

class TEdit : public TUCodeEdit {
  KX_COMPONENT(TEdit, TUCodeEdit)
 public:
  explicit TEdit(TComponent* owner) : TUCodeEdit(owner) {}
};

class TMemo : public TUCodeMemo {
  KX_COMPONENT(TMemo, TUCodeMemo)
 public:
  explicit TMemo(TComponent* owner) : TUCodeMemo(owner) {}
};

class TListBox : public TUCodeListBox {
  KX_COMPONENT(TListBox, TUCodeListBox)
 public:
  explicit TListBox(TComponent* owner) : TUCodeListBox(owner) {}
};

class TComboBox : public TUCodeComboBox {
  KX_COMPONENT(TComboBox, TUCodeComboBox)
 public:
  explicit TComboBox(TComponent* owner) : TUCodeComboBox(owner) {}
};

class TLabel : public TUCodeLabel {
  KX_COMPONENT(TLabel, TUCodeLabel)
 public:
  explicit TLabel(TComponent* owner) : TUCodeLabel(owner) {}
};

class TCheckBox : public TUCodeCheckBox {
  KX_COMPONENT(TCheckBox, TUCodeCheckBox)
 public:
  explicit TCheckBox(TComponent* owner) : TUCodeCheckBox(owner) {}
};

class TGroupBox : public TUCodeGroupBox {
  KX_COMPONENT(TGroupBox, TUCodeGroupBox)
 public:
  explicit TGroupBox(TComponent* owner) : TUCodeGroupBox(owner) {}
};

class TStaticText : public TUCodeStaticText {
  KX_COMPONENT(TStaticText, TUCodeStaticText)
 public:
  explicit TStaticText(TComponent* owner) : TUCodeStaticText(owner) {}
};

class TButton : public TUCodeButton {
  KX_COMPONENT(TButton, TUCodeButton)
 public:
  explicit TButton(TComponent* owner) : TUCodeButton(owner) {}
};

class TRadioButton : public TUCodeRadioButton {
  KX_COMPONENT(TRadioButton, TUCodeRadioButton)
 public:
  explicit TRadioButton(TComponent* owner) : TUCodeRadioButton(owner) {}
};

class TScrollBar : public TUCodeScrollBar {
  KX_COMPONENT(TScrollBar, TUCodeScrollBar)
 public:
  explicit TScrollBar(TComponent* owner) : TUCodeScrollBar(owner) {}
};

// Gives form descriptions the wide classes under these names.
void RegisterUCodeRepStdCtrls();
