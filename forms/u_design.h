// The text index's design window: heading, letter headings and the texts between an entry
// and its pages, with a preview line.
#pragma once

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"

class Tdesign : public TForm {
  KX_COMPONENT(Tdesign, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Tdesign(TComponent* owner);

  TGroupBox* gb1 = nullptr;
  TLabeledEdit* ub = nullptr;
  TCheckBox* kt_alphabet = nullptr;
  TCheckBox* dabsatz_abc = nullptr;
  TGroupBox* gb2 = nullptr;
  TLabeledEdit* dsep = nullptr;
  TLabeledEdit* dzw = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* vorschau = nullptr;
  TButton* OK = nullptr;

  void FormCreate(TObject* sender);
  // Shows the separators between double quotes and rebuilds the preview.
  void dsepChange(TObject* sender);
  // The window's texts and the preview in the language of start.spr.
  void LocalSpr();
};

extern Tdesign* design;
