// The file-list options window: doubles, link scanning of dropped documents, extensions and
// capitals of new rows, and one column of a file list edited as text.
#pragma once

#include "classlib/StdCtrls.h"
#include "classlib/Forms.h"

class Tquhopt : public TForm {
  KX_COMPONENT(Tquhopt, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Tquhopt(TComponent* owner);

  TGroupBox* gb1 = nullptr;
  TCheckBox* doppelteweg = nullptr;
  TCheckBox* dadweitere = nullptr;
  TCheckBox* endungenweg = nullptr;
  TCheckBox* namengross = nullptr;
  TGroupBox* gb2 = nullptr;
  TRadioButton* rb1 = nullptr;
  TRadioButton* rb2 = nullptr;
  TRadioButton* rb3 = nullptr;
  TMemo* liste = nullptr;
  TButton* OK = nullptr;
};

extern Tquhopt* quhopt;
