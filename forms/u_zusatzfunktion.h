// The additional features window; its page "word" is the Word compatibility test, which reads
// the first two pages of a chosen document.
#pragma once

#include <string>

#include "classlib/ComCtrls.h"
#include "ucode/UCodeRepComCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "ucode/UCodeRepStdCtrls.h"

class Tzusatzfunktion : public TForm {
  KX_COMPONENT(Tzusatzfunktion, TForm)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit Tzusatzfunktion(TComponent* owner);

  TPageControl* pc = nullptr;
  TTabSheet* word = nullptr;
  TLabel* Label4 = nullptr;
  TStaticText* StaticText3 = nullptr;
  TEdit* edit_quelle = nullptr;
  TButton* bttxtquelle = nullptr;
  TMemo* original = nullptr;
  TLabel* Label5 = nullptr;
  TButton* Button2 = nullptr;

  void FormCreate(TObject* sender);
  void sprache();
  // The main window's open dialog names a document; its first two pages are read into the memo.
  void bttxtquelleClick(TObject* sender);
  void Button1Click(TObject* sender);
};

extern Tzusatzfunktion* zusatzfunktion;
