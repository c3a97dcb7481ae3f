// The file index's plain-text design window: heading, letter headings, which parts of a
// document item are written and the texts between them.
#pragma once

#include "classlib/ExtCtrls.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"
#include "classlib/Forms.h"

class Ttextdesign : public TForm {
  KX_COMPONENT(Ttextdesign, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Ttextdesign(TComponent* owner);

  TGroupBox* gb1 = nullptr;
  TLabeledEdit* titel = nullptr;
  TCheckBox* kt_alphabet = nullptr;
  TGroupBox* gb2 = nullptr;
  TCheckBox* namen = nullptr;
  TCheckBox* links = nullptr;
  TGroupBox* gb3 = nullptr;
  TLabeledEdit* es = nullptr;
  TLabeledEdit* s = nullptr;
  TLabeledEdit* b = nullptr;
  TLabeledEdit* bl = nullptr;
  TLabeledEdit* l = nullptr;
  TLabel* beispiel = nullptr;
  TButton* OK = nullptr;

  void FormCreate(TObject* sender);
  // Rebuilds the preview line from the current texts and switches.
  void Vorschau(TObject* sender);
  // The window's texts in the language of start.spr, then the preview.
  void LocalSpr();
};

extern Ttextdesign* textdesign;
