// The keyword index's design window: which parts of a file are written and the texts around
// and between its keywords.
#pragma once

#include "classlib/ExtCtrls.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"
#include "classlib/Forms.h"

class Tsdesign : public TForm {
  KX_COMPONENT(Tsdesign, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Tsdesign(TComponent* owner);

  TGroupBox* gb1 = nullptr;
  TCheckBox* bez = nullptr;
  TCheckBox* dateiname = nullptr;
  TGroupBox* gb2 = nullptr;
  TCheckBox* leerzeile = nullptr;
  TGroupBox* gb3 = nullptr;
  TLabeledEdit* v = nullptr;
  TLabeledEdit* ne = nullptr;
  TLabeledEdit* zwdl = nullptr;
  TLabeledEdit* zw = nullptr;
  TLabeledEdit* zwe = nullptr;
  TLabel* beispiel = nullptr;
  TButton* OK = nullptr;

  void FormCreate(TObject* sender);
  // Rebuilds the preview line from the current texts and switches.
  void Vorschau(TObject* sender);
  // The window's texts in the language of start.spr, then the preview.
  void LocalSpr();
};

extern Tsdesign* sdesign;
