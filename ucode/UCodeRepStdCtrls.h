// The names the windows give their edits, memos, list boxes and combo boxes: TEdit, TMemo,
// TListBox and TComboBox are the wide controls here, so that every window's code and form
// description makes wide controls. (The library's own 8-bit controls of these names are
// StdCtrls::TEdit and the rest.)
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

// Gives form descriptions the wide classes under these names.
void RegisterUCodeRepStdCtrls();
